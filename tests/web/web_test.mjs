// Both programs' web pages in Debian's Chromium, as a user meets them:
// every page pixel for pixel the Linux exporter's (read from the canvas and
// from a screenshot of it), keys pressed ahead kept, a click turning nothing,
// the "Next page" button turning one, pyramid's count on the page, the
// finished state after the last key, no console error, and a failure shown
// on the page. Also reports (asserts nothing about) how fast it is.
// Usage: node web_test.mjs WEB_FOLDER PAGES_FOLDER
// PAGES_FOLDER holds diamond/page-N.png and pyramid/page-N.png.
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

const [webFolder, pagesFolder] = process.argv.slice(2).map((p) => path.resolve(p));
// The pages each program shows and pyramid's count, as the other tests read them.
const family = Object.fromEntries(
  fs.readFileSync(new URL("../families.env", import.meta.url), "utf8")
    .split("\n").filter((line) => /^[a-z_]+=[0-9]+$/.test(line))
    .map((line) => { const [name, value] = line.split("="); return [name, Number(value)]; }));
let passed = 0;
let failed = 0;
function check(condition, what) {
  if (condition) {
    passed += 1;
  } else {
    failed += 1;
    console.log(`FAIL: ${what}`);
  }
}

// Pages served on 127.0.0.1: the web build at /, the exported pages at /pages/.
const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
  ".png": "image/png" };
const server = http.createServer((request, response) => {
  const url = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname);
  const file = url.startsWith("/pages/")
    ? path.join(pagesFolder, url.slice("/pages/".length))
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
const origin = `http://127.0.0.1:${server.address().port}`;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), "web-test-"));
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    `--user-data-dir=${profile}`],
});

// Differing pixels between an image (a URL or a data URL) and the canvas or
// the exported page N, compared in the page itself.
async function differingPixels(page, program, number, screenshot) {
  return page.evaluate(async (expectedUrl, shotUrl) => {
    const load = (url) => new Promise((resolve, reject) => {
      const image = new Image();
      image.onload = () => resolve(image);
      image.onerror = () => reject(new Error(`cannot load ${url.slice(0, 40)}`));
      image.src = url;
    });
    const pixelsOf = (source) => {
      const canvas = document.createElement("canvas");
      canvas.width = 800;
      canvas.height = 600;
      const context = canvas.getContext("2d");
      context.drawImage(source, 0, 0);
      return context.getImageData(0, 0, 800, 600).data;
    };
    const expected = pixelsOf(await load(expectedUrl));
    const shown = shotUrl
      ? pixelsOf(await load(shotUrl))
      : document.getElementById("canvas").getContext("2d").getImageData(0, 0, 800, 600).data;
    let differing = 0;
    for (let i = 0; i < expected.length; i += 4) {
      if (expected[i] !== shown[i] || expected[i + 1] !== shown[i + 1] ||
          expected[i + 2] !== shown[i + 2]) {
        differing += 1;
      }
    }
    return differing;
  }, `/pages/${program}/page-${number}.png`,
  screenshot ? `data:image/png;base64,${screenshot}` : null);
}

async function expectPage(page, program, number) {
  const title = `${program} - page ${number}`;
  const shown = await page.waitForFunction((t) => document.title === t, { timeout: 20000 }, title)
    .then(() => true, () => false);
  check(shown, `${program}: the title never became '${title}' (it is '${await page.title()}')`);
  check(await page.$eval("#status", (e) => e.textContent) === title,
    `${program}: the line under the drawing does not say '${title}'`);
  check(await differingPixels(page, program, number, null) === 0,
    `${program}: the canvas of page ${number} is not the exported page`);
  const canvas = await page.$("#canvas");
  const shot = await canvas.screenshot({ encoding: "base64" });
  check(await differingPixels(page, program, number, shot) === 0,
    `${program}: a screenshot of page ${number} is not the exported page`);
}

// Nothing changes for a while: the title still names page N.
async function expectStill(page, program, number, what) {
  await new Promise((resolve) => setTimeout(resolve, 400));
  check(await page.title() === `${program} - page ${number}`, `${program}: ${what} turned the page`);
}

async function session(program, pages, expectedOutput) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1200, height: 900, deviceScaleFactor: 1 });
  const errors = [];
  page.on("console", (message) => errors.push(`${message.type()}: ${message.text()}`));
  page.on("pageerror", (error) => errors.push(String(error)));
  await page.goto(`${origin}/${program}.html`);
  // Load to page 1, timed in the page from the start of its navigation.
  const firstPageMs = await page.waitForFunction(
    (t) => document.title === t && performance.now(), { timeout: 20000 }, `${program} - page 1`)
    .then((handle) => handle.jsonValue(), () => NaN);
  await expectPage(page, program, 1);
  // A key turns the page with no click first; a click on the drawing does
  // nothing; the button turns one page; two keys pressed at once turn two.
  await page.keyboard.press("Space");
  await expectPage(page, program, 2);
  await page.click("#canvas");
  await expectStill(page, program, 2, "a click on the drawing");
  await page.click("#next");
  await expectPage(page, program, 3);
  await page.keyboard.press("Space");
  await page.keyboard.press("Space");
  await expectPage(page, program, 5);
  // Key to page shown, timed in the page: from the key event to the next
  // animation frame after the title names the new page.
  await page.evaluate(() => {
    window.turns = [];
    document.addEventListener("keydown", () => { window.pressedAt = performance.now(); });
    new MutationObserver(() => requestAnimationFrame(() => {
      window.turns.push(performance.now() - window.pressedAt);
    })).observe(document.querySelector("title"), { childList: true });
  });
  // A held key turns one page, whatever its auto-repeat.
  await page.keyboard.down("Space");
  await page.keyboard.down("Space");
  await page.keyboard.down("Space");
  await page.keyboard.up("Space");
  await expectPage(page, program, 6);
  await expectStill(page, program, 6, "a held key's repeats");
  for (let number = 7; number <= pages; number += 1) {
    await page.keyboard.press("Space");
    await expectPage(page, program, number);
  }
  const turns = await page.evaluate(() => window.turns);
  // Idle: main-thread task time over two seconds on the last page.
  const session = await page.createCDPSession();
  await session.send("Performance.enable");
  const taskTime = async () => (await session.send("Performance.getMetrics")).metrics
    .find((m) => m.name === "TaskDuration").value;
  const before = await taskTime();
  await new Promise((resolve) => setTimeout(resolve, 2000));
  const idleMs = (await taskTime() - before) * 1000 / 2;
  await page.keyboard.press("Space");
  const ended = await page.waitForSelector("#finished:not([hidden])", { timeout: 20000 })
    .then(() => true, () => false);
  check(ended, `${program}: no finished state after the last key`);
  check(await differingPixels(page, program, pages, null) === 0,
    `${program}: the last page did not stay visible after the end`);
  check(await page.$eval("#output", (e) => e.textContent) === expectedOutput,
    `${program}: the page shows '${await page.$eval("#output", (e) => e.textContent)}' as output`);
  check(errors.length === 0, `${program}: console messages: ${errors.join(" | ")}`);
  turns.sort((a, b) => a - b);
  console.log(`${program}: page 1 ${firstPageMs.toFixed(0)} ms after the load began; key to page shown ` +
    `median ${turns[Math.floor(turns.length / 2)].toFixed(1)} ms, ` +
    `max ${turns[turns.length - 1].toFixed(1)} ms; ` +
    `main thread busy ${idleMs.toFixed(2)} ms a second while waiting`);
  await page.close();
}

// A failure is told on the page. Emscripten's SDL reports success for
// everything a page can break, so the failure provoked here is the one a
// browser can really have: no 2D context for the canvas.
async function failure() {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    HTMLCanvasElement.prototype.getContext = () => null;
  });
  await page.goto(`${origin}/diamond.html`);
  const told = await page.waitForFunction(
    () => document.getElementById("failure").textContent.length > 0, { timeout: 20000 })
    .then(() => true, () => false);
  const text = await page.$eval("#failure", (e) => e.textContent);
  check(told, "a failure was not told on the page");
  console.log(`a failure on the page: '${text}'`);
  await page.close();
}

// The page under hard use: a phone's screen, keys pressed while the program
// loads on a slow network, and a program that cannot be loaded, from a
// file or with its WebAssembly missing or cut short.
async function hardUse() {
  let page = await browser.newPage();
  await page.setViewport({ width: 375, height: 667, deviceScaleFactor: 2 });
  await page.goto(`${origin}/diamond.html`);
  await page.waitForFunction(() => document.title === "diamond - page 1", { timeout: 20000 });
  const box = async (selector) => page.$eval(selector, (e) => {
    const r = e.getBoundingClientRect();
    return { width: r.width, height: r.height, bottom: r.bottom, right: r.right };
  });
  const drawing = await box("#canvas");
  check(drawing.right <= 375 && Math.abs(drawing.height - drawing.width * 3 / 4) < 1.5,
    `on a phone the drawing is ${drawing.width} x ${drawing.height}`);
  for (const selector of ["#next", "#status"]) {
    const shown = await box(selector);
    check(shown.bottom <= 667 && shown.right <= 375, `on a phone ${selector} is off screen`);
  }
  await page.close();

  page = await browser.newPage();
  const network = await page.createCDPSession();
  await network.send("Network.enable");
  await network.send("Network.emulateNetworkConditions",
    { offline: false, latency: 400, downloadThroughput: 100 * 1024, uploadThroughput: 100 * 1024 });
  await page.goto(`${origin}/diamond.html`, { waitUntil: "domcontentloaded" });
  for (let i = 0; i < 3; i += 1) await page.keyboard.press("Space");
  check(await page.$eval("#status", (e) => e.textContent) === "Loading…",
    "the keys were not pressed while the program loaded");
  const kept = await page.waitForFunction(() => document.title === "diamond - page 4",
    { timeout: 60000 }).then(() => true, () => false);
  check(kept, `three keys pressed while loading left '${await page.title()}'`);
  await page.close();

  const told = async (url, intercept, expected, what) => {
    const broken = await browser.newPage();
    if (intercept) {
      await broken.setRequestInterception(true);
      broken.on("request", intercept);
    }
    await broken.goto(url);
    const sentence = await broken.waitForFunction(
      () => document.getElementById("failure").textContent, { timeout: 20000 })
      .then((h) => h.jsonValue(), () => "");
    check(sentence.includes(expected), `${what}: the page said '${sentence}'`);
    check(await broken.$eval("#status", (e) => e.textContent) !== "Loading…",
      `${what}: "Loading…" stayed`);
    await broken.close();
  };
  await told(`file://${webFolder}/diamond.html`, null, "python3 -m http.server", "from a file");
  const wasm = fs.readFileSync(path.join(webFolder, "diamond.wasm"));
  await told(`${origin}/diamond.html`, (request) => (request.url().endsWith(".wasm")
    ? request.respond({ status: 404, body: "" }) : request.continue()), "diamond.wasm",
  "with no WebAssembly");
  await told(`${origin}/diamond.html`, (request) => (request.url().endsWith(".wasm")
    ? request.respond({ status: 200, contentType: "application/wasm",
      body: wasm.subarray(0, wasm.length / 2) }) : request.continue()), "diamond.wasm",
  "with its WebAssembly cut short");
}

// The landing page links both programs and shows their first pages.
async function landing() {
  const page = await browser.newPage();
  await page.goto(`${origin}/`);
  const links = await page.$$eval("a", (as) => as.map((a) => a.getAttribute("href")));
  check(links.includes("diamond.html") && links.includes("pyramid.html"),
    `the landing page links ${links.join(", ")}`);
  const pictures = await page.$$eval("img", (images) => images.map((i) => i.naturalWidth));
  check(pictures.length === 2 && pictures.every((w) => w === 800),
    "the landing page does not show both first pages");
  await page.close();
}

try {
  await landing();
  await session("diamond", family.diamond_pages, "");
  await session("pyramid", family.pyramid_pages, String(family.pyramid_count));
  await failure();
  await hardUse();
} finally {
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
