// The explorer in Debian's Chromium, against the Linux exporters' own files:
// every page of several orders pixel for pixel the exporter's, a jump to the
// last page of the largest order, the keys, the URL and the browser's
// history, a bad URL told and mended, the selection and its text, every
// download (pages and figures, with and without paths), the keyboard after
// each control and for the selection, what a screen reader is told, a
// phone's screen, a failed load, a page with no JavaScript, and no console
// message. Then what a user asks for, against the exporters' --where,
// --counts, --figure, --random and --list: the families and orders the
// module has, the counts and filtered pages, the panel's tables and its
// table of two statistics following the filter, figures by number and
// steps (21 and 764 digits too), random figures and tilings by seed, and
// figures drawn alone past the paged orders, with their downloads.
// Usage: node explore_test.mjs WEB_FOLDER LINUX_BUILD_FOLDER
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { check, differingPixels, failures, familiesOf, launch, lostOutlines, serve,
  toldWithoutScript } from "./harness.mjs";

const [webFolder, build] = process.argv.slice(2).map((p) => path.resolve(p));
const families = familiesOf(build);
const exports = fs.mkdtempSync(path.join(os.tmpdir(), "explore-exports-"));
const downloads = fs.mkdtempSync(path.join(os.tmpdir(), "explore-downloads-"));
// FAMILY_export OPTIONS EXPORTS/FOLDER; its standard output.
function exporter(family, folder, ...options) {
  const target = folder ? [path.join(exports, folder)] : [];
  return execFileSync(path.join(build, `${family}_export`), [...options, ...target],
    { stdio: ["ignore", "pipe", "ignore"], maxBuffer: 64 << 20 }).toString();
}
// The exporter's --list with `options`, a row a figure: its number, page
// and steps, and what the selection line says of it among `total` figures.
function listed(family, ...options) {
  const lines = exporter(family, null, ...options, "--list").trim().split("\n");
  const [head, ...rows] = lines.map((line) => line.split("\t"));
  return rows.map(([number, page, steps, ...values]) => ({ number, page: Number(page), steps,
    says: (total) => `figure ${number} of ${total}: ${steps} ` +
      `(${values.map((value, i) => `${head[i + 3]} ${value}`).join(", ")})` }));
}
// How many figures the family has at `order`, in digits, as --counts adds them up.
const total = (family, order) =>
  /^all\t([0-9]+)$/m.exec(exporter(family, null, "--order", `${order}`, "--counts", "flats"))[1];
// The pages of `family` at `order` that `where` keeps, exported once into
// a folder of their own: its name, and how many pages.
function exportedWhere(family, order, where) {
  const folder = `${family}-${order}${where ? `-${where}` : ""}`;
  if (!fs.existsSync(path.join(exports, folder))) {
    exporter(family, folder, "--order", `${order}`, ...(where ? ["--where", where] : []));
  }
  return { folder, pages: fs.readdirSync(path.join(exports, folder)).length };
}
const orders = [["diamond", 1], ["diamond", 2], ["diamond", 3], ["diamond", 5], ["pyramid", 1],
  ["pyramid", 2], ["pyramid", 3], ["pyramid", 4], ["pyramid", 6], ["aztec", 3], ["diamond", 7]];
for (const [family, order] of orders) exporter(family, `${family}-${order}`, "--order", `${order}`);
for (const format of ["", "--svg", "--tikz"]) {
  const suffix = format.replace("--", "-");
  const withFormat = format ? [format] : [];
  exporter("diamond", `diamond-3${suffix}`, "--order", "3", ...withFormat);
  exporter("diamond", `diamond-3-figure${suffix}`, "--order", "3", "--figure", "17", ...withFormat);
  exporter("pyramid", `pyramid-5-path${suffix}`, "--path", ...withFormat);
  exporter("pyramid", `pyramid-5-path-figure${suffix}`, "--path", "--figure", "394", ...withFormat);
  exporter("diamond", `diamond-20-path-figure${suffix}`, "--order", "20", "--path", "--figure", "12345",
    ...withFormat);
  exporter("aztec", `aztec-60${suffix}`, "--order", "60", "--random", "42", ...withFormat);
}
const [n20, n28, n48] = [["diamond", 20], ["diamond", 28], ["pyramid", 48]].map(([f, o]) => total(f, o));
const big = "123456789012345678901";
for (const figure of ["1", big, String(BigInt(n28) - 1n)]) {
  exporter("diamond", "diamond-28-figure", "--order", "28", "--figure", figure);
}
for (const figure of ["1", "12345"]) {
  exporter("diamond", "diamond-20-figure", "--order", "20", "--figure", figure);
}
exporter("pyramid", "pyramid-48-path-figure", "--order", "48", "--path", "--figure", n48);
exporter("aztec", "aztec-299", "--order", "299", "--random", "42");

const { server, origin } = await serve(webFolder, { "/exports/": exports, "/downloads/": downloads });
const { browser, close } = await launch();
const session = await browser.target().createCDPSession();
await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
const messages = [];

async function open(query, viewport = { width: 1000, height: 1100 }) {
  const page = await browser.newPage();
  await page.setViewport({ deviceScaleFactor: 1, ...viewport });
  page.on("console", (message) => messages.push(`${message.type()}: ${message.text()} (${query})`));
  page.on("pageerror", (error) => messages.push(String(error)));
  await page.goto(`${origin}/explore.html${query}`);
  return page;
}

async function expectShown(page, title, exported, what) {
  const shown = await page.waitForFunction((t) => document.title === t, { timeout: 20000 }, title)
    .then(() => true, () => false);
  check(shown, `${what}: the title is '${await page.title()}', not '${title}'`);
  if (exported) {
    check(await differingPixels(page, `/exports/${exported}`, null, "#page") === 0,
      `${what}: the page is not the exporter's ${exported}`);
  }
}

const textOf = (page, selector) => page.$eval(selector, (e) => e.textContent);
const asked = async (page, name) => new URLSearchParams(await page.evaluate(() => location.search)).get(name);

// What a user does, as acts on a page.
const none = () => {};
const click = (selector) => (page) => page.click(selector);
const press = (key) => (page) => page.keyboard.press(key);
const typed = (selector, text) => async (page) => {
  await page.$eval(selector, (e) => { e.value = ""; });
  await page.type(selector, `${text}\n`);
};
const focusAndPress = (selector, key) => async (page) => {
  await page.focus(selector);
  await page.keyboard.press(key);
};
const withShift = (act) => async (page) => {
  await page.keyboard.down("Shift");
  await act(page);
  await page.keyboard.up("Shift");
};

// Opens the explorer at `query` and does each act in turn; after each it
// checks the title and the page against an exported file, and, as far as
// the expectation (or the function of the page that gives it) names them,
// the selection line, the sentence, values in the address, the element
// with the focus, the statistics' values chosen, and controls hidden.
async function actsOn(query, acts, viewport = undefined) {
  const page = await open(query, viewport);
  await page.waitForFunction(() => document.title.includes(" order "), { timeout: 20000 }).catch(() => {});
  for (const [what, act, expectation] of acts) {
    await act(page);
    const expected = typeof expectation === "function" ? await expectation(page) : expectation;
    await expectShown(page, expected.title, expected.exported, what);
    const shown = await page.evaluate((hidden) => ({
      selection: document.getElementById("selection").textContent,
      message: document.getElementById("message").textContent,
      focused: document.activeElement.id || document.activeElement.tagName,
      pressed: [...document.querySelectorAll("[aria-pressed=true]")]
        .map((b) => `${b.dataset.statistic} ${b.dataset.value}` +
          (b.dataset.second ? ` ${b.dataset.second} ${b.dataset.secondValue}` : "")).join(),
      hidden: hidden && [...document.querySelectorAll(hidden)].every((e) => e.hidden) }), expected.hidden);
    const wanted = { ...expected, hidden: expected.hidden && true };
    for (const [name, value] of Object.entries(shown)) {
      check(wanted[name] === undefined || value === wanted[name],
        `after ${what} the ${name} is '${value}', not '${wanted[name]}'`);
    }
    for (const [name, value] of Object.entries(expected.address ?? {})) {
      check(await asked(page, name) === value, `after ${what} the address is ${page.url()}`);
    }
  }
  await page.close();
}

// Every page of an order, or those a filter keeps, turned with → from the
// first, as the exporter wrote them.
async function everyPage(family, order, where = "") {
  const listed = exporter(family, null, "--order", `${order}`, "--list",
    ...(where ? ["--where", where] : [])).trim().split("\n").slice(1);
  const { folder, pages } = exportedWhere(family, order, where);
  const filtered = where ? ` where ${where}` : "";
  const filter = where ? `&where=${encodeURIComponent(where)}` : "";
  const page = await open(`?family=${family}&order=${order}${filter}`);
  for (let number = 1; number <= pages; number += 1) {
    if (number > 1) await page.keyboard.press("ArrowRight");
    await expectShown(page, `${family} order ${order}${filtered} - page ${number} of ${pages}`,
      `${folder}/page-${number}.png`, `${family} order ${order}${filtered}`);
  }
  check(await page.$eval("#status", (e) => e.textContent).then((t) => t.endsWith(`, ${listed.length} figures`)),
    `${family} order ${order}: the status line does not count ${listed.length} figures`);
  await page.close();
}

// A downloaded file, once it is whole: there, with nothing of it still
// being written (Chromium may make the file before it has written it all),
// and the same size twice running.
async function downloaded(name) {
  const file = path.join(downloads, name);
  const size = () => (fs.existsSync(file) ? fs.statSync(file).size : -1);
  let last = -1;
  for (let tries = 0; tries < 100; tries += 1) {
    const now = size();
    const writing = fs.readdirSync(downloads).some((f) => f.endsWith(".crdownload"));
    if (now > 0 && now === last && !writing) return file;
    last = now;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return size() >= 0 ? file : null;
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

// The page's own calls into the module, as its script has them.
const core = (page) => page.evaluateHandle(() => import("/explore/core.js"));

async function selectFigure(page, index) {
  const point = await (await core(page)).evaluate((calls, i) => {
    const box = document.getElementById("page").getBoundingClientRect();
    const [left, top, right, bottom] = calls.figureEdges(i);
    return { x: box.left + (left + right) / 2 * box.width / 800,
      y: box.top + (top + bottom) / 2 * box.height / 600 };
  }, index);
  await page.mouse.move(point.x, point.y);
  return page.$eval("#selection", (e) => e.textContent);
}

// In paper style, another palette and at another cell, each download is
// the exporter's file for the same options (PNG pixel for pixel).
async function drawingChoices() {
  exporter("aztec", "aztec-2-paper", "--order", "2", "--path", "--style", "paper", "--palette",
    "four", "--cell", "24");
  for (const format of ["svg", "tikz", "pdf", "json"]) {
    exporter("aztec", `aztec-2-paper-${format}`, `--${format}`, "--order", "2", "--path", "--style",
      "paper", "--palette", "four", "--cell", "24");
  }
  const page = await open("?family=aztec&order=2&paths=1&style=paper&palette=four");
  await page.type("#cell", "24");
  await page.keyboard.press("Tab");
  for (const [format, extension, folder] of [[0, "png", ""], [1, "svg", "-svg"],
    [2, "tex", "-tikz"], [3, "pdf", "-pdf"], [4, "json", "-json"]]) {
    await page.click(`[data-download=page][data-format="${format}"]`);
    const name = `aztec-order-2-page-1.${extension}`;
    const file = await downloaded(name);
    const expected = `aztec-2-paper${folder}/page-1.${extension}`;
    check(file && (format === 0
      ? await differingPixels(page, `/exports/${expected}`, `/downloads/${name}`, null) === 0
      : fs.readFileSync(file).equals(fs.readFileSync(path.join(exports, expected)))),
    `${name} in paper style is not the exporter's ${expected}`);
  }
  await page.close();
}

async function selectionAndDownloads() {
  const figure17 = listed("diamond", "--order", "3")[16];
  let page = await open("?family=diamond&order=3");
  const formatCount = await page.$$eval("#page-downloads button", (all) => all.length);
  await expectShown(page, "diamond order 3 - page 1 of 1", "diamond-3/page-1.png", "diamond order 3");
  // From the keyboard: Tab to the page, ↓ and ↑ to figure 17, Tab on to
  // its downloads; the page and both rows of downloads named apart.
  await page.focus("#where");
  for (const key of ["Tab", ...Array(18).fill("ArrowDown"), "ArrowUp"]) await page.keyboard.press(key);
  const keyed = await page.$eval("#selection", (e) => e.textContent);
  check(keyed === figure17.says(63), `↓ and ↑ selected '${keyed}'`);
  // Past the large figure's controls and the page's downloads, a button a
  // format, to the figure's first.
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  const largeStops = await page.$$eval("#large button, #large select, #large canvas",
    (all) => all.filter((e) => !e.disabled && e.offsetParent !== null).length);
  for (let key = 0; key <= formatCount + largeStops; key += 1) await page.keyboard.press("Tab");
  for (const name of ["diamond order 3, page 1 of 1: figures 1 to 63 of 63 as domino tilings",
    "This page as PNG", "Figure 17 as PNG"]) {
    const focused = await (await page.$(`aria/${name}`))?.evaluate((e) => e === document.activeElement);
    check(focused === (name === "Figure 17 as PNG"),
      `'${name}' ${focused === undefined ? "names nothing" : `${focused ? "has" : "lacks"} the focus`}`);
  }
  const text = await selectFigure(page, 16);
  check(text === figure17.says(63), `the selection says '${text}'`);
  check(await differingPixels(page, "/exports/diamond-3/page-1.png", null, "#page") === 0,
    "the selection changed the page's pixels");
  check(await page.$eval("#overlay", (c) => c.getContext("2d").getImageData(0, 0, 800, 600).data
    .some((v) => v !== 0)), "the selection is not shown");
  await expectDownloads(page, "figure", "diamond-order-3-figure-17", "diamond-3-figure", "figure-17");
  await expectDownloads(page, "page", "diamond-order-3-page-1", "diamond-3", "page-1");
  await page.close();

  page = await open("?family=pyramid&order=5&page=7&paths=1");
  await expectShown(page, "pyramid order 5 - page 7 of 7", "pyramid-5-path/page-7.png", "paths");
  const last = await (await core(page)).evaluate((calls) => calls.pageFigureCount() - 1);
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
    ["?family=diamond&order=1001", `diamond order 1000 - figure 1 of ${total("diamond", 1000)}`, null,
      ["Diamond has orders 1 to 1000, so order 1000 is shown instead of order 1001."]],
    ["?family=pyramid&order=2&page=0", "pyramid order 2 - page 1 of 1", "pyramid-2/page-1.png",
      ["Pyramid order 2 has 1 page, so page 1 is shown instead of page 0."]],
    ["?family=cube&page=x", "diamond order 4 - page 1 of 9", null,
      ['There is no family "cube": diamond is shown.', 'Page "x" is not a whole number: page 1 is shown.']],
    ["?family=diamond&order=5&page=0000000003", "diamond order 5 - page 3 of 71", "diamond-5/page-3.png", []],
    ["?family=diamond&order=005&page=9999999999", "diamond order 5 - page 71 of 71", "diamond-5/page-71.png",
      ["Diamond order 5 has 71 pages, so page 71 is shown instead of page 9999999999."]],
    [`?family=pyramid&order=${"9".repeat(40)}&page=${"7".repeat(40)}`,
      `pyramid order 1000 - figure 1 of ${total("pyramid", 1000)}`, null,
      [`Pyramid has orders 1 to 1000, so order 1000 is shown instead of order ${"9".repeat(24)}….`,
        `Pyramid order 1000 has no pages: page ${"7".repeat(24)}… is left out.`]],
    [`?family=pyramid&order=8&page=${"7".repeat(40)}`, "pyramid order 8 - page 1387 of 1387", null,
      [`Pyramid order 8 has 1387 pages, so page 1387 is shown instead of page ${"7".repeat(24)}….`]],
    ["?family=diamond&order=5&where=flats%3Dx&page=2", "diamond order 5 - page 2 of 71", "diamond-5/page-2.png",
      ['The filter "flats=x" cannot be read (a value is a whole number V, or a range LO-HI of them): ' +
        "every figure is shown."]],
    ["?family=diamond&order=5&random=18446744073709551616", "diamond order 5 - page 1 of 71", null,
      ['Seed "18446744073709551616" cannot be shown (a seed is a whole number from 0 to ' +
        "18446744073709551615): page 1 is shown."]],
    // A random figure under a filter is drawn among the figures it keeps.
    [`?family=diamond&order=5&where=flats%3D5&random=42`, "diamond order 5 where flats=5 - page 1 of 1", null,
      ["Figure 1 is drawn from seed 42 uniformly among the 1 figure where flats=5."]],
    ["?family=diamond&order=4&order=5&paths=true", "diamond order 4 - page 1 of 9", null,
      ['Order is given 2 times: the first, "4", is taken.',
        'Paths "true" is neither 1 (drawn) nor 0: they are not drawn.']],
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
  // Those shown: the zoom's are hidden at the paged orders.
  const small = await page.$$eval("button, select, input[type=number], input[type=text]", (all) => all
    .filter((e) => e.getClientRects().length > 0 && e.getBoundingClientRect().height < 44)
    .map((e) => e.id || e.textContent));
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
  // From a file no ES module loads; a module or .wasm cut short does not
  // run: each told, and "Loading…" gone.
  const cut = (file, type) => {
    const whole = fs.readFileSync(path.join(webFolder, file));
    return (request) => (request.url().endsWith(`/${file}`)
      ? request.respond({ status: 200, contentType: type, body: whole.subarray(0, whole.length / 2) })
      : request.continue());
  };
  for (const [url, intercept, expected, what] of [
    [`file://${webFolder}/explore.html`, null, "python3 -m http.server -b 127.0.0.1 -d build-web",
      "from a file"],
    [`${origin}/explore.html`, cut("explore_core.wasm", "application/wasm"), "explore_core.wasm",
      "with its .wasm cut short"],
    [`${origin}/explore.html`, cut("explore/show.js", "text/javascript"), "The explorer stopped",
      "with a module cut short"]]) {
    page = await browser.newPage();
    if (intercept) {
      await page.setRequestInterception(true);
      page.on("request", intercept);
    }
    await page.goto(url);
    const told = await page.waitForFunction(() => document.getElementById("message").textContent,
      { timeout: 20000 }).then((h) => h.jsonValue(), () => "");
    check(told.includes(expected) && await textOf(page, "#status") === "", `${what} the page said '${told}'`);
    await page.close();
  }
  check(await toldWithoutScript(browser, `${origin}/explore.html`),
    "with no JavaScript no sentence stands where the status line does");
}

// The families, orders and formats are the module's: the selects and the
// download buttons, as the Linux build's families and orders and the
// exporters' formats are.
async function familiesAndFormats() {
  const page = await open("");
  await page.waitForFunction(() => document.title.includes(" - page "), { timeout: 20000 });
  const names = await page.$$eval("#family option", (all) => all.map((o) => o.value));
  check(names.join() === families.map((f) => f.name).join(), `the families are ${names.join(", ")}`);
  for (const { name, largest, usual, pages, largestFigure, largestRandom } of families) {
    await page.select("#family", name);
    await expectShown(page, `${name} order ${usual} - page 1 of ${pages}`, null, `family ${name}`);
    // The Any order box only where random tilings go past the select's orders.
    const boxShown = await page.$eval("#order-field", (e) => !e.hidden);
    check(boxShown === largestRandom > Math.max(largestFigure, 299),
      `${name}: the Any order box is ${boxShown ? "shown" : "hidden"}`);
    // Paged orders, then any of one figure alone, then of random ones (in
    // the select up to 299; larger ones by the address).
    const groups = await page.$$eval("#order optgroup",
      (all) => all.map((g) => [...g.children].map((o) => Number(o.value))));
    const ends = [...new Set([largest, largestFigure,
      ...(largestRandom > largestFigure ? [Math.min(largestRandom, 299)] : [])])];
    check(groups.map((g) => g.at(-1)).join() === ends.join() && groups.flat().every((o, i) => o === i + 1),
      `${name}: the orders are ${groups.map((g) => `${g[0]}-${g.at(-1)}`)}, not to ${ends}`);
  }
  for (const kind of ["page", "figure"]) {
    const labels = await page.$$eval(`#${kind}-downloads button`, (all) => all.map((b) => b.textContent));
    check(labels.join() === "PNG,SVG,TikZ,PDF,JSON", `the ${kind}'s downloads are ${labels.join(", ")}`);
  }
  await page.close();
}

// The counts by statistic against the exporter's --counts; values chosen
// with the mouse and the keyboard, a range, the filter typed, told when
// bad, cleared and left by Back, each filter's first page the exporter's
// --where page; every filtered page of one; a filter that keeps nothing;
// and a family with no counts filtered by its address.
async function statisticsAndFilters() {
  // Random figure under a filter: each press a figure the filter keeps,
  // never a refusal (every press was refused when drawn among them all).
  const randomPage = await open("?family=pyramid&order=5&where=height%3D4-5");
  for (let press = 0; press < 5; press += 1) {
    // Each press a new seed in the address, once its figure is selected (or
    // refused): the filter's figures are listed first, slowly on a loaded
    // machine.
    const before = await randomPage.evaluate(() => location.search);
    await randomPage.click("#random");
    await randomPage.waitForFunction((search) => location.search !== search &&
      (document.getElementById("selection").textContent.startsWith("figure ") ||
       document.getElementById("message").textContent !== ""), { timeout: 60000 }, before).catch(() => {});
    const [line, said] = await randomPage.evaluate(() => [
      document.getElementById("selection").textContent, document.getElementById("message").textContent]);
    check(/height [45]\)$/.test(line) && !said.includes("is not among"),
      `a random figure where height=4-5: '${line}', '${said}'`);
  }
  await randomPage.close();
  const page = await open("?family=diamond&order=5");
  await expectShown(page, "diamond order 5 - page 1 of 71", "diamond-5/page-1.png", "order 5");
  const tables = await page.$$eval("#tables > table", (all) => all.map((t) => [t.caption.textContent,
    [...t.tBodies[0].rows].map((r) => [r.cells[0].textContent, r.cells[1].textContent,
      parseFloat(r.cells[2].firstChild.style.width)])]));
  check(tables.length === 4, `the panel has ${tables.length} tables`);
  for (const [name, rows] of tables) {
    const counted = exporter("diamond", null, "--order", "5", "--counts", name).trim().split("\n");
    const most = Math.max(...rows.map((r) => Number(r[1])));
    check(rows.map((r) => `${r[0]}\t${r[1]}`).join("\n") === counted.slice(1, -1).join("\n") &&
      rows.every((r) => Math.abs(r[2] - 100 * r[1] / most) < 0.2), `the ${name} counted: ${rows}`);
  }
  await page.close();
  const value = (statistic, number) => `#tables button[data-statistic=${statistic}][data-value="${number}"]`;
  const filtered = (where, pressed, extra = {}) => () => {
    const { folder, pages } = exportedWhere("diamond", 5, where);
    return { title: `diamond order 5${where ? ` where ${where}` : ""} - page 1 of ${pages}`,
      exported: `${folder}/page-1.png`, pressed, address: { where: where || null }, focused: "page",
      ...extra };
  };
  const [two, typedWhere, typedPressed] =
    ["flats 2,flats 3", "height=1-2,flats=1", "flats 1,height 1,height 2"];
  const cell = (flats, peaks) => `#pair button[data-value="${flats}"][data-second-value="${peaks}"]`;
  const bothPressed = "flats 1,peaks 2,flats 1 peaks 2";
  await actsOn("?family=diamond&order=5", [
    ["a click on flats 2", click(value("flats", 2)), filtered("flats=2", "flats 2")],
    ["Shift and a click on flats 3", withShift(click(value("flats", 3))), filtered("flats=2-3", two)],
    ["space on peaks 1", focusAndPress(value("peaks", 1), "Space"),
      filtered("flats=2-3,peaks=1", `${two},peaks 1`, { focused: "BUTTON" })],
    ["Shift+Enter on peaks 2", withShift(focusAndPress(value("peaks", 2), "Enter")),
      filtered("flats=2-3,peaks=1-2", `${two},peaks 1,peaks 2`)],
    ["flats 3 alone", click(value("flats", 3)), filtered("flats=3,peaks=1-2", "flats 3,peaks 1,peaks 2")],
    ["flats 3 again", click(value("flats", 3)), filtered("peaks=1-2", "peaks 1,peaks 2")],
    ["a cell of two statistics", click(cell(1, 2)), filtered("flats=1,peaks=2", bothPressed)],
    ["Enter on it again", focusAndPress(cell(1, 2), "Enter"), filtered("", "")],
    ["the filter typed", typed("#where", "height=1-2, flats=1"), filtered(typedWhere, typedPressed)],
    ["a bad filter typed", typed("#where", "flats=x"), filtered(typedWhere, typedPressed, { message:
      'The filter "flats=x" cannot be read: a value is a whole number V, or a range LO-HI of them.' })],
    ["Clear filter", click("#clear"), filtered("", "")],
    ["Back", (p) => p.goBack(), filtered(typedWhere, typedPressed, { focused: undefined })]]);
  await everyPage("diamond", 5, "flats=2");
  await actsOn("?family=diamond&order=7&where=returns%3D0", [["a filter that keeps nothing", none,
    { title: "diamond order 7 where returns=0 - page 1 of 1",
      selection: "No figure of diamond order 7 has returns=0." }]]);
  const { folder, pages } = exportedWhere("aztec", 3, "flats=1");
  await actsOn("?family=aztec&order=3&where=flats%3D1", [["aztec filtered", none,
    { title: `aztec order 3 where flats=1 - page 1 of ${pages}`, exported: `${folder}/page-1.png` }]]);
  await panelFollowsTheFilter();
}

// The panel as shown: each statistic's counts that are not 0, and the
// cells of the table of two statistics that have figures ("row,column
// count"); and the same as the exporter's --counts gives them.
const panelShown = (page) => page.evaluate(() => ({
  tables: [...document.querySelectorAll("#tables > table")].map((t) => `${t.caption.textContent}: ` +
    [...t.tBodies[0].rows].filter((r) => r.cells[1].textContent !== "0")
      .map((r) => `${r.cells[0].textContent}\t${r.cells[1].textContent}`).join("\n")).join("\n"),
  pair: [...document.querySelectorAll("#pair tbody button")].filter((b) => b.textContent !== "0")
    .map((b) => `${b.dataset.value},${b.dataset.secondValue} ${b.textContent}`).join(" "),
  labels: [...document.querySelectorAll("#pair tbody button")].every((b) =>
    b.getAttribute("aria-label") === `${b.dataset.statistic} ${b.dataset.value}, ${b.dataset.second} ` +
      `${b.dataset.secondValue}: ${b.textContent} figure${b.textContent === "1" ? "" : "s"}`),
}));
function panelCounted(family, order, where, pair) {
  const counted = (what) => exporter(family, null, "--order", `${order}`, "--counts", what,
    ...(where ? ["--where", where] : [])).trim().split("\n");
  const tables = ["flats", "peaks", "returns", "height"]
    .map((name) => `${name}: ${counted(name).slice(1, -1).join("\n")}`).join("\n");
  const [head, ...rows] = counted(pair).slice(0, -1);
  const columns = head.split("\t").slice(1, -1);
  const cells = rows.flatMap((line) => {
    const [row, ...counts] = line.split("\t");
    return counts.slice(0, -1).flatMap((count, i) => (count === "0" ? [] : [`${row},${columns[i]} ${count}`]));
  });
  return { tables, pair: cells.join(" "), labels: true };
}

// With a filter, every table counts the figures it keeps, and so does the
// table of two statistics, whichever two are chosen; the Aztec diamond's
// too, counted by listing.
async function panelFollowsTheFilter() {
  for (const [family, order, where, columns] of [["diamond", 7, "flats=2,returns=3-4", null],
    ["pyramid", 6, "height=2", "returns"], ["aztec", 4, "peaks=3", null]]) {
    const page = await open(`?family=${family}&order=${order}&where=${encodeURIComponent(where)}`);
    await page.waitForFunction(() => document.title.includes(" where "), { timeout: 20000 });
    if (columns) await page.select("#pair-columns", String(["flats", "peaks", "returns", "height"].indexOf(columns)));
    const shown = await panelShown(page);
    const counted = panelCounted(family, order, where, `flats,${columns ?? "peaks"}`);
    for (const part of ["tables", "pair", "labels"]) {
      check(shown[part] === counted[part], `${family} order ${order} where ${where}: the panel's ${part} ` +
        `are ${shown[part]}, not ${counted[part]}`);
    }
    await page.close();
  }
}

// Figures by number and steps in the Figure box, on their pages, selected
// and told with their statistics, the address naming them at once and
// Back returning to them; by address; refused when there is no such
// figure or the filter leaves it out, with nothing changed.
async function figuresByNumberAndSteps() {
  const [order7, aztec3, order5] = [["diamond", 7], ["aztec", 3], ["diamond", 5]]
    .map(([family, order]) => listed(family, "--order", `${order}`));
  const kept = listed("diamond", "--order", "5", "--where", "flats=2")[300];
  const on = (title, folder, pages, figures) => (row, extra = {}) => ({
    title: `${title} - page ${row.page} of ${pages}`, exported: `${folder}/page-${row.page}.png`,
    selection: row.says(figures), address: { figure: row.number }, focused: "page", ...extra });
  const diamond7 = on("diamond order 7", "diamond-7", 3243, order7.length);
  await actsOn("?family=diamond&order=7", [["figure 17", typed("#figure", "17"), diamond7(order7[16])],
    ["figure 30000 by steps", typed("#figure", order7[29999].steps), diamond7(order7[29999])],
    ["the last figure", typed("#figure", " 48639 "), diamond7(order7.at(-1))],
    ["Back", (p) => p.goBack(), diamond7(order7[29999], { focused: undefined })]]);
  await actsOn("?family=aztec&order=3", [["aztec's figure 37 by steps", typed("#figure", aztec3[36].steps),
    on("aztec order 3", "aztec-3", aztec3.at(-1).page, aztec3.length)(aztec3[36])]]);
  const filtered = on("diamond order 5 where flats=2", "diamond-5-flats=2", 24, order5.length);
  const refused = (message) => filtered(kept, { message, focused: undefined });
  await actsOn(`?family=diamond&order=5&where=flats%3D2&figure=${kept.number}`, [
    ["a figure by address", none, refused("")],
    ["figure 1", typed("#figure", "1"),
      refused(`Figure 1 is not among the figures where flats=2: page ${kept.page} is still shown.`)],
    ["figure 99999", typed("#figure", "99999"),
      refused('Figure "99999" cannot be shown: there is no figure of that number.')],
    ["no such steps", typed("#figure", "rise rise"),
      refused('Figure "rise rise" cannot be shown: no figure has those steps.')],
    ["no steps", typed("#figure", "hello"),
      refused(`Figure "hello" cannot be shown: that is no figure's number, nor its steps.`)]]);
}

// Random figures and tilings: the seed the button draws in the address at
// once (Back returns to the one before), or the address's own, the largest
// too, and what the exporter's --random draws for it: a figure on its page,
// selected, a figure alone, or a tiling at orders 60, 299 and 7 (a fresh
// seed when the address has none), with a tiling's downloads.
async function randomFigures() {
  const seedOf = async (page) => {
    const seed = await asked(page, "random");
    check(/^[0-9]+$/.test(seed) && BigInt(seed) < 2n ** 64n, `the address's seed is ${seed}`);
    return seed ?? "0";
  };
  const onItsPage = (family, order, seed) => {
    const row = listed(family, "--order", `${order}`, "--random", seed)[0];
    const all = listed(family, "--order", `${order}`);
    return { title: `${family} order ${order} - page ${row.page} of ${all.at(-1).page}`,
      exported: `${family}-${order}/page-${row.page}.png`, selection: row.says(all.length) };
  };
  // A figure or tiling drawn alone, the exporter's random-SEED file.
  const alone = (family, order, kind, seed) => {
    exporter(family, `${family}-${order}-${seed}`, "--order", `${order}`, "--random", seed);
    const row = kind === "figure" ? listed(family, "--order", `${order}`, "--random", seed)[0] : null;
    return { title: row ? `${family} order ${order} - figure ${row.number} of ${total(family, order)}`
      : `${family} order ${order}, seed ${seed}`, selection: row?.says(total(family, order)),
    exported: `${family}-${order}-${seed}/random-${seed}.png`, focused: "page" };
  };
  await actsOn("?family=diamond&order=5", [["Random figure", click("#random"),
    async (page) => onItsPage("diamond", 5, await seedOf(page))]]);
  await actsOn("?family=pyramid&order=6&random=18446744073709551615", [["the largest seed", none,
    onItsPage("pyramid", 6, "18446744073709551615")]]);
  await actsOn("?family=pyramid&order=30", [["Random figure alone", click("#random"),
    async (page) => alone("pyramid", 30, "figure", await seedOf(page))]]);
  const seed42 = { ...alone("aztec", 60, "tiling", "42"), focused: undefined,
    hidden: "#statistics, #pager, #filter, #figure-field, #figure-downloads" };
  await actsOn("?family=aztec&order=60&random=42", [["aztec order 60", none, seed42],
    ["its downloads", (p) => expectDownloads(p, "page", "aztec-order-60-random-42", "aztec-60", "random-42"),
      seed42],
    ["Random tiling", click("#random"), async (page) => alone("aztec", 60, "tiling", await seedOf(page))],
    ["Back", (p) => p.goBack(), seed42]]);
  await actsOn("?family=aztec&order=299&random=42", [["aztec order 299", none,
    { title: "aztec order 299, seed 42", exported: "aztec-299/random-42.png" }]]);
  await actsOn("?family=aztec&order=7", [["no seed asked", none,
    async (page) => ({ ...alone("aztec", 7, "tiling", await seedOf(page)), focused: undefined })]]);
}

// Past the paged orders, figures drawn alone: a 21-digit one by address,
// the keys to the last and the one before (the address following), one
// past the last refused; figure 1 at first, by steps, with paths, and the
// downloads; pyramid's last with its paths.
async function figuresAlone() {
  const [beforeLast, pastLast] = [BigInt(n28) - 1n, BigInt(n28) + 1n].map(String);
  const diamond28 = (figure, exported = false) => ({ title: `diamond order 28 - figure ${figure} of ${n28}`,
    exported: exported && `diamond-28-figure/figure-${figure}.png`,
    hidden: "#statistics, #pager, #filter, #figure-downloads" });
  await actsOn(`?family=diamond&order=28&figure=${big}`, [
    ["a 21-digit figure", none, { ...diamond28(big, true),
      selection: listed("diamond", "--order", "28", "--figure", big)[0].says(n28) }],
    ["End", press("End"), diamond28(n28)],
    ["← from the last", async (p) => {
      await p.keyboard.press("ArrowLeft");
      await p.waitForFunction((k) => location.search.endsWith(k), { timeout: 5000 }, beforeLast)
        .catch(() => {});
    }, { ...diamond28(beforeLast, true), address: { figure: beforeLast } }],
    ["one past the last", typed("#figure", pastLast), { ...diamond28(beforeLast),
      message: `Figure "${pastLast}" cannot be shown: there is no figure of that number.` }]]);
  const diamond20 = (figure, folder = "diamond-20-figure") => ({
    title: `diamond order 20 - figure ${figure} of ${n20}`, exported: `${folder}/figure-${figure}.png`,
    address: { figure } });
  const steps = listed("diamond", "--order", "20", "--figure", "12345")[0].steps;
  await actsOn("?family=diamond&order=20", [["order 20", none, diamond20("1")],
    ["steps", typed("#figure", steps), diamond20("12345")],
    ["paths", click("#paths"), diamond20("12345", "diamond-20-path-figure")],
    ["its downloads", (p) => expectDownloads(p, "page", "diamond-order-20-figure-12345",
      "diamond-20-path-figure", "figure-12345"), diamond20("12345", "diamond-20-path-figure")]]);
  await actsOn(`?family=pyramid&order=48&figure=${n48}&paths=1`, [["pyramid's last figure", none,
    { title: `pyramid order 48 - figure ${n48} of ${n48}`,
      exported: `pyramid-48-path-figure/figure-${n48}.png` }]]);
}

// At order 1,000: the last figure by its 764-digit number, told whole in
// the status line, which wraps it; a figure by its steps, some 7,000
// bytes of them; pyramid's random figure of a seed, the exporter's.
async function figuresAtOrder1000() {
  const last = total("diamond", 1000);
  const third = String(BigInt(last) / 3n);
  const steps = listed("diamond", "--order", "1000", "--figure", third)[0].steps;
  const title = (figure) => `diamond order 1000 - figure ${figure} of ${last}`;
  const page = await open(`?family=diamond&order=1000&figure=${last}`);
  await expectShown(page, title(last), null, "the last figure of order 1000");
  check(await page.$eval("#status", (e, n) => e.textContent.includes(`figure ${n} of ${n}`) &&
    e.scrollWidth <= e.clientWidth, last), "the status line does not wrap the figure's whole number");
  await page.$eval("#figure", (e, text) => { e.value = text; }, steps);
  await page.focus("#figure");
  await page.keyboard.press("Enter");
  await expectShown(page, title(third), null, `${steps.length} bytes of steps typed`);
  check(await asked(page, "figure") === third, `after the steps the address is ${page.url()}`);
  await page.close();
  const drawn = listed("pyramid", "--order", "1000", "--random", "7")[0];
  await actsOn("?family=pyramid&order=1000&random=7", [["a random figure", none,
    { title: `pyramid order 1000 - figure ${drawn.number} of ${total("pyramid", 1000)}` }]]);
}

// Past the orders that fit the page: order 1,000 by the address and by the
// Any order box, drawn whole at a pixel a cell on a canvas of its size, in
// the four classes' colours unless another palette is chosen, the arctic
// circle over it when its box is checked: the exporter's tiling for its
// seed and options, the colours told. What the box does not take is
// refused in a sentence, with nothing changed.
async function largeRandomTilings() {
  // The exporter's picture of aztec order ORDER for SEED with OPTIONS.
  const tiling = (order, seed, options, extra = {}) => {
    const folder = `aztec-${order}-${seed}${options.join("")}`;
    if (!fs.existsSync(path.join(exports, folder))) {
      exporter("aztec", folder, "--order", `${order}`, "--random", seed, ...options);
    }
    return { title: `aztec order ${order}, seed ${seed}`, exported: `${folder}/random-${seed}.png`,
      address: { order: `${order}`, random: seed }, ...extra };
  };
  const four = ["--palette", "four"];
  // The seed of the tiling of `order` once it is shown: a large one is
  // drawn in the background, the one before shown until then.
  const seedOf = async (page, order = 1000) => {
    await page.waitForFunction((o) => document.title.startsWith(`aztec order ${o},`) &&
      document.getElementById("progress").hidden, { timeout: 60000 }, order).catch(() => {});
    return asked(page, "random");
  };
  // The line that tells the colours: "" when it is hidden.
  const coloursTold = (page) => page.$eval("#colours", (e) => (e.hidden ? "" : e.textContent));
  const refused = (typed, why) => async (page) => ({ ...tiling(1000, await seedOf(page), four),
    message: `The Order box takes the order of a random tiling, a whole number from 6 to 4000: ` +
      `${typed} is not one${why}.` });
  for (const [query, options, circle] of [["", four, false], ["&arctic=1", [...four, "--arctic"], true],
    ["&palette=seed", [], null]]) {
    await actsOn(`?family=aztec&order=1000&random=7${query}`, [[`order 1000 by the address${query}`,
      none, async (page) => {
        const line = await coloursTold(page);
        check(circle === null ? line === "" : line.startsWith("Colours: north dominoes red, south " +
          "yellow, east green, west blue") && line.includes("arctic circle") === circle,
        `order 1000${query}: the colours are told as '${line}'`);
        return tiling(1000, "7", options, { message: "" });
      }]]);
  }
  await actsOn("?family=aztec&order=60&random=42", [
    ["the arctic circle at order 60", click("#arctic"),
      tiling(60, "42", ["--arctic"], { address: { arctic: "1", random: "42" } })],
    ["order 1000 in the Any order box", typed("#order-box", "1000"),
      async (page) => tiling(1000, await seedOf(page), [...four, "--arctic"], { focused: "page" })],
    ["the arctic circle left out", click("#arctic"),
      async (page) => tiling(1000, await seedOf(page), four, { address: { arctic: null } })],
    ["order 4001", typed("#order-box", "4001"), refused('"4001"', "; order 4000 takes some 680 MB of " +
      "memory and its picture 256 MB more, as much as a phone gives a page")],
    ["order 5", typed("#order-box", "5"), refused('"5"', "")],
    ["back to order 60", (p) => p.select("#order", "60"),
      async (page) => tiling(60, await seedOf(page, 60), [], { message: "" })]]);
}

// A window on a random tiling, zoomed by the address, the keys, the
// buttons and the wheel and moved by the keys and a drag: each time the
// page's pixels are the exporter's --cell picture's at that place, and the
// address keeps the zoom and the centre.
async function zoomedWindows() {
  // Pixels of the page that are not the picture's from its pixel (x, y) on.
  const differing = (page, url, x, y) => page.evaluate(async (at, left, top) => {
    const image = new Image();
    await new Promise((resolve, reject) => { image.onload = resolve; image.onerror = reject; image.src = at; });
    const canvas = document.createElement("canvas");
    canvas.width = 800;
    canvas.height = 600;
    const context = canvas.getContext("2d");
    context.fillStyle = "#fff";
    context.fillRect(0, 0, 800, 600);
    context.drawImage(image, -left, -top);
    const expected = context.getImageData(0, 0, 800, 600).data;
    const shown = document.getElementById("page").getContext("2d").getImageData(0, 0, 800, 600).data;
    let count = 0;
    for (let i = 0; i < expected.length; i += 4) {
      if (expected[i] !== shown[i] || expected[i + 1] !== shown[i + 1] || expected[i + 2] !== shown[i + 2]) count += 1;
    }
    return count;
  }, url, x, y);
  const windowOf = (order, seed, options, cell, x, y) => async (page) => {
    const folder = `aztec-${order}-${seed}-cell-${cell}${options.join("")}`;
    if (!fs.existsSync(path.join(exports, folder))) {
      exporter("aztec", folder, "--order", `${order}`, "--random", seed, "--cell", `${cell}`, ...options);
    }
    await page.waitForFunction((z) => location.search.includes(z), { timeout: 5000 },
      `zoom=${cell}&at=${x}%2C${y}`).catch(() => {});
    const wrong = await differing(page, `/exports/${folder}/random-${seed}.png`, x * cell - 400, y * cell - 300);
    check(wrong === 0, `aztec order ${order} at ${cell} pixels a cell about ${x}, ${y}: ${wrong} pixels ` +
      `are not the exporter's (${page.url()})`);
    return { title: `aztec order ${order}, seed ${seed}`, address: { zoom: `${cell}`, at: `${x},${y}` } };
  };
  await actsOn("?family=aztec&order=300&random=5&arctic=1&zoom=16&at=150,140", [
    ["a window by the address", none, windowOf(300, "5", ["--palette", "four", "--arctic"], 16, 150, 140)]]);
  const drag = async (page) => {
    const box = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
    const scale = box.width / 800;
    await page.mouse.move(box.left + 400 * scale, box.top + 300 * scale);
    await page.mouse.down();
    await page.mouse.move(box.left + 336 * scale, box.top + 268 * scale);
    await page.mouse.up();
  };
  const wheel = async (page) => {
    const box = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
    await page.mouse.move(box.left + 100, box.top + 100);
    await page.mouse.wheel({ deltaY: 100 });
  };
  await actsOn("?family=aztec&order=60&random=42&zoom=8&at=31,31", [
    ["+", press("+"), windowOf(60, "42", [], 16, 31, 31)],
    ["→", press("ArrowRight"), windowOf(60, "42", [], 16, 37, 31)],
    ["a drag", drag, windowOf(60, "42", [], 16, 41, 33)],
    ["the wheel", wheel, windowOf(60, "42", [], 8, 41, 33)],
    ["the + button", click("#zoom-in"), windowOf(60, "42", [], 16, 41, 33)],
    ["−", press("-"), windowOf(60, "42", [], 8, 41, 33)],
    ["Whole tiling", click("#zoom-whole"), async (page) => {
      await page.waitForFunction(() => !location.search.includes("zoom="), { timeout: 5000 }).catch(() => {});
      return { title: "aztec order 60, seed 42", exported: "aztec-60/random-42.png", address: { zoom: null } };
    }]]);
  // On a touch screen: two fingers apart by 100 then 180 pixels zoom in a
  // step, 200 then 100 out a step; one finger moves a zoomed window.
  const pinch = (from, to) => async (page) => {
    const box = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
    const [x, y] = [box.left + box.width / 2, box.top + box.height / 2];
    const fingers = (d) => [{ x: x - d / 2, y, id: 0 }, { x: x + d / 2, y, id: 1 }];
    const cdp = await page.createCDPSession();
    await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: fingers(from) });
    for (let step = 1; step <= 4; step += 1) {
      await cdp.send("Input.dispatchTouchEvent",
        { type: "touchMove", touchPoints: fingers(from + (to - from) * step / 4) });
    }
    await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await cdp.detach();
  };
  const finger = async (page) => {
    const box = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
    const scale = box.width / 800;
    await page.touchscreen.touchStart(box.left + 400 * scale, box.top + 300 * scale);
    await page.touchscreen.touchMove(box.left + 336 * scale, box.top + 268 * scale);
    await page.touchscreen.touchEnd();
  };
  await actsOn("?family=aztec&order=60&random=42&zoom=8&at=41,33", [
    ["a pinch out", pinch(100, 180), windowOf(60, "42", [], 16, 41, 33)],
    ["a finger's drag", finger, windowOf(60, "42", [], 16, 45, 35)],
    ["a pinch in", pinch(200, 100), windowOf(60, "42", [], 8, 45, 35)]],
  { width: 1000, height: 1100, hasTouch: true, isMobile: true });
}

// A large tiling is drawn in a worker: while it is, a progress line with
// Cancel is shown and the page answers (its seconds go on counting);
// Escape or Cancel stops it and what was shown stays, pixel for pixel; a
// new request stops the one before, and only the last is shown; then its
// window and its download are the worker's, equal to the exporter's.
async function drawnInBackground() {
  const page = await open("?family=aztec&order=60&random=42");
  await expectShown(page, "aztec order 60, seed 42", null, "order 60");
  const exported = (order, seed, folder, ...options) => {
    if (!fs.existsSync(path.join(exports, folder))) {
      exporter("aztec", folder, "--order", `${order}`, "--random", seed, ...options);
    }
    return `${folder}/random-${seed}`;
  };
  // The browser tells of a worker's end a little after it.
  const workersAre = async (count) => {
    for (let tries = 0; tries < 50 && page.workers().length !== count; tries += 1) {
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    return page.workers().length === count;
  };
  const progress = () => page.$eval("#progress", (e) => (e.hidden ? null : e.textContent.replace(/\s+/g, " ").trim()));
  const stays = async (what) => {
    check(await progress() === null, `${what}: the progress line stays`);
    check(await page.title() === "aztec order 60, seed 42" && await asked(page, "order") === "60",
      `${what}: ${await page.title()} is shown at ${page.url()}`);
    check(await differingPixels(page, `/exports/${exported(60, "42", "aztec-60-42")}.png`, null, "#page") === 0,
      `${what}: order 60 is not drawn as it was`);
    check(await textOf(page, "#message") === "Drawing was cancelled: what was shown stays.",
      `${what}: the sentence is '${await textOf(page, "#message")}'`);
    // Its worker stopped, with the memory it took.
    check(await workersAre(0), `${what}: ${page.workers().length} workers are left`);
  };
  for (const [what, stop] of [["Escape", press("Escape")], ["Cancel", click("#cancel")]]) {
    await typed("#order-box", "4000")(page);
    const told = await progress();
    check(told !== null && told.startsWith("Drawing aztec order 4000, seed ") && told.endsWith("Cancel"),
      `while order 4000 is drawn the progress line says '${told}'`);
    const counted = await page.$eval("#progress-time", (e) => e.textContent);
    check(await page.waitForFunction((before) => document.getElementById("progress-time").textContent !== before,
      { timeout: 10000 }, counted).then(() => true, () => false),
    `while order 4000 is drawn the page does not answer: its seconds stay '${counted}'`);
    await stop(page);
    await stays(`${what} while order 4000 is drawn`);
  }
  // Order 4000 asked for, then order 300 before it is drawn.
  await typed("#order-box", "4000")(page);
  await typed("#order-box", "300")(page);
  await page.waitForFunction(() => document.title.startsWith("aztec order 300,"), { timeout: 60000 }).catch(() => {});
  const seed = await asked(page, "random");
  check(await progress() === null && await page.title() === `aztec order 300, seed ${seed}`,
    `order 4000 then 300: '${await page.title()}' is shown, the progress line '${await progress()}'`);
  const four = ["--palette", "four"];
  check(await differingPixels(page, `/exports/${exported(300, seed, `aztec-300-${seed}-four`, ...four)}.png`,
    null, "#page") === 0, "order 4000 then 300: order 300 is not the exporter's");
  // Order 4000's worker was stopped: order 300's alone is left.
  check(await workersAre(1), `order 4000 then 300: ${page.workers().length} workers run`);
  // Stopped over a large tiling, the Any order box says the order shown.
  await typed("#order-box", "4000")(page);
  await page.keyboard.press("Escape");
  check(await page.$eval("#order-box", (e) => e.value) === "300" && await progress() === null,
    `order 4000 stopped over order 300: the Any order box says ${await page.$eval("#order-box", (e) => e.value)}`);
  await page.click('[data-download=page][data-format="1"]');
  const name = `aztec-order-300-random-${seed}.svg`;
  const file = await downloaded(name);
  const svg = exported(300, seed, `aztec-300-${seed}-four-svg`, ...four, "--svg");
  check(file !== null && fs.readFileSync(file).equals(fs.readFileSync(path.join(exports, `${svg}.svg`))),
    `${name}, written by the worker, is not the exporter's`);
  await page.close();
}

// The selected figure large under the page, on a desktop and on a phone
// (its cell in device pixels): the exporter's --style paper --path --cell
// picture of that figure at the cell it was drawn at, no wider than the
// page's place; selected by ↓, by a click between figures (the nearest),
// and past the paged orders the figure shown alone.
async function selectedLarge() {
  const large = async (page, family, order, what) => {
    // Drawn at the next frame, before the test's own.
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
    const shownLarge = await page.$eval("#large", (e) => !e.hidden);
    const cell = Number(await page.$eval("#large-figure", (e) => e.dataset.cell));
    const selection = await textOf(page, "#selection");
    const number = /^figure ([0-9]+) of/.exec(selection)?.[1];
    check(shownLarge && cell >= 4 && number !== undefined, `${what}: the large figure is ` +
      `${shownLarge ? "" : "not "}shown at cell ${cell} for '${selection}'`);
    if (!shownLarge || number === undefined) return null;
    const folder = `${family}-${order}-large-${number}-${cell}`;
    exporter(family, folder, "--order", `${order}`, "--figure", number, "--path", "--style", "paper",
      "--cell", `${cell}`);
    check(await differingPixels(page, `/exports/${folder}/figure-${number}.png`, null, "#large-figure") === 0,
      `${what}: figure ${number} large is not the exporter's at cell ${cell}`);
    const [drawn, room] = await page.evaluate(() => [document.getElementById("large-figure")
      .getBoundingClientRect().width, document.getElementById("stage").clientWidth]);
    check(drawn <= room, `${what}: the large figure is ${drawn} px wide, its room ${room}`);
    check(await page.$eval("#large-said", (e) => e.textContent) === `F${selection.slice(1)}`,
      `${what}: the large figure is told as '${await page.$eval("#large-said", (e) => e.textContent)}'`);
    return number;
  };
  for (const viewport of [undefined, { width: 375, height: 667, deviceScaleFactor: 2 }]) {
    const page = await open("?family=diamond&order=3", viewport);
    const what = viewport ? "on a phone" : "on a desktop";
    await expectShown(page, "diamond order 3 - page 1 of 1", null, what);
    check(await page.$eval("#large", (e) => e.hidden), `${what}: a large figure is shown before any is selected`);
    await page.focus("#page");
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("ArrowDown");
    check(await large(page, "diamond", 3, `${what}, ↓ twice`) === listed("diamond", "--order", "3")[1].number,
      `${what}: ↓ twice does not draw the second figure large`);
    // The page's top left corner lies outside every figure: the first is nearest.
    const stage = await page.$eval("#stage", (e) => e.getBoundingClientRect().toJSON());
    await page.mouse.click(stage.left + 1, stage.top + 1);
    check(await large(page, "diamond", 3, `${what}, a click in the corner`) === "1",
      `${what}: a click in the page's corner does not select figure 1`);
    await page.close();
  }
  const page = await open("?family=diamond&order=20&figure=12345");
  await expectShown(page, `diamond order 20 - figure 12345 of ${n20}`, null, "figure 12345 alone");
  check(await large(page, "diamond", 20, "figure 12345 alone") === "12345", "figure 12345 is not drawn large");
  await page.close();
}

// The presentation: P and the Present button show the selected figure
// (or the first) over the whole screen, at the largest cell it allows, as
// the exporter draws it; → and ← step through the family's figures in
// their order, across pages, or through the filter's; a swipe steps too;
// the address says which slide, and opens it again; Escape leaves.
async function slides() {
  const slideOf = async (page, family, order, number, what) => {
    await page.waitForFunction((n) => document.getElementById("slide-said").textContent.startsWith(`Figure ${n} of`),
      { timeout: 20000 }, number).catch(() => {});
    const said = await page.$eval("#slide-said", (e) => e.textContent);
    const shownSlide = await page.$eval("#slide", (e) => !e.hidden);
    check(shownSlide && said.startsWith(`Figure ${number} of`), `${what}: the slide says '${said}', not figure ${number}`);
    const cell = Number(await page.$eval("#slide-figure", (e) => e.dataset.cell));
    const folder = `${family}-${order}-slide-${number}-${cell}`;
    exporter(family, folder, "--order", `${order}`, "--figure", number, "--path", "--style", "paper",
      "--cell", `${cell}`);
    check(cell >= 4 && await differingPixels(page, `/exports/${folder}/figure-${number}.png`, null,
      "#slide-figure") === 0, `${what}: figure ${number}'s slide is not the exporter's at cell ${cell}`);
    await page.waitForFunction((n) => location.search.includes(`figure=${n}&`) && location.search.endsWith("slide=1"),
      { timeout: 5000 }, number).catch(() => {});
    check(await asked(page, "figure") === number && await asked(page, "slide") === "1",
      `${what}: the address is ${page.url()}`);
  };
  // Page 2's first figure, the last of page 1, and the second of page 2.
  const rows = listed("diamond", "--order", "5");
  const first = rows.findIndex((row) => row.page === 2);
  const [before, second] = [rows[first - 1].number, rows[first + 1].number];
  let page = await open("?family=diamond&order=5&page=2");
  await expectShown(page, "diamond order 5 - page 2 of 71", null, "page 2");
  await page.focus("#page");
  await page.keyboard.press("p");
  await slideOf(page, "diamond", 5, rows[first].number, "P on page 2");
  await page.keyboard.press("ArrowLeft");
  await slideOf(page, "diamond", 5, before, "← from the first figure of page 2");
  await page.keyboard.press("ArrowRight");
  await slideOf(page, "diamond", 5, rows[first].number, "→ back to page 2");
  await page.click("#next-slide");
  await slideOf(page, "diamond", 5, second, "the → button");
  const address = page.url();
  await page.keyboard.press("Escape");
  check(await page.$eval("#slide", (e) => e.hidden), "Escape does not leave the slides");
  await page.waitForFunction(() => !location.search.includes("slide"), { timeout: 5000 }).catch(() => {});
  check(await asked(page, "slide") === null, `after Escape the address is ${page.url()}`);
  await page.click("#present");
  await slideOf(page, "diamond", 5, second, "the Present button");
  await page.close();
  page = await open(address.slice(address.indexOf("?")));
  await slideOf(page, "diamond", 5, second, "the slide's address");
  await page.close();
  // The filter's figures, in order, swiped through on a phone.
  const kept = listed("diamond", "--order", "5", "--where", "flats=2").slice(0, 3).map((f) => f.number);
  page = await open("?family=diamond&order=5&where=flats%3D2&slide=1",
    { width: 375, height: 667, deviceScaleFactor: 2, hasTouch: true, isMobile: true });
  await slideOf(page, "diamond", 5, kept[0], "a filter's first slide");
  for (const number of kept.slice(1)) {
    await page.touchscreen.touchStart(300, 400);
    await page.touchscreen.touchMove(100, 410);
    await page.touchscreen.touchEnd();
    await slideOf(page, "diamond", 5, number, "a swipe through the filter's figures");
  }
  await page.close();
  page = await open("?family=diamond&order=20&figure=12345&slide=1");
  await slideOf(page, "diamond", 20, "12345", "figure 12345 alone");
  await page.keyboard.press("ArrowRight");
  await slideOf(page, "diamond", 20, "12346", "→ past the paged orders");
  await page.close();
  // Tab stays among the slide's buttons, the page under it out of reach;
  // Back to an entry without a slide shows that entry's page alone.
  page = await open("?family=diamond&order=3");
  await expectShown(page, "diamond order 3 - page 1 of 1", null, "order 3");
  await page.select("#order", "4");
  await expectShown(page, "diamond order 4 - page 1 of 9", null, "order 4");
  await page.focus("#page");
  await page.keyboard.press("p");
  await slideOf(page, "diamond", 4, listed("diamond", "--order", "4")[0].number, "P on order 4");
  const focused = [];
  for (let i = 0; i < 5; i += 1) {
    await page.keyboard.press("Tab");
    focused.push(await page.evaluate(() => document.activeElement.closest("#slide") !== null));
  }
  check(focused.every(Boolean), `Tab on a slide leaves it: ${focused}`);
  await page.goBack();
  await expectShown(page, "diamond order 3 - page 1 of 1", null, "Back from a slide");
  check(await page.$eval("#slide", (e) => e.hidden), "Back from a slide of order 4 leaves the slide shown");
  await page.close();
  await actsOn("?family=aztec&order=60&random=42&slide=1", [["a slide of a random tiling", none,
    { title: "aztec order 60, seed 42", message: "Aztec order 60 is one random tiling, not figures to " +
      "present: it is shown on the page." }]]);
}

// Flips by hand: a click, a tap and the keyboard each turn a block of the
// figure drawn large into the figure the ranking numbers, which is the
// exporter's figure of that number with the steps the list gives it; a
// block that cannot turn says so; Z and Undo turn back; and Run's random
// turns end on a figure of the family, undone at once.
async function flipsByHand() {
  // A corner of the large figure whose block turns, found through the
  // module (and turned back); where it is on the screen.
  const turnable = (page, skip = 0) => page.evaluate((skipped) => {
    const [core, session] = [Module, Module.exploreSession];
    const index = document.getElementById("large-figure").dataset.index;
    const canvas = document.getElementById("large-figure");
    canvas.scrollIntoView();
    const [left, top, cell] = [0, 1, 2].map((axis) => core._explore_large_origin(session, axis));
    let found = 0;
    for (let c = 1; c * cell < canvas.width; c += 1) {
      for (let r = 1; r * cell < canvas.height; r += 1) {
        if (core._explore_turn_block(session, Number(index), c, r) !== 0) continue;
        core._explore_undo_turn(session);
        if (found++ < skipped) continue;
        const box = canvas.getBoundingClientRect();
        const scale = box.width / canvas.width;
        return { c, r, x: box.left + (left + c * cell) * scale, y: box.top + (top + r * cell) * scale };
      }
    }
    return null;
  }, skip);
  const turnedTo = async (page, family, order, what) => {
    // The keyboard's ring leaves with the focus.
    await page.focus("#page");
    const said = await textOf(page, "#large-said");
    const number = /^Figure ([0-9]+) of [0-9]+: (.*) \(.*\), turned by hand$/.exec(said);
    check(number !== null, `${what}: the turned figure is told as '${said}'`);
    if (number === null) return null;
    if (order <= 3) {
      const row = listed(family, "--order", `${order}`).find((figure) => figure.number === number[1]);
      check(row?.steps === number[2], `${what}: figure ${number[1]} has steps '${row?.steps}', told '${number[2]}'`);
    }
    const cell = await page.$eval("#large-figure", (e) => e.dataset.cell);
    const folder = `${family}-${order}-turned-${number[1]}-${cell}`;
    exporter(family, folder, "--order", `${order}`, "--figure", number[1], "--path", "--style", "paper",
      "--cell", cell);
    check(await differingPixels(page, `/exports/${folder}/figure-${number[1]}.png`, null, "#large-figure") === 0,
      `${what}: the turned figure is not the exporter's figure ${number[1]}`);
    return number[1];
  };
  const page = await open("?family=diamond&order=3", { width: 1000, height: 1100, hasTouch: true });
  await expectShown(page, "diamond order 3 - page 1 of 1", null, "flips by hand");
  await page.focus("#page");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("ArrowDown");
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  await page.$eval("#large-figure", (e) => { e.dataset.index = "1"; });
  const first = await turnable(page);
  await page.mouse.click(first.x, first.y);
  const clicked = await turnedTo(page, "diamond", 3, "a click");
  check(clicked !== null && clicked !== "2", `a click turns figure 2 into figure ${clicked}`);
  // Read, the turned figure's own steps.
  await page.select("#read-speed", "20");
  await page.focus("#page");
  await page.keyboard.press("s");
  await page.waitForFunction(() => document.getElementById("read-said").textContent.includes("the last"),
    { timeout: 20000 });
  const turnedSteps = listed("diamond", "--order", "3").find((figure) => figure.number === clicked).steps.split(" ");
  const lastRead = await textOf(page, "#read-said");
  check(lastRead === `Step ${turnedSteps.length} of ${turnedSteps.length}: ${turnedSteps.at(-1)}, the last: ` +
    "the whole path read", `figure ${clicked}, turned, is read to '${lastRead}'`);
  await page.keyboard.press("z");
  check(await textOf(page, "#large-said") === `F${(await textOf(page, "#selection")).slice(1)}` &&
    await page.$eval("#undo-turn", (e) => e.disabled), "Z does not turn the block back");
  // The corner of the figure's frame holds no block.
  const [cornerX, cornerY] = await page.$eval("#large-figure", (e) => [e.getBoundingClientRect().left + 2,
    e.getBoundingClientRect().top + 2]);
  await page.mouse.click(cornerX, cornerY);
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  const refused = await textOf(page, "#turn-said");
  check(refused === "That block cannot turn: two parallel dominoes do not fill the 2 × 2 block there.",
    `a click outside the figure is told as '${refused}'`);
  const second = await turnable(page, 1);
  await page.touchscreen.tap(second.x, second.y);
  await turnedTo(page, "diamond", 3, "a tap");
  await page.click("#undo-turn");
  check(await page.$eval("#undo-turn", (e) => e.disabled), "Undo turn does not turn the block back");
  // From the keyboard: the ring starts in the middle, the arrows move it.
  const middle = await page.evaluate(() => {
    const canvas = document.getElementById("large-figure");
    const [left, top, cell] = [0, 1, 2].map((axis) => Module._explore_large_origin(Module.exploreSession, axis));
    return [Math.round((canvas.width / 2 - left) / cell), Math.round((canvas.height / 2 - top) / cell)];
  });
  await page.focus("#large-figure");
  const keys = [...Array(Math.abs(first.c - middle[0])).fill(first.c > middle[0] ? "ArrowRight" : "ArrowLeft"),
    ...Array(Math.abs(first.r - middle[1])).fill(first.r > middle[1] ? "ArrowDown" : "ArrowUp"), "ArrowUp",
    "ArrowDown", "Enter"];
  for (const key of keys) await page.keyboard.press(key);
  // The ring leaves with the focus.
  await page.focus("#page");
  check(await turnedTo(page, "diamond", 3, "the keyboard") === clicked,
    "the keyboard's turn of the clicked block is not the click's figure");
  await page.close();
  // Run, past the paged orders.
  const alone = await open("?family=diamond&order=20&figure=12345");
  await expectShown(alone, `diamond order 20 - figure 12345 of ${n20}`, null, "random turns");
  await alone.waitForFunction(() => !document.getElementById("large").hidden);
  // Space on the figure drawn large shows the ring; it turns no page.
  await alone.focus("#large-figure");
  await alone.keyboard.press(" ");
  check(await alone.title() === `diamond order 20 - figure 12345 of ${n20}`,
    `space on the large figure shows '${await alone.title()}'`);
  await alone.$eval("#large-figure", (e) => { e.dataset.index = "-1"; });
  const handTurn = await turnable(alone);
  await alone.mouse.click(handTurn.x, handTurn.y);
  const byHand = await turnedTo(alone, "diamond", 20, "a click past the paged orders");
  await alone.click("#run-flips");
  await alone.waitForFunction(() => document.getElementById("flips-rate").textContent !== "", { timeout: 20000 });
  const rate = await textOf(alone, "#flips-rate");
  await alone.click("#run-flips");
  check(/^[1-9][0-9]* flips a second$/.test(rate), `Run tells '${rate}'`);
  check(await turnedTo(alone, "diamond", 20, "Run") !== "12345", "Run leaves figure 12345 as it was");
  // Undo: the whole run, then the turn by hand, then nothing more.
  await alone.keyboard.press("z");
  check((await textOf(alone, "#large-said")).startsWith(`Figure ${byHand} of`), "Z does not undo the run");
  await alone.click("#undo-turn");
  check((await textOf(alone, "#large-said")).startsWith("Figure 12345 of") &&
    await alone.$eval("#undo-turn", (e) => e.disabled), "Undo after the run does not go back to figure 12345");
  await alone.close();
}

// The selected figure's path read step by step: S plays it to the end,
// told a step at a time in the figure's own steps, and ends on the
// exporter's figure with its path; a figure selected after shows whole
// again, and Step (tapped) starts from the dominoes alone, the exporter's
// figure without its path, then shades the first step's domino.
async function pathRead() {
  const page = await open("?family=diamond&order=3", { width: 1000, height: 1100, hasTouch: true });
  await expectShown(page, "diamond order 3 - page 1 of 1", null, "reading a path");
  const figures = listed("diamond", "--order", "3");
  await page.select("#read-speed", "20");
  await page.focus("#page");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("ArrowDown");
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  // Step 0, the dominoes alone, the first thing read on a page.
  await page.click("#read-step");
  await page.focus("#page");
  const cell = await page.$eval("#large-figure", (e) => e.dataset.cell);
  exporter("diamond", `diamond-3-bare-${cell}`, "--order", "3", "--figure", figures[1].number, "--style", "paper",
    "--cell", cell);
  check(await differingPixels(page, `/exports/diamond-3-bare-${cell}/figure-${figures[1].number}.png`, null,
    "#large-figure") === 0, "step 0, read first, is not the exporter's figure without its path");
  await page.evaluate(() => {
    window.toldSteps = [];
    new MutationObserver(() => window.toldSteps.push(document.getElementById("read-said").textContent))
      .observe(document.getElementById("read-said"), { childList: true, characterData: true, subtree: true });
  });
  await page.keyboard.press("s");
  await page.waitForFunction(() => document.getElementById("read-play").getAttribute("aria-pressed") === "false" &&
    document.getElementById("read-said").textContent.includes("the last"), { timeout: 20000 });
  // Step 0 is drawn, then the first step at once: it may not be seen.
  const steps = figures[1].steps.split(" ");
  const told = (await page.evaluate(() => window.toldSteps)).filter((text) => !text.startsWith("Step 0 "));
  const expected = steps.map((word, i) =>
    `Step ${i + 1} of ${steps.length}: ${word}${i + 1 === steps.length ? ", the last: the whole path read" : ""}`);
  check(told.join("|") === expected.join("|"), `S reads figure ${figures[1].number} as ${told.join(" | ")}`);
  const exported = async (figure, withPath) => {
    const cell = await page.$eval("#large-figure", (e) => e.dataset.cell);
    const folder = `diamond-3-read-${figure.number}-${cell}-${withPath}`;
    exporter("diamond", folder, "--order", "3", "--figure", figure.number, ...(withPath ? ["--path"] : []),
      "--style", "paper", "--cell", cell);
    return `/exports/${folder}/figure-${figure.number}.png`;
  };
  check(await differingPixels(page, await exported(figures[1], true), null, "#large-figure") === 0,
    "the path read to its end is not the exporter's figure with its path");
  await page.keyboard.press("ArrowDown");
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  check(await textOf(page, "#read-said") === "", "another figure selected is still being read");
  const bare = await exported(figures[2], false);
  const step = await page.$eval("#read-step", (e) => e.getBoundingClientRect().toJSON());
  await page.touchscreen.tap(step.left + step.width / 2, step.top + step.height / 2);
  check(await differingPixels(page, bare, null, "#large-figure") === 0,
    "step 0 of a path is not the exporter's figure without its path");
  await page.touchscreen.tap(step.left + step.width / 2, step.top + step.height / 2);
  const first = await textOf(page, "#read-said");
  check(first === `Step 1 of ${figures[2].steps.split(" ").length}: ${figures[2].steps.split(" ")[0]}` &&
    await differingPixels(page, bare, null, "#large-figure") > 0, `a tap on Step after step 0 shows '${first}'`);
  await page.close();
}

// Domino shuffling a stage at a time: its order and seed those of the
// random tiling shown, stepped by key and by touch, played to the end,
// where it is the exporter's --random tiling at the cell it was drawn at
// (order 12 played, order 200 at its last stage), paused where it was, a
// whole order a frame where reduced motion is asked for, a bad order told,
// and no shuffling for a family that does not shuffle.
async function shufflingShown() {
  const stageOf = (page) => page.$eval("#shuffle-figure", (e) => Number(e.dataset.stage));
  const lastIsExported = async (page, order, what) => {
    const cell = await page.$eval("#shuffle-figure", (e) => e.dataset.cell);
    const folder = `aztec-${order}-shuffled-${cell}`;
    exporter("aztec", folder, "--order", `${order}`, "--random", "42", "--palette", "four", "--cell", cell);
    check(await stageOf(page) === 3 * order &&
      await differingPixels(page, `/exports/${folder}/random-42.png`, null, "#shuffle-figure") === 0,
    `${what}: the last stage of order ${order} is not the exporter's tiling at cell ${cell}`);
    const said = await textOf(page, "#shuffle-said");
    check(said.includes(`Stage ${3 * order} of ${3 * order}`) &&
      said.includes(`aztec_export --order ${order} --random 42 draws`), `${what}: the end is told as '${said}'`);
  };
  // Typed as a user types it: the field's change comes as it loses the focus.
  const typeOrder = async (page, order) => {
    await page.$eval("#shuffle-order", (e) => { e.value = ""; });
    await page.type("#shuffle-order", order);
  };
  const played = (page) => page.waitForFunction(
    () => document.getElementById("shuffle-play").getAttribute("aria-pressed") === "false", { timeout: 60000 });
  const page = await open("?family=aztec&order=60&random=42", { width: 1000, height: 1100, hasTouch: true });
  await page.waitForFunction(() => !document.getElementById("shuffling").hidden, { timeout: 20000 });
  check(await page.$eval("#shuffle-order", (e) => e.value) === "60" &&
    await page.$eval("#shuffle-seed", (e) => e.value) === "42" && await stageOf(page) === 0,
  "shuffling does not start from stage 0 of the tiling shown, order 60, seed 42");
  await page.focus("#shuffle-step");
  for (let i = 0; i < 3; i += 1) await page.keyboard.press("Enter");
  const third = await textOf(page, "#shuffle-said");
  check(await stageOf(page) === 3 && third === "Stage 3 of 180, order 0 to 1: the new 2 × 2 blocks filled",
    `Enter three times on Step shows stage ${await stageOf(page)}, told as '${third}'`);
  const step = await page.$eval("#shuffle-step", (e) => e.getBoundingClientRect().toJSON());
  await page.touchscreen.tap(step.left + step.width / 2, step.top + step.height / 2);
  check(await stageOf(page) === 4, `a tap on Step shows stage ${await stageOf(page)}, not 4`);
  // Paused, it stays where it was.
  await page.select("#shuffle-speed", "30");
  await page.click("#shuffle-play");
  await page.waitForFunction(() => Number(document.getElementById("shuffle-figure").dataset.stage) >= 8);
  await page.click("#shuffle-play");
  const paused = await stageOf(page);
  await new Promise((resolve) => setTimeout(resolve, 500));
  check(paused > 4 && paused < 180 && await stageOf(page) === paused,
    `paused at stage ${paused}, it shows ${await stageOf(page)}`);
  // Typed, played to the end with the keyboard, and at order 200, ended.
  await typeOrder(page, "12");
  await page.keyboard.press("Enter");
  check(await stageOf(page) === 0, `order 12 typed shows stage ${await stageOf(page)}`);
  await page.select("#shuffle-speed", "60");
  await page.focus("#shuffle-play");
  await page.keyboard.press(" ");
  await played(page);
  await lastIsExported(page, 12, "order 12 played");
  await typeOrder(page, "200");
  await page.click("#shuffle-end");
  await lastIsExported(page, 200, "order 200 ended");
  await typeOrder(page, "201");
  await page.click("#shuffle-play");
  const refused = await textOf(page, "#shuffle-said");
  check(refused === "Domino shuffling is shown to orders 1 to 200: '201' is not one.",
    `order 201 is told as '${refused}'`);
  // Where reduced motion is asked for, each frame an order whole (Play
  // draws the first at once after stage 0, which may not be seen).
  await page.emulateMediaFeatures([{ name: "prefers-reduced-motion", value: "reduce" }]);
  await typeOrder(page, "2");
  await page.evaluate(() => {
    window.stagesShown = [];
    new MutationObserver(() => window.stagesShown.push(document.getElementById("shuffle-figure")
      .dataset.stage)).observe(document.getElementById("shuffle-figure"), { attributeFilter: ["data-stage"] });
  });
  await page.click("#shuffle-play");
  await played(page);
  const shownStages = await page.evaluate(() => window.stagesShown.join(","));
  check(/^(0,)?3,6$/.test(shownStages), `with reduced motion, Play shows stages ${shownStages}`);
  await page.close();
  const diamond = await open("?family=diamond&order=3");
  await expectShown(diamond, "diamond order 3 - page 1 of 1", null, "diamond without shuffling");
  check(await diamond.$eval("#shuffling", (e) => e.hidden), "domino shuffling is offered for the diamond");
  await diamond.close();
}

// Random moves on a random tiling (Glauber dynamics): Run, started by the
// keyboard and stopped by a tap, ends on the exporter's --random SEED
// --glauber N, N as the address and the title say, its paths and circle
// drawn, and its download is that file; Undo run goes back to the seed's
// tiling; the address reopens a moved tiling, with few moves in the page
// and with many in a worker, and a bad number of moves is told; a worker's
// tiling (order 400) runs at a speed that bounds its moves, and stops when
// another tiling is asked for; where reduced motion is asked for it is
// drawn once a second; a family or order with no random tiling offers none.
async function randomMoves() {
  const tilingOf = (order, seed, moves, options) => {
    const folder = `aztec-${order}-${seed}-glauber-${moves}${options.join("")}`;
    const glauber = moves === "0" ? [] : ["--glauber", moves];
    if (!fs.existsSync(path.join(exports, folder))) {
      exporter("aztec", folder, "--order", `${order}`, "--random", seed, ...glauber, ...options);
    }
    return { title: `aztec order ${order}, seed ${seed}${moves === "0" ? "" : `, then ${moves} Glauber moves`}`,
      exported: `${folder}/random-${seed}${moves === "0" ? "" : `-glauber-${moves}`}.png`, folder };
  };
  const stopped = (page) => page.waitForFunction(
    () => document.getElementById("moves-said").textContent.startsWith("Stopped after"), { timeout: 60000 })
    .then(() => true, () => false);
  const running = (page) => page.waitForFunction(
    () => document.getElementById("moves-rate").textContent.includes("blocks turned a second"), { timeout: 60000 })
    .then(() => true, () => false);
  const pressed = (page) => page.$eval("#run-moves", (e) => e.getAttribute("aria-pressed"));
  // The moves the address gives, once it is written (a moment after a stop).
  const movesAsked = async (page, some = true) => {
    await page.waitForFunction((s) => location.search.includes("glauber=") === s, { timeout: 5000 }, some)
      .catch(() => {});
    return await asked(page, "glauber") ?? "0";
  };
  const tap = async (page, selector) => {
    const box = await page.$eval(selector, (e) => e.getBoundingClientRect().toJSON());
    await page.touchscreen.tap(box.left + box.width / 2, box.top + box.height / 2);
  };
  const options = ["--arctic", "--path"];
  const page = await open("?family=aztec&order=40&random=42&arctic=1&paths=1",
    { width: 1000, height: 1100, hasTouch: true });
  await expectShown(page, "aztec order 40, seed 42", null, "random moves");
  check(!await page.$eval("#moves", (e) => e.hidden), "order 40's random moves are hidden");
  await page.select("#moves-speed", "0");
  await page.focus("#run-moves");
  await page.keyboard.press("Enter");
  check(await running(page) && await pressed(page) === "true", "Enter on Run does not run the moves");
  check((await page.title()).startsWith("aztec order 40, seed 42, then "),
    `while it runs the title is '${await page.title()}'`);
  await tap(page, "#run-moves");
  check(await stopped(page) && await pressed(page) === "false", "a tap on Stop does not stop the run");
  const moves = await movesAsked(page);
  check(BigInt(moves) > 0n, `the run made ${moves} moves`);
  const moved = tilingOf(40, "42", moves, options);
  await expectShown(page, moved.title, moved.exported, `order 40 after ${moves} moves`);
  check(await textOf(page, "#moves-said") === `Stopped after ${moves} moves in all: this tiling, its address ` +
    `and its downloads are the exporter's --random 42 --glauber ${moves}.`, "the stop is told otherwise");
  await page.click('[data-download=page][data-format="1"]');
  const name = `aztec-order-40-random-42-glauber-${moves}.svg`;
  exporter("aztec", `${moved.folder}-svg`, "--svg", "--order", "40", "--random", "42", "--glauber", moves,
    ...options);
  const file = await downloaded(name);
  check(file !== null && fs.readFileSync(file).equals(fs.readFileSync(path.join(exports,
    `${moved.folder}-svg`, `random-42-glauber-${moves}.svg`))), `${name} is not the exporter's`);
  await page.click("#undo-moves");
  const seeds = tilingOf(40, "42", "0", options);
  await expectShown(page, seeds.title, seeds.exported, "Undo run");
  check(await movesAsked(page, false) === "0" && await page.$eval("#undo-moves", (e) => e.disabled),
    `after Undo run the address is ${page.url()}`);
  // At a sweep a second, Run starts every time, whenever in a frame it is
  // clicked; the paths drawn stop it, and the stop is told.
  await page.select("#moves-speed", "1");
  for (let start = 0; start < 5; start += 1) {
    await page.click("#run-moves");
    await new Promise((resolve) => setTimeout(resolve, 300));
    check(await pressed(page) === "true" && await textOf(page, "#message") === "",
      `Run, started again (${start}), is ${await pressed(page)}: '${await textOf(page, "#message")}'`);
    await page.click("#run-moves");
    await stopped(page);
  }
  await page.click("#run-moves");
  await page.click("#paths");
  await page.waitForFunction(() => !document.getElementById("paths").checked, { timeout: 20000 });
  check(await pressed(page) === "false" && /^Stopped after [0-9]+ moves in all\.$/.test(await textOf(page, "#moves-said")),
    `Show paths during a run leaves it ${await pressed(page)}, told '${await textOf(page, "#moves-said")}'`);
  // Another tiling asked for stops a run.
  await page.click("#run-moves");
  await running(page);
  await page.click("#random");
  await page.waitForFunction(() => !document.title.startsWith("aztec order 40, seed 42"), { timeout: 20000 });
  check(await pressed(page) === "false" && await asked(page, "glauber") === null,
    `Random tiling during a run leaves ${await page.title()} running: ${await pressed(page)}`);
  // Where reduced motion is asked for, drawn once a second.
  await page.emulateMediaFeatures([{ name: "prefers-reduced-motion", value: "reduce" }]);
  await page.evaluate(() => {
    window.pagePainted = 0;
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function counted(...given) {
      if (this.canvas.id === "page") window.pagePainted += 1;
      return put.apply(this, given);
    };
  });
  const started = Date.now();
  await page.click("#run-moves");
  await new Promise((resolve) => setTimeout(resolve, 3000));
  const painted = await page.evaluate(() => window.pagePainted);
  const seconds = (Date.now() - started) / 1000;
  await page.click("#run-moves");
  check(painted >= 1 && painted <= Math.ceil(seconds) + 1,
    `with reduced motion the tiling was drawn ${painted} times in ${seconds} s`);
  await page.close();
  // Reopened by its address: few moves made in the page, many in a worker.
  for (const many of ["1000", "25000000"]) {
    const again = tilingOf(40, "42", many, options);
    await actsOn(`?family=aztec&order=40&random=42&arctic=1&paths=1&glauber=${many}`, [
      [`glauber=${many} by the address`, none, { ...again, message: "", address: { glauber: many } }]]);
  }
  // While a tiling is remade in a worker, Run waits for it.
  const remade = await open("?family=aztec&order=40&random=42&glauber=25000000");
  await expectShown(remade, "aztec order 40, seed 42, then 25000000 Glauber moves", null, "25000000 moves");
  await remade.click("#paths");
  await remade.click("#run-moves");
  check(await pressed(remade) === "false" &&
    await textOf(remade, "#message") === "A tiling is being drawn: Run waits until it is shown.",
  `Run while the tiling is remade is ${await pressed(remade)}: '${await textOf(remade, "#message")}'`);
  await remade.close();
  await actsOn("?family=aztec&order=40&random=42&glauber=1e3", [["glauber=1e3", none,
    { ...tilingOf(40, "42", "0", []), address: { glauber: null }, message: 'Glauber "1e3" is no number ' +
      "of moves from 0 to 10000000000: the tiling is shown as its seed drew it." }]]);
  // A worker's tiling, at 10 sweeps a second: at most that many moves.
  const large = await open("?family=aztec&order=400&random=3");
  await expectShown(large, "aztec order 400, seed 3", null, "order 400's random moves");
  await large.select("#moves-speed", "10");
  const began = Date.now();
  await large.click("#run-moves");
  await running(large);
  await large.click("#run-moves");
  const ran = (Date.now() - began) / 1000;
  check(await stopped(large), "order 400's run does not stop");
  const largeMoves = await movesAsked(large);
  check(BigInt(largeMoves) > 0n && Number(largeMoves) <= 10 * 799 ** 2 * (ran + 1),
    `order 400 made ${largeMoves} moves in ${ran} s at 10 sweeps a second`);
  const largeMoved = tilingOf(400, "3", largeMoves, ["--palette", "four"]);
  await expectShown(large, largeMoved.title, largeMoved.exported, `order 400 after ${largeMoves} moves`);
  await large.close();
  for (const query of ["?family=aztec&order=3", "?family=diamond&order=20&figure=7"]) {
    const other = await open(query);
    await other.waitForFunction(() => document.title.includes(" order "), { timeout: 20000 });
    check(await other.$eval("#moves", (e) => e.hidden), `${query} offers random moves`);
    await other.close();
  }
}

try {
  await randomMoves();
  await flipsByHand();
  await pathRead();
  await shufflingShown();
  await slides();
  await selectedLarge();
  await drawnInBackground();
  await zoomedWindows();
  await largeRandomTilings();
  await figuresAtOrder1000();
  for (const [family, order] of orders.slice(0, -1)) await everyPage(family, order);
  await navigation();
  await keysAfterControls();
  await selectionAndDownloads();
  await drawingChoices();
  await phoneAndFailure();
  await familiesAndFormats();
  await statisticsAndFilters();
  await figuresByNumberAndSteps();
  await randomFigures();
  await figuresAlone();
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
