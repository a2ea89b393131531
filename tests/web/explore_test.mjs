// The explorer in Debian's Chromium, against the Linux exporters' own files:
// every page of several orders pixel for pixel the exporter's, a jump to the
// last page of the largest order, the keys, the URL and the browser's
// history, a bad URL told and mended, the selection and its text, every
// download (pages and figures, with and without paths), the keyboard after
// each control and for the selection, what a screen reader is told, a
// phone's screen, a failed load, a page with no JavaScript, and no console
// message.
// Usage: node explore_test.mjs WEB_FOLDER LINUX_BUILD_FOLDER
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { check, differingPixels, failures, launch, lostOutlines, serve, toldWithoutScript }
  from "./harness.mjs";

const [webFolder, build] = process.argv.slice(2).map((p) => path.resolve(p));
const exports = fs.mkdtempSync(path.join(os.tmpdir(), "explore-exports-"));
const downloads = fs.mkdtempSync(path.join(os.tmpdir(), "explore-downloads-"));
// FAMILY_export OPTIONS EXPORTS/FOLDER; its standard output.
function exporter(family, folder, ...options) {
  const target = folder ? [path.join(exports, folder)] : [];
  return execFileSync(path.join(build, `${family}_export`), [...options, ...target],
    { stdio: ["ignore", "pipe", "ignore"] }).toString();
}
const orders = [["diamond", 1], ["diamond", 2], ["diamond", 3], ["diamond", 5], ["pyramid", 1],
  ["pyramid", 2], ["pyramid", 3], ["pyramid", 4], ["pyramid", 6], ["diamond", 7]];
for (const [family, order] of orders) exporter(family, `${family}-${order}`, "--order", `${order}`);
for (const format of ["", "--svg", "--tikz"]) {
  const suffix = format.replace("--", "-");
  const withFormat = format ? [format] : [];
  exporter("diamond", `diamond-3${suffix}`, "--order", "3", ...withFormat);
  exporter("diamond", `diamond-3-figure${suffix}`, "--order", "3", "--figure", "17", ...withFormat);
  exporter("pyramid", `pyramid-5-path${suffix}`, "--path", ...withFormat);
  exporter("pyramid", `pyramid-5-path-figure${suffix}`, "--path", "--figure", "394", ...withFormat);
}

const { server, origin } = await serve(webFolder, { "/exports/": exports, "/downloads/": downloads });
const { browser, close } = await launch();
const session = await browser.target().createCDPSession();
await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
const messages = [];

async function open(query, viewport = { width: 1000, height: 1100 }) {
  const page = await browser.newPage();
  await page.setViewport({ deviceScaleFactor: 1, ...viewport });
  page.on("console", (message) => messages.push(`${message.type()}: ${message.text()}`));
  page.on("pageerror", (error) => messages.push(String(error)));
  await page.goto(`${origin}/explore.html${query}`);
  return page;
}

async function expectShown(page, title, exported, what) {
  const shown = await page.waitForFunction((t) => document.title === t, { timeout: 20000 }, title)
    .then(() => true, () => false);
  check(shown, `${what}: the title is '${await page.title()}', not '${title}'`);
  check(await differingPixels(page, `/exports/${exported}`, null, "#page") === 0,
    `${what}: the page is not the exporter's ${exported}`);
}

// Every page of an order, turned with → from the first, as the exporter wrote them.
async function everyPage(family, order) {
  const listed = exporter(family, null, "--order", `${order}`, "--list").trim().split("\n").slice(1);
  const pages = Number(listed[listed.length - 1].split("\t")[1]);
  const page = await open(`?family=${family}&order=${order}`);
  for (let number = 1; number <= pages; number += 1) {
    if (number > 1) await page.keyboard.press("ArrowRight");
    await expectShown(page, `${family} order ${order} - page ${number} of ${pages}`,
      `${family}-${order}/page-${number}.png`, `${family} order ${order}`);
  }
  check(await page.$eval("#status", (e) => e.textContent).then((t) => t.endsWith(`, ${listed.length} figures`)),
    `${family} order ${order}: the status line does not count ${listed.length} figures`);
  await page.close();
}

// A downloaded file, once it is whole.
async function downloaded(name) {
  const file = path.join(downloads, name);
  for (let tries = 0; tries < 100 && !fs.existsSync(file); tries += 1) {
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return fs.existsSync(file) ? file : null;
}

// The three downloads of `kind` ("page" or "figure") against the exporter's
// files: SVG and TikZ byte for byte, PNG pixel for pixel.
async function expectDownloads(page, kind, stem, exported, exportedStem) {
  for (const [format, extension, suffix] of [[0, "png", ""], [1, "svg", "-svg"], [2, "tex", "-tikz"]]) {
    await page.click(`[data-download=${kind}][data-format="${format}"]`);
    const name = `${stem}.${extension}`;
    const file = await downloaded(name);
    const expected = `${exported}${suffix}/${exportedStem}.${extension}`;
    if (!file) {
      check(false, `${name} was not downloaded`);
    } else if (format === 0) {
      check(await differingPixels(page, `/exports/${expected}`, `/downloads/${name}`, null) === 0,
        `${name} is not the exporter's ${expected}`);
    } else {
      check(fs.readFileSync(file).equals(fs.readFileSync(path.join(exports, expected))),
        `${name} is not the exporter's ${expected}`);
    }
  }
}

async function selectFigure(page, index) {
  const point = await page.evaluate((i) => {
    const box = document.getElementById("page").getBoundingClientRect();
    const edge = (side) => Module._explore_figure_edge(i, side);
    return { x: box.left + (edge(0) + edge(2)) / 2 * box.width / 800,
      y: box.top + (edge(1) + edge(3)) / 2 * box.height / 600 };
  }, index);
  await page.mouse.move(point.x, point.y);
  return page.$eval("#selection", (e) => e.textContent);
}

async function selectionAndDownloads() {
  const listed = exporter("diamond", null, "--order", "3", "--list").split("\n")[17].split("\t");
  let page = await open("?family=diamond&order=3");
  await expectShown(page, "diamond order 3 - page 1 of 1", "diamond-3/page-1.png", "diamond order 3");
  // From the keyboard: Tab to the page, ↓ and ↑ to figure 17, Tab on to
  // its downloads; the page and both rows of downloads named apart.
  await page.focus("#page-number");
  for (const key of ["Tab", ...Array(18).fill("ArrowDown"), "ArrowUp"]) await page.keyboard.press(key);
  const keyed = await page.$eval("#selection", (e) => e.textContent);
  check(keyed === `figure 17 of 63: ${listed[2]}`, `↓ and ↑ selected '${keyed}'`);
  for (const key of ["Tab", "Tab", "Tab", "Tab"]) await page.keyboard.press(key);
  for (const name of ["diamond order 3, page 1 of 1: figures 1 to 63 of 63 as domino tilings",
    "This page as PNG", "Figure 17 as PNG"]) {
    const focused = await (await page.$(`aria/${name}`))?.evaluate((e) => e === document.activeElement);
    check(focused === (name === "Figure 17 as PNG"),
      `'${name}' ${focused === undefined ? "names nothing" : `${focused ? "has" : "lacks"} the focus`}`);
  }
  const text = await selectFigure(page, 16);
  check(text === `figure 17 of 63: ${listed[2]}`, `the selection says '${text}'`);
  check(await differingPixels(page, "/exports/diamond-3/page-1.png", null, "#page") === 0,
    "the selection changed the page's pixels");
  check(await page.$eval("#overlay", (c) => c.getContext("2d").getImageData(0, 0, 800, 600).data
    .some((v) => v !== 0)), "the selection is not shown");
  await expectDownloads(page, "figure", "diamond-order-3-figure-17", "diamond-3-figure", "figure-17");
  await expectDownloads(page, "page", "diamond-order-3-page-1", "diamond-3", "page-1");
  await page.close();

  page = await open("?family=pyramid&order=5&page=7&paths=1");
  await expectShown(page, "pyramid order 5 - page 7 of 7", "pyramid-5-path/page-7.png", "paths");
  const last = await page.evaluate(() => Module._explore_page_figure_count() - 1);
  check((await selectFigure(page, last)).startsWith("figure 394 of 394: flat flat"),
    "the last pyramid figure is not selected");
  await expectDownloads(page, "figure", "pyramid-order-5-figure-394", "pyramid-5-path-figure",
    "figure-394");
  await expectDownloads(page, "page", "pyramid-order-5-page-7", "pyramid-5-path", "page-7");
  await page.close();
}

// Keys, the history, the largest order's last page, and URLs that ask for
// what is not there.
async function navigation() {
  let page = await open("?family=diamond&order=7");
  await expectShown(page, "diamond order 7 - page 1 of 3243", "diamond-7/page-1.png", "order 7");
  await page.keyboard.press("End");
  await expectShown(page, "diamond order 7 - page 3243 of 3243", "diamond-7/page-3243.png", "End");
  await page.keyboard.press("PageUp");
  await page.keyboard.press("Home");
  await page.keyboard.press("Space");
  await expectShown(page, "diamond order 7 - page 2 of 3243", "diamond-7/page-2.png", "Home, space");
  const address = "?family=diamond&order=7&page=2";
  await page.waitForFunction((a) => location.search === a, { timeout: 5000 }, address).catch(() => {});
  check(new URL(page.url()).search === address, `the URL is ${page.url()}`);
  await page.select("#order", "5");
  await expectShown(page, "diamond order 5 - page 1 of 71", "diamond-5/page-1.png", "order 5");
  await page.waitForFunction(() => location.search.includes("order=5"), { timeout: 5000 })
    .catch(() => {});
  await page.goBack();
  await expectShown(page, "diamond order 7 - page 2 of 3243", "diamond-7/page-2.png", "going back");
  await page.close();
  // Back and Forward at once after a change: the new order is an entry at
  // once, the entry left keeps the page turned to before it, and a page
  // turned to just before Back is there again on Forward.
  page = await open("?family=diamond&order=4");
  await page.select("#order", "5");
  await page.waitForFunction(() => location.search.includes("order=5"), { timeout: 5000 });
  for (const act of ["ArrowRight", "7", "End"]) {
    await (act === "7" ? page.select("#order", act) : page.keyboard.press(act));
  }
  await page.goBack();
  await expectShown(page, "diamond order 5 - page 2 of 71", "diamond-5/page-2.png", "Back at once");
  await page.goForward();
  await expectShown(page, "diamond order 7 - page 3243 of 3243", "diamond-7/page-3243.png",
    "Forward at once");
  await page.close();
  // The buttons, the page-number box and a swipe each way.
  page = await open("?family=diamond&order=5");
  const title = (number) => `diamond order 5 - page ${number} of 71`;
  await expectShown(page, title(1), "diamond-5/page-1.png", "order 5");
  const stage = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
  const swipe = async (from, to) => {
    await page.touchscreen.touchStart(stage.left + from, stage.top + 100);
    await page.touchscreen.touchMove(stage.left + to, stage.top + 110);
    await page.touchscreen.touchEnd();
  };
  for (const [act, number] of [[() => page.click("#next"), 2], [() => page.click("#last"), 71],
    [() => page.click("#previous"), 70], [() => page.click("#first"), 1],
    [async () => { await page.$eval("#page-number", (e) => { e.value = ""; }); await page.type("#page-number", "40\n"); }, 40],
    [() => page.keyboard.press("ArrowRight"), 41], [() => page.keyboard.press("ArrowLeft"), 40],
    [() => swipe(300, 100), 41], [() => swipe(100, 300), 40]]) {
    await act();
    await expectShown(page, title(number), `diamond-5/page-${number}.png`, `to page ${number}`);
  }
  for (const typed of ["1e3", "-1", "2.5"]) {
    await page.$eval("#page-number", (e) => { e.value = ""; });
    await page.type("#page-number", `${typed}\n`);
    const said = await page.$eval("#message", (e) => e.textContent);
    check(said === `Page "${typed}" is not a whole number: page 40 is still shown.`,
      `the page box took ${typed}: '${said}'`);
  }
  await page.close();
  for (const [query, title, exported, sentences] of [
    ["?family=diamond&order=7&page=3243", "diamond order 7 - page 3243 of 3243",
      "diamond-7/page-3243.png", []],
    ["?family=diamond&order=9", "diamond order 7 - page 1 of 3243", "diamond-7/page-1.png",
      ["Diamond has orders 1 to 7, so order 7 is shown instead of order 9."]],
    ["?family=pyramid&order=2&page=0", "pyramid order 2 - page 1 of 1", "pyramid-2/page-1.png",
      ["Pyramid order 2 has 1 page, so page 1 is shown instead of page 0."]],
    ["?family=cube&page=x", "diamond order 4 - page 1 of 9", null,
      ['There is no family "cube": diamond is shown.', 'Page "x" is not a whole number: page 1 is shown.']],
    ["?family=diamond&order=5&page=0000000003", "diamond order 5 - page 3 of 71", "diamond-5/page-3.png", []],
    ["?family=diamond&order=005&page=9999999999", "diamond order 5 - page 71 of 71", "diamond-5/page-71.png",
      ["Diamond order 5 has 71 pages, so page 71 is shown instead of page 9999999999."]],
    [`?family=pyramid&order=${"9".repeat(40)}&page=${"7".repeat(40)}`, "pyramid order 8 - page 1387 of 1387",
      null, [`Pyramid has orders 1 to 8, so order 8 is shown instead of order ${"9".repeat(24)}….`,
        `Pyramid order 8 has 1387 pages, so page 1387 is shown instead of page ${"7".repeat(24)}….`]],
    [`?family=${"q".repeat(5000)}`, "diamond order 4 - page 1 of 9", null,
      [`There is no family "${"q".repeat(24)}…": diamond is shown.`]]]) {
    // On a phone's width, where a long sentence must wrap.
    page = await open(query, { width: 375, height: 667 });
    const asked = query.length > 80 ? `${query.slice(0, 80)}…` : query;
    await page.waitForFunction((t) => document.title === t, { timeout: 20000 }, title)
      .catch(() => {});
    check(await page.title() === title, `${asked}: the title is '${await page.title()}'`);
    if (exported) {
      check(await differingPixels(page, `/exports/${exported}`, null, "#page") === 0,
        `${asked}: the page is not ${exported}`);
    }
    const said = await page.$eval("#message", (e) => e.textContent);
    check(said === sentences.join(" "), `${asked}: the page says '${said}'`);
    check(await page.evaluate(() => document.documentElement.scrollWidth) <= 375,
      `${asked}: the page is wider than the phone`);
    await page.close();
  }
}

// The page keys after each control was used with the pointer or Enter,
// which leaves the focus on the page, and a select reached with Tab
// keeping its own arrows.
async function keysAfterControls() {
  const page = await open("?family=diamond&order=4");
  await page.waitForFunction(() => document.title.startsWith("diamond"), { timeout: 20000 });
  const key = (name) => [name, () => page.keyboard.press(name)];
  const then = (what, first, name) => [what, () => first().then(() => page.keyboard.press(name))];
  for (const [[what, act], shown, focused] of [
    [["the order chosen with the mouse", () => page.click("#order").then(() => page.select("#order", "5"))], 1],
    [key("ArrowRight"), 2], [key("End"), 71], [["a click on Show paths", () => page.click("#paths")], 71],
    [key("Home"), 1], [key("ArrowRight"), 2], [key("PageDown"), 3], [key("End"), 71],
    [then("Enter on First", () => page.focus("#first"), "Enter"), 1, "page"], [key("ArrowRight"), 2],
    [then("Tab to the order", () => page.focus("#family"), "Tab"), 2, "order"],
    [key("ArrowUp"), 0, "order"], [key("ArrowRight"), 1, "order"]]) {
    await act();
    const title = shown ? `diamond order 5 - page ${shown} of 71` : "diamond order 4 - page 1 of 9";
    await page.waitForFunction((t) => document.title === t, { timeout: 5000 }, title).catch(() => {});
    check(await page.title() === title, `after ${what}: '${await page.title()}', not '${title}'`);
    check(!focused || await page.evaluate(() => document.activeElement.id) === focused,
      `after ${what} the focus is not on #${focused}`);
  }
  await page.close();
}

// A phone's screen: the page fits the width at 4:3, every outline stays
// visible, and every control is touch-sized; a module that cannot be
// loaded is told in a sentence; and with no JavaScript, a sentence stands
// where the status line does.
async function phoneAndFailure() {
  const phone = { width: 375, height: 667, deviceScaleFactor: 2 };
  let page = await open("?family=diamond&order=5&page=3", phone);
  await expectShown(page, "diamond order 5 - page 3 of 71", "diamond-5/page-3.png", "a phone");
  const shot = await (await page.$("#page")).screenshot({ encoding: "base64" });
  const outlines = await lostOutlines(page, "/exports/diamond-5/page-3.png", `data:image/png;base64,${shot}`);
  check(outlines.checked > 1000 && outlines.lost === 0, `on a phone ${JSON.stringify(outlines)} outline pixels`);
  const stage = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
  check(stage.right <= 375 && Math.abs(stage.height - stage.width * 3 / 4) < 1.5,
    `on a phone the page is ${stage.width} x ${stage.height}`);
  const small = await page.$$eval("button, select, input[type=number]", (all) => all
    .filter((e) => e.getBoundingClientRect().height < 44).map((e) => e.id || e.textContent));
  check(small.length === 0, `on a phone these controls are too small: ${small.join(", ")}`);
  await page.close();
  page = await browser.newPage();
  await page.setRequestInterception(true);
  page.on("request", (request) => (request.url().endsWith(".wasm")
    ? request.respond({ status: 404, body: "" }) : request.continue()));
  await page.goto(`${origin}/explore.html`);
  const said = await page.waitForFunction(() => document.getElementById("message").textContent,
    { timeout: 20000 }).then((h) => h.jsonValue(), () => "");
  check(said.includes("explore_core.wasm"), `with no WebAssembly the page said '${said}'`);
  await page.close();
  check(await toldWithoutScript(browser, `${origin}/explore.html`),
    "with no JavaScript no sentence stands where the status line does");
}

try {
  for (const [family, order] of orders.slice(0, -1)) await everyPage(family, order);
  await navigation();
  await keysAfterControls();
  await selectionAndDownloads();
  await phoneAndFailure();
  check(messages.length === 0, `console messages: ${messages.join(" | ")}`);
} finally {
  await close();
  server.close();
  fs.rmSync(exports, { recursive: true, force: true });
  fs.rmSync(downloads, { recursive: true, force: true });
}
const { passed, failed } = failures();
console.log(`explorer: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
