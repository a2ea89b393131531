// Every family's program page in Debian's Chromium, as a user meets it:
// every page pixel for pixel the Linux exporter's (read from the canvas and
// from a screenshot of it), keys pressed ahead kept, a click turning nothing,
// the "Next page" button turning one, what the program prints (pyramid's
// count) on the page, the finished state after the last key, no console
// error, a failure shown on the page, a phone's screen (every outline
// visible), the landing page (every program, its first page the
// exporter's) on a phone, and a page with no JavaScript. Also reports
// (asserts nothing about) how fast it is.
// Usage: node web_test.mjs WEB_FOLDER PAGES_FOLDER LINUX_BUILD_FOLDER
// PAGES_FOLDER holds FAMILY/page-N.png for every family of the Linux build,
// whose family_list names them and whose exporters tell what each prints.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { check, differingPixels as differing, failures, familiesOf, launch, lostOutlines,
  mainThreadBusy, serve, toldWithoutScript } from "./harness.mjs";

const [webFolder, pagesFolder, build] = process.argv.slice(2).map((p) => path.resolve(p));
const families = familiesOf(build);
// The family whose page stands for every family's in what they share.
const first = families[0].name;
const { server, origin } = await serve(webFolder, { "/pages/": pagesFolder });
const { browser, close } = await launch();

// What a program prints on its standard output (pyramid its count), which
// is what its exporter prints as it writes the same pages.
function printedBy(program) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "web-test-export-"));
  try {
    return execFileSync(path.join(build, `${program}_export`), [folder],
      { stdio: ["ignore", "pipe", "ignore"] }).toString();
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

// Differing pixels between the exported page N and the canvas, or a
// screenshot of it.
async function differingPixels(page, program, number, screenshot) {
  return differing(page, `/pages/${program}/page-${number}.png`,
    screenshot ? `data:image/png;base64,${screenshot}` : null, "#canvas");
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
  const idleMs = await mainThreadBusy(page, 2);
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
  await page.goto(`${origin}/${first}.html`);
  const told = await page.waitForFunction(
    () => document.getElementById("failure").textContent.length > 0, { timeout: 20000 })
    .then(() => true, () => false);
  const text = await page.$eval("#failure", (e) => e.textContent);
  check(told, "a failure was not told on the page");
  console.log(`a failure on the page: '${text}'`);
  await page.close();
}

// The page under hard use: a phone's screen, keys pressed while the program
// loads on a slow network, a program that cannot be loaded, from a file or
// with its WebAssembly missing or cut short, and no JavaScript at all.
async function hardUse() {
  let page;
  for (const { name: program } of families) {
    page = await browser.newPage();
    await page.setViewport({ width: 375, height: 667, deviceScaleFactor: 2 });
    await page.goto(`${origin}/${program}.html`);
    await page.waitForFunction((t) => document.title === t, { timeout: 20000 }, `${program} - page 1`);
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
    const shot = await (await page.$("#canvas")).screenshot({ encoding: "base64" });
    const outlines = await lostOutlines(page, `/pages/${program}/page-1.png`,
      `data:image/png;base64,${shot}`);
    check(outlines.checked > 1000 && outlines.lost === 0,
      `${program} on a phone: ${JSON.stringify(outlines)} outline pixels`);
    await page.close();
  }

  page = await browser.newPage();
  const network = await page.createCDPSession();
  await network.send("Network.enable");
  await network.send("Network.emulateNetworkConditions",
    { offline: false, latency: 400, downloadThroughput: 100 * 1024, uploadThroughput: 100 * 1024 });
  await page.goto(`${origin}/${first}.html`, { waitUntil: "domcontentloaded" });
  for (let i = 0; i < 3; i += 1) await page.keyboard.press("Space");
  check(await page.$eval("#status", (e) => e.textContent) === "Loading…",
    "the keys were not pressed while the program loaded");
  const kept = await page.waitForFunction((t) => document.title === t,
    { timeout: 60000 }, `${first} - page 4`).then(() => true, () => false);
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
  await told(`file://${webFolder}/${first}.html`, null, "python3 -m http.server -b 127.0.0.1 -d build-web",
    "from a file");
  const wasm = fs.readFileSync(path.join(webFolder, `${first}.wasm`));
  await told(`${origin}/${first}.html`, (request) => (request.url().endsWith(".wasm")
    ? request.respond({ status: 404, body: "" }) : request.continue()), `${first}.wasm`,
  "with no WebAssembly");
  await told(`${origin}/${first}.html`, (request) => (request.url().endsWith(".wasm")
    ? request.respond({ status: 200, contentType: "application/wasm",
      body: wasm.subarray(0, wasm.length / 2) }) : request.continue()), `${first}.wasm`,
  "with its WebAssembly cut short");
  check(await toldWithoutScript(browser, `${origin}/${first}.html`),
    "with no JavaScript no sentence stands where the status line does");
}

// The landing page links the explorer first and every program, and shows
// their first pages, the exporters' own.
async function landing() {
  const page = await browser.newPage();
  await page.goto(`${origin}/`);
  const links = await page.$$eval("a", (as) => as.map((a) => a.getAttribute("href")));
  check(links[0] === "explore.html" && families.every(({ name }) => links.includes(`${name}.html`)),
    `the landing page links ${links.join(", ")}`);
  const pictures = await page.$$eval("img", (images) => images.map((i) => i.getAttribute("src")));
  check(pictures.length === families.length, `the landing page shows ${pictures.join(", ")}`);
  for (const { name } of families) {
    const picture = `${name}-page-1.png`;
    const differ = pictures.includes(picture)
      ? await differing(page, `/pages/${name}/page-1.png`, `/${picture}`, null) : "all";
    check(differ === 0, `the landing page's ${picture}: ${differ} pixels differ from the exporter's page 1`);
  }
  // On a phone: no sideways scroll, and the pictures keep their 4:3.
  await page.setViewport({ width: 375, height: 667, deviceScaleFactor: 2 });
  const shown = await page.evaluate(() => [document.documentElement.scrollWidth,
    ...[...document.images].map((i) => i.height / i.width)]);
  check(shown[0] <= 375 && shown.slice(1).every((shape) => Math.abs(shape - 3 / 4) < 0.01),
    `on a phone the landing page is ${shown[0]} px wide, its pictures ${shown.slice(1)} high to 1 wide`);
  await page.close();
}

try {
  await landing();
  for (const { name, pages } of families) await session(name, pages, printedBy(name));
  await failure();
  await hardUse();
} finally {
  await close();
  server.close();
}
const { passed, failed } = failures();
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
