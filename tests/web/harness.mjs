// What the browser tests share: the families a Linux build holds, checks
// that count and tell their failures, a local server for the web build and
// the exporters' files, Debian's Chromium, and pixels compared in the page.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

// The families of the Linux build in `build`, in the family table's order,
// as its family_list prints them: each one's name, the largest order drawn
// page by page, its program's order, that order's pages and figures, and
// the largest orders of one figure alone and of a random one.
export function familiesOf(build) {
  return execFileSync(path.join(build, "family_list")).toString().trim().split("\n").map((line) => {
    const [name, ...numbers] = line.split("\t");
    const [largest, usual, pages, figures, largestFigure, largestRandom] = numbers.map(Number);
    return { name, largest, usual, pages, figures, largestFigure, largestRandom };
  });
}

const tally = { passed: 0, failed: 0 };
export function check(condition, what) {
  if (condition) {
    tally.passed += 1;
  } else {
    tally.failed += 1;
    console.log(`FAIL: ${what}`);
  }
}
export function failures() {
  return tally;
}

// Serves on 127.0.0.1 the web build at / and each other folder at its
// prefix ("/pages/": the exporters' files); returns the origin.
const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
  ".png": "image/png", ".svg": "image/svg+xml" };
export async function serve(webFolder, prefixes) {
  const server = http.createServer((request, response) => {
    const url = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname);
    const prefix = Object.keys(prefixes).find((p) => url.startsWith(p));
    const file = prefix
      ? path.join(prefixes[prefix], url.slice(prefix.length))
      : path.join(webFolder, url === "/" ? "index.html" : url);
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" })
        .end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return { server, origin: `http://127.0.0.1:${server.address().port}` };
}

// Debian's Chromium, headless, on a profile of its own; close() removes it.
export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "web-test-"));
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      `--user-data-dir=${profile}`],
  });
  return { browser, close: async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  } };
}

// Pixels that differ between the image at `expectedUrl` and the image at
// `shownUrl` (a URL or a data URL), or, when that is null, the canvas
// `canvasSelector`, which must be white beyond the image (a figure drawn
// alone in its middle); a different size counts as every pixel.
// Compared in the page, by red, green and blue.
export async function differingPixels(page, expectedUrl, shownUrl, canvasSelector) {
  return page.evaluate(async (expectedAt, shotAt, selector) => {
    const load = (url) => new Promise((resolve, reject) => {
      const image = new Image();
      image.onload = () => resolve(image);
      image.onerror = () => reject(new Error(`cannot load ${url.slice(0, 40)}`));
      image.src = url;
    });
    const pixelsOf = (source, width, height) => {
      const canvas = document.createElement("canvas");
      canvas.width = width;
      canvas.height = height;
      const context = canvas.getContext("2d");
      context.drawImage(source, 0, 0);
      return context.getImageData(0, 0, width, height).data;
    };
    const image = await load(expectedAt);
    const expected = pixelsOf(image, image.naturalWidth, image.naturalHeight);
    let shown;
    // Canvas pixels beyond the image that are not white.
    let beyond = 0;
    if (shotAt) {
      const shot = await load(shotAt);
      if (shot.naturalWidth !== image.naturalWidth || shot.naturalHeight !== image.naturalHeight) {
        return expected.length / 4;
      }
      shown = pixelsOf(shot, shot.naturalWidth, shot.naturalHeight);
    } else {
      const canvas = document.querySelector(selector);
      const all = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
      shown = new Uint8ClampedArray(expected.length);
      // A picture smaller than the canvas (a figure alone) stands in its
      // middle; a page fills it.
      const left = Math.max(0, Math.floor((canvas.width - image.naturalWidth) / 2));
      const top = Math.max(0, Math.floor((canvas.height - image.naturalHeight) / 2));
      for (let y = 0; y < canvas.height; y += 1) {
        for (let x = 0; x < canvas.width; x += 1) {
          const at = (y * canvas.width + x) * 4;
          const ix = x - left;
          const iy = y - top;
          if (ix >= 0 && iy >= 0 && ix < image.naturalWidth && iy < image.naturalHeight) {
            shown.set(all.subarray(at, at + 4), (iy * image.naturalWidth + ix) * 4);
          } else if (all[at] !== 255 || all[at + 1] !== 255 || all[at + 2] !== 255) {
            beyond += 1;
          }
        }
      }
    }
    let differing = beyond;
    for (let i = 0; i < expected.length; i += 4) {
      if (expected[i] !== shown[i] || expected[i + 1] !== shown[i + 1] ||
          expected[i + 2] !== shown[i + 2]) {
        differing += 1;
      }
    }
    return differing;
  }, expectedUrl, shownUrl, canvasSelector);
}

// Milliseconds a second the page's main thread is busy over `seconds`.
export async function mainThreadBusy(page, seconds) {
  const session = await page.createCDPSession();
  await session.send("Performance.enable");
  const taskTime = async () => (await session.send("Performance.getMetrics")).metrics
    .find((m) => m.name === "TaskDuration").value;
  const before = await taskTime();
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  return (await taskTime() - before) * 1000 / seconds;
}

// Outline pixels of the exported page at `expectedUrl` that the screenshot
// of it at another size, `shotUrl`, loses: every outline pixel with yellow
// three pixels deep on both sides across it is looked for where it falls
// in the screenshot, and the bluest pixel there must be clearly bluer than
// the yellow either side (yellow has no blue, an outline is all blue).
export async function lostOutlines(page, expectedUrl, shotUrl) {
  return page.evaluate(async (urls) => {
    const [drawn, shot] = await Promise.all(urls.map(async (url) => {
      const image = new Image();
      image.src = url;
      await image.decode();
      const context = new OffscreenCanvas(image.width, image.height).getContext("2d");
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, image.width, image.height);
    }));
    const colour = (x, y) => drawn.data.slice((y * 800 + x) * 4, (y * 800 + x) * 4 + 3).join();
    const blue = (x, y) => shot.data[(Math.floor(y * shot.height / 600) * shot.width +
      Math.floor(x * shot.width / 800)) * 4 + 2] ?? 0;
    const [yellow, outline] = ["255,255,0", "0,0,255"];
    let checked = 0;
    let lost = 0;
    for (const across of [false, true]) {
      // (u, v): u along the outline, v across it.
      const at = (f, u, v) => (across ? f(v, u) : f(u, v));
      for (let u = 4; u < (across ? 596 : 796); u += 1) {
        for (let v = 4; v < (across ? 794 : 594); v += 1) {
          if (at(colour, u, v) !== outline || at(colour, u, v - 1) === outline) continue;
          const thick = at(colour, u, v + 1) === outline ? 2 : 1;
          if (![-1, 0, 1].every((w) => [-3, -2, -1, thick, thick + 1, thick + 2]
            .every((d) => at(colour, u + w, v + d) === yellow))) continue;
          checked += 1;
          let bluest = 0;
          for (let d = -1.2; d <= thick + 1.2; d += 0.25) bluest = Math.max(bluest, at(blue, u + 0.5, v + d));
          if (bluest - Math.max(at(blue, u + 0.5, v - 1.5), at(blue, u + 0.5, v + thick + 1.5)) < 64) lost += 1;
        }
      }
    }
    return { checked, lost };
  }, [expectedUrl, shotUrl]);
}

// With JavaScript off, whether the sentence that says so stands where the
// status line does with it on, and "Loading…" is gone.
export async function toldWithoutScript(browser, url) {
  const page = await browser.newPage();
  await page.goto(url);
  const status = await page.$eval("#status", (e) => e.getBoundingClientRect().top);
  await page.setJavaScriptEnabled(false);
  await page.goto(url);
  const told = await page.evaluate((top) => [...document.querySelectorAll("p")].some((p) =>
    p.innerText.includes("needs JavaScript") && Math.abs(p.getBoundingClientRect().top - top) < 2) &&
    !document.body.innerText.includes("Loading"), status);
  await page.close();
  return told;
}
