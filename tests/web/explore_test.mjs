// The explorer in Debian's Chromium, against the Linux exporters' own files:
// every page of several orders pixel for pixel the exporter's, a jump to the
// last page of the largest order, the keys, the URL and the browser's
// history, a bad URL told and mended, the selection and its text, every
// download (pages and figures, with and without paths), the keyboard after
// each control and for the selection, what a screen reader is told, a
// phone's screen, a failed load, a page with no JavaScript, and no console
// message. Then what a user asks for, against the exporters' --where,
// --counts, --figure, --random and --list: the families and orders the
// module has, the counts and filtered pages, figures by number and steps
// (21 digits too), random figures and tilings by seed, and figures drawn
// alone past the paged orders, with their downloads.
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
// The exporter's --list with `options`: a row a figure, with its number
// and page, and the line itself.
function listed(family, ...options) {
  return exporter(family, null, ...options, "--list").trim().split("\n").slice(1).map((line) => {
    const [number, page, steps] = line.split("\t");
    return { line, number, page: Number(page), steps };
  });
}
// What the selection line says of the figure of a --list line among
// `total`: its number, steps and statistics.
const statisticNames = exporter("diamond", null, "--order", "1", "--list").split("\n")[0].split("\t").slice(3);
function says(line, total) {
  const [number, , steps, ...values] = line.split("\t");
  return `figure ${number} of ${total}: ${steps} ` +
    `(${values.map((value, i) => `${statisticNames[i]} ${value}`).join(", ")})`;
}
// How many figures the family has at `order`, in digits, as --counts adds them up.
function total(family, order) {
  return /^all\t([0-9]+)$/m.exec(exporter(family, null, "--order", `${order}`, "--counts", "flats"))[1];
}
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
exporter("diamond", "diamond-28-figure", "--order", "28", "--figure", "1");
exporter("diamond", "diamond-20-figure", "--order", "20", "--figure", "1");
exporter("diamond", "diamond-20-figure", "--order", "20", "--figure", "12345");
exporter("aztec", "aztec-299", "--order", "299", "--random", "42");

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
  if (exported) {
    check(await differingPixels(page, `/exports/${exported}`, null, "#page") === 0,
      `${what}: the page is not the exporter's ${exported}`);
  }
}

// The text of `selector`, and whether the page has the focus.
const textOf = (page, selector) => page.$eval(selector, (e) => e.textContent);
const pageFocused = (page) => page.evaluate(() => document.activeElement.id === "page");
const asked = (page, name) => new URL(page.url()).searchParams.get(name);
async function typeInto(page, selector, text) {
  await page.$eval(selector, (e) => { e.value = ""; });
  await page.type(selector, `${text}\n`);
}
async function withShift(page, act) {
  await page.keyboard.down("Shift");
  await act();
  await page.keyboard.up("Shift");
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
  const listed = exporter("diamond", null, "--order", "3", "--list").split("\n")[17];
  let page = await open("?family=diamond&order=3");
  await expectShown(page, "diamond order 3 - page 1 of 1", "diamond-3/page-1.png", "diamond order 3");
  // From the keyboard: Tab to the page, ↓ and ↑ to figure 17, Tab on to
  // its downloads; the page and both rows of downloads named apart.
  await page.focus("#where");
  for (const key of ["Tab", ...Array(18).fill("ArrowDown"), "ArrowUp"]) await page.keyboard.press(key);
  const keyed = await page.$eval("#selection", (e) => e.textContent);
  check(keyed === says(listed, 63), `↓ and ↑ selected '${keyed}'`);
  for (const key of ["Tab", "Tab", "Tab", "Tab"]) await page.keyboard.press(key);
  for (const name of ["diamond order 3, page 1 of 1: figures 1 to 63 of 63 as domino tilings",
    "This page as PNG", "Figure 17 as PNG"]) {
    const focused = await (await page.$(`aria/${name}`))?.evaluate((e) => e === document.activeElement);
    check(focused === (name === "Figure 17 as PNG"),
      `'${name}' ${focused === undefined ? "names nothing" : `${focused ? "has" : "lacks"} the focus`}`);
  }
  const text = await selectFigure(page, 16);
  check(text === says(listed, 63), `the selection says '${text}'`);
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
    ["?family=diamond&order=29", `diamond order 28 - figure 1 of ${total("diamond", 28)}`,
      "diamond-28-figure/figure-1.png",
      ["Diamond has orders 1 to 28, so order 28 is shown instead of order 29."]],
    ["?family=pyramid&order=2&page=0", "pyramid order 2 - page 1 of 1", "pyramid-2/page-1.png",
      ["Pyramid order 2 has 1 page, so page 1 is shown instead of page 0."]],
    ["?family=cube&page=x", "diamond order 4 - page 1 of 9", null,
      ['There is no family "cube": diamond is shown.', 'Page "x" is not a whole number: page 1 is shown.']],
    ["?family=diamond&order=5&page=0000000003", "diamond order 5 - page 3 of 71", "diamond-5/page-3.png", []],
    ["?family=diamond&order=005&page=9999999999", "diamond order 5 - page 71 of 71", "diamond-5/page-71.png",
      ["Diamond order 5 has 71 pages, so page 71 is shown instead of page 9999999999."]],
    [`?family=pyramid&order=${"9".repeat(40)}&page=${"7".repeat(40)}`,
      `pyramid order 48 - figure 1 of ${total("pyramid", 48)}`, null,
      [`Pyramid has orders 1 to 48, so order 48 is shown instead of order ${"9".repeat(24)}….`,
        `Pyramid order 48 has no pages: page ${"7".repeat(24)}… is left out.`]],
    [`?family=pyramid&order=8&page=${"7".repeat(40)}`, "pyramid order 8 - page 1387 of 1387", null,
      [`Pyramid order 8 has 1387 pages, so page 1387 is shown instead of page ${"7".repeat(24)}….`]],
    ["?family=diamond&order=5&where=flats%3Dx&page=2", "diamond order 5 - page 2 of 71", "diamond-5/page-2.png",
      ['The filter "flats=x" cannot be read (a value is a whole number V, or a range LO-HI of them): ' +
        "every figure is shown."]],
    ["?family=diamond&order=5&random=18446744073709551616", "diamond order 5 - page 1 of 71", null,
      ['Seed "18446744073709551616" cannot be shown (a seed is a whole number from 0 to ' +
        "18446744073709551615): page 1 is shown."]],
    [`?family=diamond&order=5&where=flats%3D5&random=42`, "diamond order 5 where flats=5 - page 1 of 1", null,
      [`Figure ${listed("diamond", "--order", "5", "--random", "42")[0].number}, drawn from seed 42, ` +
        "is not among the figures where flats=5: page 1 is shown."]],
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
  const small = await page.$$eval("button, select, input[type=number], input[type=text]", (all) => all
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
    // Paged orders, then any of one figure alone, then of random ones.
    const groups = await page.$$eval("#order optgroup",
      (all) => all.map((g) => [...g.children].map((o) => Number(o.value))));
    const ends = [...new Set([largest, largestFigure, largestRandom])];
    check(groups.map((g) => g.at(-1)).join() === ends.join() && groups.flat().every((o, i) => o === i + 1),
      `${name}: the orders are ${groups.map((g) => `${g[0]}-${g.at(-1)}`)}, not to ${ends}`);
  }
  for (const kind of ["page", "figure"]) {
    const labels = await page.$$eval(`#${kind}-downloads button`, (all) => all.map((b) => b.textContent));
    check(labels.join() === "PNG,SVG,TikZ", `the ${kind}'s downloads are ${labels.join(", ")}`);
  }
  await page.close();
}

// The counts by statistic against the exporter's --counts; values chosen
// with the mouse and the keyboard, a range, the filter typed, told when
// bad, cleared, and left by Back, each filter's first page the exporter's
// --where page; every filtered page of one; a filter that keeps nothing;
// and a family with no counts filtered by its address.
async function statisticsAndFilters() {
  let page = await open("?family=diamond&order=5");
  await expectShown(page, "diamond order 5 - page 1 of 71", "diamond-5/page-1.png", "order 5");
  const tables = await page.$$eval("#tables table", (all) => all.map((t) => [t.caption.textContent,
    [...t.tBodies[0].rows].map((r) => [r.cells[0].textContent, r.cells[1].textContent,
      parseFloat(r.cells[2].firstChild.style.width)])]));
  check(tables.map(([name]) => name).join() === statisticNames.join(), "the statistics are not the exporter's");
  for (const [name, rows] of tables) {
    const counted = exporter("diamond", null, "--order", "5", "--counts", name).trim().split("\n").slice(1, -1);
    check(rows.map((r) => `${r[0]}\t${r[1]}`).join("\n") === counted.join("\n"),
      `the ${name} counted: ${rows}`);
    const most = Math.max(...rows.map((r) => Number(r[1])));
    check(rows.every((r) => Math.abs(r[2] - 100 * r[1] / most) < 0.2),
      `the ${name} bars are ${rows.map((r) => r[2])}`);
  }
  const value = (statistic, number) => `#tables button[data-statistic=${statistic}][data-value="${number}"]`;
  const focus = async (selector, key) => { await page.focus(selector); await page.keyboard.press(key); };
  for (const [what, act, where, pressed, focused] of [
    ["a click on flats 2", () => page.click(value("flats", 2)), "flats=2", "flats 2", "page"],
    ["Shift and a click on flats 3", () => withShift(page, () => page.click(value("flats", 3))),
      "flats=2-3", "flats 2,flats 3", "page"],
    ["space on peaks 1", () => focus(value("peaks", 1), "Space"), "flats=2-3,peaks=1",
      "flats 2,flats 3,peaks 1", "button"],
    ["Shift+Enter on peaks 2", () => withShift(page, () => focus(value("peaks", 2), "Enter")),
      "flats=2-3,peaks=1-2", "flats 2,flats 3,peaks 1,peaks 2", "page"],
    ["a click on flats 3", () => page.click(value("flats", 3)), "flats=3,peaks=1-2",
      "flats 3,peaks 1,peaks 2", "page"],
    ["a click on flats 3 again", () => page.click(value("flats", 3)), "peaks=1-2", "peaks 1,peaks 2", "page"],
    ["the filter typed", () => typeInto(page, "#where", "height=1-2, flats=1"), "height=1-2,flats=1",
      "flats 1,height 1,height 2", "page"],
    ["Clear filter", () => page.click("#clear"), "", "", "page"],
    ["Back", () => page.goBack(), "height=1-2,flats=1", "flats 1,height 1,height 2", null]]) {
    await act();
    const { folder, pages } = exportedWhere("diamond", 5, where);
    await expectShown(page, `diamond order 5${where ? ` where ${where}` : ""} - page 1 of ${pages}`,
      `${folder}/page-1.png`, what);
    check(asked(page, "where") === (where || null), `after ${what} the address is ${page.url()}`);
    const shownPressed = await page.$$eval("[aria-pressed=true]",
      (all) => all.map((b) => `${b.dataset.statistic} ${b.dataset.value}`).join());
    check(shownPressed === pressed, `after ${what} the values chosen are '${shownPressed}'`);
    check(!focused || await page.evaluate(() => document.activeElement.id || "button") === focused,
      `after ${what} the focus is not on the ${focused}`);
  }
  await typeInto(page, "#where", "flats=x");
  check(await textOf(page, "#message") === 'The filter "flats=x" cannot be read: a value is a whole ' +
    "number V, or a range LO-HI of them." && (await page.title()).includes("where height=1-2,flats=1 "),
  `a bad filter typed left '${await page.title()}' and '${await textOf(page, "#message")}'`);
  await page.close();
  await everyPage("diamond", 5, "flats=2");
  page = await open("?family=diamond&order=7&where=returns%3D0");
  await expectShown(page, "diamond order 7 where returns=0 - page 1 of 1", null, "no figure kept");
  check(await textOf(page, "#selection") === "No figure of diamond order 7 has returns=0." &&
    (await textOf(page, "#status")).endsWith(", 0 figures"), "a filter that keeps nothing is not told");
  await page.close();
  page = await open("?family=aztec&order=3&where=flats%3D1");
  const { folder, pages } = exportedWhere("aztec", 3, "flats=1");
  await expectShown(page, `aztec order 3 where flats=1 - page 1 of ${pages}`, `${folder}/page-1.png`,
    "aztec filtered");
  check(await page.$eval("#statistics", (e) => e.hidden), "aztec, with no counts, has a statistics panel");
  await page.close();
}

// Figures by number and steps in the Figure box, on their pages, selected
// and told with their statistics, the address naming them at once and
// Back returning to them; refused when there is no such figure or the
// filter leaves it out; and by address.
async function figuresByNumberAndSteps() {
  const [order7, aztec3, order5] = [["diamond", 7], ["aztec", 3], ["diamond", 5]]
    .map(([family, order]) => listed(family, "--order", `${order}`));
  const kept = listed("diamond", "--order", "5", "--where", "flats=2");
  for (const [query, title, folder, list, jumps] of [
    ["?family=diamond&order=7", "diamond order 7", "diamond-7", order7,
      [["17", order7[16]], [order7[29999].steps, order7[29999]], [" 48639 ", order7.at(-1)]]],
    ["?family=aztec&order=3", "aztec order 3", "aztec-3", aztec3, [[aztec3[36].steps, aztec3[36]]]],
    ["?family=diamond&order=5&where=flats%3D2", "diamond order 5 where flats=2", "diamond-5-flats=2", order5,
      [[kept[300].number, kept[300]]]]]) {
    const page = await open(query);
    const last = (query.includes("where") ? kept : list).at(-1).page;
    await expectShown(page, `${title} - page 1 of ${last}`, `${folder}/page-1.png`, title);
    for (const [typed, row] of jumps) {
      await typeInto(page, "#figure", typed);
      await expectShown(page, `${title} - page ${row.page} of ${last}`, `${folder}/page-${row.page}.png`,
        `figure "${typed}"`);
      const line = await textOf(page, "#selection");
      check(line === says(row.line, list.length), `figure "${typed}": the selection says '${line}'`);
      check(asked(page, "figure") === row.number && await pageFocused(page),
        `figure "${typed}": the address is ${page.url()}, the focus elsewhere`);
    }
    if (jumps.length > 1) {
      await page.goBack();
      await expectShown(page, `${title} - page ${jumps.at(-2)[1].page} of ${last}`, null, "Back to a figure");
      check(await textOf(page, "#selection") === says(jumps.at(-2)[1].line, list.length),
        "Back did not select the figure again");
    }
    await page.close();
  }
  const page = await open(`?family=diamond&order=5&where=flats%3D2&figure=${kept[300].number}`);
  const title = `diamond order 5 where flats=2 - page ${kept[300].page} of 24`;
  await expectShown(page, title, `diamond-5-flats=2/page-${kept[300].page}.png`, "a figure by address");
  for (const [typed, said] of [
    ["1", `Figure 1 is not among the figures where flats=2: page ${kept[300].page} is still shown.`],
    ["99999", 'Figure "99999" cannot be shown: there is no figure of that number.'],
    ["rise rise", 'Figure "rise rise" cannot be shown: no figure has those steps.'],
    ["hello", `Figure "hello" cannot be shown: that is no figure's number, nor its steps.`]]) {
    await typeInto(page, "#figure", typed);
    check(await textOf(page, "#message") === said && await page.title() === title,
      `figure "${typed}": '${await textOf(page, "#message")}' on '${await page.title()}'`);
  }
  check(await textOf(page, "#selection") === says(kept[300].line, order5.length) &&
    await differingPixels(page, `/exports/diamond-5-flats=2/page-${kept[300].page}.png`, null, "#page") === 0,
  "a figure refused changed what is shown");
  await page.close();
}

// Random figures: the seed the button draws in the address at once, and
// the figure the exporter's --random draws for it, on its page or alone;
// the largest seed by address.
async function randomFigures() {
  for (const [query, family, order] of [["?family=diamond&order=5", "diamond", 5],
    ["?family=pyramid&order=30", "pyramid", 30],
    ["?family=pyramid&order=6&random=18446744073709551615", "pyramid", 6]]) {
    const page = await open(query);
    await page.waitForFunction(() => document.title.includes(" order "), { timeout: 20000 });
    if (!query.includes("random")) {
      await page.click("#random");
      check(await pageFocused(page), "the random button kept the focus");
    }
    const seed = asked(page, "random");
    check(/^[0-9]+$/.test(seed) && BigInt(seed) < 2n ** 64n, `the address's seed is ${seed}`);
    if (!/^[0-9]+$/.test(seed)) {
      await page.close();
      continue;
    }
    const row = listed(family, "--order", `${order}`, "--random", seed)[0];
    const paged = order <= families.find((f) => f.name === family).largest;
    const all = paged ? listed(family, "--order", `${order}`) : null;
    const figures = all ? all.length : total(family, order);
    if (!all) exporter(family, `${family}-${order}-${seed}`, "--order", `${order}`, "--random", seed);
    await expectShown(page, all ? `${family} order ${order} - page ${row.page} of ${all.at(-1).page}`
      : `${family} order ${order} - figure ${row.number} of ${figures}`,
    all ? `${family}-${order}/page-${row.page}.png` : `${family}-${order}-${seed}/random-${seed}.png`,
    `${query}, seed ${seed}`);
    const line = await textOf(page, "#selection");
    check(line === says(row.line, figures), `seed ${seed}: the selection says '${line}'`);
    await page.close();
  }
}

// Past the paged orders, figures drawn alone: figure 1 at first, a figure
// by 21-digit number and by steps, the keys to the next, the last and the
// one before, one past the last refused, the paths, and the downloads.
async function figuresAlone() {
  const big = "123456789012345678901";
  const [n20, n28, n48] = [["diamond", 20], ["diamond", 28], ["pyramid", 48]].map(([f, o]) => total(f, o));
  const beforeLast = String(BigInt(n28) - 1n);
  exporter("diamond", "diamond-28-figure", "--order", "28", "--figure", big);
  exporter("diamond", "diamond-28-figure", "--order", "28", "--figure", beforeLast);
  exporter("pyramid", "pyramid-48-path-figure", "--order", "48", "--path", "--figure", n48);
  let page = await open(`?family=diamond&order=28&figure=${big}`);
  await expectShown(page, `diamond order 28 - figure ${big} of ${n28}`, `diamond-28-figure/figure-${big}.png`,
    "figure K");
  const line = says(listed("diamond", "--order", "28", "--figure", big)[0].line, n28);
  check(await textOf(page, "#selection") === line,
    `a 21-digit figure's selection says '${await textOf(page, "#selection")}'`);
  check(await page.$$eval("#statistics, #pager, #filter, #figure-downloads",
    (all) => all.every((e) => e.hidden)), "past the paged orders a page's controls are shown");
  await page.keyboard.press("End");
  await expectShown(page, `diamond order 28 - figure ${n28} of ${n28}`, null, "End");
  await page.keyboard.press("ArrowLeft");
  await expectShown(page, `diamond order 28 - figure ${beforeLast} of ${n28}`,
    `diamond-28-figure/figure-${beforeLast}.png`, "← from the last");
  await page.waitForFunction((k) => location.search.includes(`figure=${k}`), { timeout: 5000 }, beforeLast)
    .catch(() => {});
  check(asked(page, "figure") === beforeLast, `after ← the address is ${page.url()}`);
  await typeInto(page, "#figure", String(BigInt(n28) + 1n));
  check(await textOf(page, "#message") ===
    `Figure "${BigInt(n28) + 1n}" cannot be shown: there is no figure of that number.`,
  `one past the last: '${await textOf(page, "#message")}'`);
  await page.close();

  page = await open("?family=diamond&order=20");
  await expectShown(page, `diamond order 20 - figure 1 of ${n20}`, "diamond-20-figure/figure-1.png",
    "order 20");
  check(asked(page, "figure") === "1" && (await textOf(page, "#mode-help")).includes("figure 1 first"),
    `order 20 at first: ${page.url()}, '${await textOf(page, "#mode-help")}'`);
  await typeInto(page, "#figure", listed("diamond", "--order", "20", "--figure", "12345")[0].steps);
  await expectShown(page, `diamond order 20 - figure 12345 of ${n20}`, "diamond-20-figure/figure-12345.png",
    "steps");
  await page.click("#paths");
  await expectShown(page, `diamond order 20 - figure 12345 of ${n20}`,
    "diamond-20-path-figure/figure-12345.png", "paths");
  check(await page.$("aria/Figure 12345 as SVG") !== null, "the figure's downloads are not named for it");
  await expectDownloads(page, "page", "diamond-order-20-figure-12345", "diamond-20-path-figure",
    "figure-12345");
  await page.close();
  page = await open(`?family=pyramid&order=48&figure=${n48}&paths=1`);
  await expectShown(page, `pyramid order 48 - figure ${n48} of ${n48}`,
    `pyramid-48-path-figure/figure-${n48}.png`, "pyramid's last figure");
  await page.close();
}

// Random tilings past the numbered orders: by seed in the address, at
// orders 60 and 299, with their downloads; another from the button, and
// Back to the first; a fresh seed when the address has none.
async function randomTilings() {
  let page = await open("?family=aztec&order=60&random=42");
  await expectShown(page, "aztec order 60, seed 42", "aztec-60/random-42.png", "aztec order 60");
  check(await page.$$eval("#statistics, #pager, #filter, #figure-field", (all) => all.every((e) => e.hidden)) &&
    await textOf(page, "#random") === "Random tiling", "a random tiling shows a page's or figure's controls");
  await expectDownloads(page, "page", "aztec-order-60-random-42", "aztec-60", "random-42");
  await page.click("#random");
  await page.waitForFunction(() => !location.search.includes("random=42&"), { timeout: 5000 }).catch(() => {});
  const seed = asked(page, "random") ?? "0";
  exporter("aztec", `aztec-60-${seed}`, "--order", "60", "--random", seed);
  await expectShown(page, `aztec order 60, seed ${seed}`, `aztec-60-${seed}/random-${seed}.png`,
    "Random tiling");
  await page.goBack();
  await expectShown(page, "aztec order 60, seed 42", "aztec-60/random-42.png", "Back to seed 42");
  await page.close();
  page = await open("?family=aztec&order=299&random=42");
  await expectShown(page, "aztec order 299, seed 42", "aztec-299/random-42.png", "aztec order 299");
  await page.close();
  page = await open("?family=aztec&order=7");
  await page.waitForFunction(() => location.search.includes("random="), { timeout: 20000 }).catch(() => {});
  const fresh = asked(page, "random") ?? "0";
  exporter("aztec", `aztec-7-${fresh}`, "--order", "7", "--random", fresh);
  await expectShown(page, `aztec order 7, seed ${fresh}`, `aztec-7-${fresh}/random-${fresh}.png`,
    "no seed asked");
  await page.close();
}

try {
  for (const [family, order] of orders.slice(0, -1)) await everyPage(family, order);
  await navigation();
  await keysAfterControls();
  await selectionAndDownloads();
  await phoneAndFailure();
  await familiesAndFormats();
  await statisticsAndFilters();
  await figuresByNumberAndSteps();
  await randomFigures();
  await figuresAlone();
  await randomTilings();
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
