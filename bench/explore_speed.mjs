// How fast the explorer is in Debian's Chromium, served locally: load to
// page 1, key to the next animation frame for a neighbour page and for a
// jump to the last page of diamond order 7 (3,243 pages), for a jump to a
// figure typed in the Figure box (Enter), and for page turns of a filter's
// pages; load to a random Aztec tiling of order 300, 1,000 and 4,000 (drawn
// in a worker) and the longest gap between the page's frames meanwhile,
// and a step of a window on order 4,000; ↓ to a figure selected and drawn
// large, and → to the next slide of a presentation; a flip by hand (Enter
// on a ringed block) and random flips a second; random moves on a random
// Aztec tiling (Run) a second at orders 60, 1,000 and 4,000, with the
// page's frames meanwhile, and a moved tiling reopened; a stage of domino
// shuffling at order 200;
// main-thread time while idle, and the gzipped size of the
// explorer's files. A report, not a test: it asserts nothing.
// Usage: node bench/explore_speed.mjs WEB_FOLDER [TURNS]
// (run it from the repository, after scripts/build-web.sh and npm ci in
// tests/web).
import fs from "node:fs";
import path from "node:path";
import zlib from "node:zlib";
import { launch, mainThreadBusy, serve } from "../tests/web/harness.mjs";

const webFolder = path.resolve(process.argv[2] || "build-web");
const turns = Number(process.argv[3] || 40);
const { server, origin } = await serve(webFolder, {});
const { browser, close } = await launch();

function summary(samples) {
  const sorted = [...samples].sort((a, b) => a - b);
  return `median ${sorted[Math.floor(sorted.length / 2)].toFixed(1)} ms, ` +
    `max ${sorted[sorted.length - 1].toFixed(1)} ms`;
}
// Key to canvas, and key to the next frame.
const both = (samples) => `on the canvas ${summary(samples.map((s) => s[0]))}; ` +
  `next frame ${summary(samples.map((s) => s[1]))} (${samples.length} keys)`;

// Each of `count` keys `press(i)` makes, timed from the key event to the
// page on the canvas (the explorer's own listener has run when the event
// leaves the window), and to the animation frame that follows, which shows it.
// A key that `heard` (a selector) keeps to itself is timed there.
async function timedKeys(page, count, press, heard = null) {
  await page.evaluate((selector) => {
    window.after_keys = [];
    const where = selector === null ? window : document.querySelector(selector);
    if (where.timing) return;
    where.timing = true;
    window.addEventListener("keydown", () => { window.pressed = performance.now(); }, true);
    where.addEventListener("keydown", () => {
      const drawn = performance.now() - window.pressed;
      requestAnimationFrame(() => window.after_keys.push([drawn, performance.now() - window.pressed]));
    });
  }, heard);
  for (let i = 0; i < count; i += 1) {
    await press(i);
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  }
  await page.waitForFunction((n) => window.after_keys.length === n, {}, count);
  return page.evaluate(() => window.after_keys);
}

// Opens the explorer at `query`, once it shows `title`: the milliseconds
// since its navigation began.
async function opened(page, query, title, timeout = 20000) {
  await page.goto(`${origin}/explore.html${query}`);
  return page.waitForFunction((t) => document.title === t && performance.now(), { timeout }, title)
    .then((h) => h.jsonValue());
}

// The longest time between two of the page's animation frames from now
// until its title starts with `title`: how long the page stopped answering.
async function longestFrameGap(page, title) {
  return page.evaluate((t) => new Promise((resolve) => {
    let last = performance.now();
    let longest = 0;
    const frame = (now) => {
      longest = Math.max(longest, now - last);
      last = now;
      if (document.title.startsWith(t)) resolve(longest); else requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
  }), title);
}

try {
  const loads = [];
  const next = [];
  const jumps = [];
  const figureJumps = [];
  const filteredNext = [];
  const filteredJumps = [];
  const selectedLarge = [];
  const slideSteps = [];
  let idle = 0;
  const keys = ["ArrowRight", "End", "Home"];
  for (let run = 0; run < 5; run += 1) {
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 1100 });
    loads.push(await opened(page, "?family=diamond&order=7", "diamond order 7 - page 1 of 3243"));
    let timed = await timedKeys(page, 3 * turns / 5, (i) => page.keyboard.press(keys[i % 3]));
    timed.forEach((ms, i) => (i % 3 === 1 ? jumps : i % 3 === 0 ? next : null)?.push(ms));
    // A figure anywhere among the 48,639, typed ahead in the box: Enter
    // alone is timed, which shows its page with the figure selected.
    timed = await timedKeys(page, turns / 5, async () => {
      await page.$eval("#figure", (box, number) => { box.value = number; box.focus(); },
        String(1 + Math.floor(Math.random() * 48639)));
      await page.keyboard.press("Enter");
    });
    figureJumps.push(...timed);
    await opened(page, "?family=diamond&order=7&where=flats%3D3",
      "diamond order 7 where flats=3 - page 1 of 770");
    timed = await timedKeys(page, 3 * turns / 5, (i) => page.keyboard.press(keys[i % 3]));
    timed.forEach((ms, i) => (i % 3 === 1 ? filteredJumps : i % 3 === 0 ? filteredNext : null)?.push(ms));
    // ↓ on the page: the next figure selected and drawn large under it;
    // then P and → through the slides, each drawn over the whole screen.
    await opened(page, "?family=diamond&order=7", "diamond order 7 - page 1 of 3243");
    await page.focus("#page");
    selectedLarge.push(...await timedKeys(page, turns / 5, () => page.keyboard.press("ArrowDown")));
    await page.keyboard.press("p");
    slideSteps.push(...await timedKeys(page, turns / 5, () => page.keyboard.press("ArrowRight")));
    if (run === 0) {
      // Idle: once the address has followed the last key (0.3 s after it).
      await new Promise((resolve) => setTimeout(resolve, 1000));
      idle = await mainThreadBusy(page, 3);
    }
    await page.close();
  }
  // Flips by hand: Enter on a block of the figure drawn large, turning it
  // back and forth, on a page's figure and on one alone; Run's rate.
  const flips = [];
  for (const [query, title] of [["?family=diamond&order=7", "diamond order 7 - page 1 of 3243"],
    ["?family=diamond&order=20&figure=12345", "diamond order 20 - figure 12345 of 260543813797441"]]) {
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 1100 });
    await opened(page, query, title);
    if (query.endsWith("order=7")) {
      await page.focus("#page");
      await page.keyboard.press("ArrowDown");
    }
    await page.waitForFunction(() => !document.getElementById("large").hidden);
    // A block that turns, found through the module, and the arrows from
    // the middle, where the ring starts, to it.
    const keys = await page.evaluate(() => {
      const [core, session] = [Module, Module.exploreSession];
      const canvas = document.getElementById("large-figure");
      const index = document.getElementById("large-said").textContent.startsWith("Figure 12345") ? -1 : 0;
      const [left, top, cell] = [0, 1, 2].map((axis) => core._explore_large_origin(session, axis));
      const middle = [Math.round((canvas.width / 2 - left) / cell), Math.round((canvas.height / 2 - top) / cell)];
      for (let c = 1; c * cell < canvas.width; c += 1) {
        for (let r = 1; r * cell < canvas.height; r += 1) {
          if (core._explore_turn_block(session, index, c, r) !== 0) continue;
          core._explore_undo_turn(session);
          return [...Array(Math.abs(c - middle[0])).fill(c > middle[0] ? "ArrowRight" : "ArrowLeft"),
            ...Array(Math.abs(r - middle[1])).fill(r > middle[1] ? "ArrowDown" : "ArrowUp")];
        }
      }
      return [];
    });
    await page.focus("#large-figure");
    for (const key of keys) await page.keyboard.press(key);
    flips.push([title, await timedKeys(page, turns / 2, () => page.keyboard.press("Enter"), "#large-figure")]);
    if (!query.endsWith("order=7")) {
      await page.click("#run-flips");
      await new Promise((resolve) => setTimeout(resolve, 3000));
      flips.push([`${title}, Run: ${await page.$eval("#flips-rate", (e) => e.textContent)}`, null]);
      await page.click("#run-flips");
    }
    await page.close();
  }
  // Domino shuffling at order 200: Step through its first stages, and End
  // for a new seed each time (all 600 stages made, the last drawn).
  const shuffling = [];
  {
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 1100 });
    await opened(page, "?family=aztec&order=3", "aztec order 3 - page 1 of 1");
    await page.$eval("#shuffle-order", (e) => { e.value = "200"; e.dispatchEvent(new Event("change")); });
    await page.focus("#shuffle-step");
    shuffling.push(["Step, stages 1 on", await timedKeys(page, turns / 2, () => page.keyboard.press("Enter"))]);
    shuffling.push(["End, a new seed each time", await timedKeys(page, turns / 4, async (i) => {
      await page.$eval("#shuffle-seed", (e, seed) => { e.value = seed; e.dispatchEvent(new Event("change")); },
        String(i + 100));
      await page.focus("#shuffle-end");
      await page.keyboard.press("Enter");
    })]);
    await page.close();
  }
  // Random moves on a random Aztec tiling, as fast as they go for 5 s: the
  // moves a second, the blocks turned a second, and the longest gap between
  // the page's frames meanwhile (past order 299 the worker moves and draws);
  // then a moved tiling reopened by its address, its moves made again.
  const moved = [];
  for (const order of [60, 1000, 4000]) {
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 1100 });
    await opened(page, `?family=aztec&order=${order}&random=1`, `aztec order ${order}, seed 1`, 120000);
    await page.select("#moves-speed", "0");
    const started = performance.now();
    await page.click("#run-moves");
    const gap = page.evaluate(() => new Promise((resolve) => {
      let last = performance.now();
      let longest = 0;
      const frame = (now) => {
        longest = Math.max(longest, now - last);
        last = now;
        if (document.getElementById("run-moves").getAttribute("aria-pressed") === "false") resolve(longest);
        else requestAnimationFrame(frame);
      };
      requestAnimationFrame(frame);
    }));
    await new Promise((resolve) => setTimeout(resolve, 5000));
    const rate = await page.$eval("#moves-rate", (e) => e.textContent);
    await page.click("#run-moves");
    const longest = await gap;
    await page.waitForFunction(() => document.title.includes("Glauber"), { timeout: 60000 });
    const seconds = (performance.now() - started) / 1000;
    const moves = Number(/then ([0-9]+) Glauber/.exec(await page.title())[1]);
    moved.push(`random moves at order ${order}: ${(moves / seconds / 1e6).toFixed(1)} million a second ` +
      `(${rate.replace(/, [0-9]+ moves in all$/, "")}); the page's frames at most ${longest.toFixed(1)} ms apart`);
    await page.close();
  }
  for (const moves of [1000000, 25000000]) {
    const page = await browser.newPage();
    const ms = await opened(page, `?family=aztec&order=60&random=1&glauber=${moves}`,
      `aztec order 60, seed 1, then ${moves} Glauber moves`, 120000);
    moved.push(`load to order 60 after ${moves} moves (made again ${moves > 20000000 ? "in a worker" : "in the page"}): ` +
      `${ms.toFixed(0)} ms`);
    await page.close();
  }
  // A random Aztec tiling, from navigation to its title: the module's
  // start, then the shuffling and the drawing in the tiling's worker.
  const large = [];
  for (const [order, seeds] of [[300, 3], [1000, 3], [4000, 1]]) {
    const samples = [];
    for (let i = 0; i < seeds; i += 1) {
      const page = await browser.newPage();
      samples.push(await opened(page, `?family=aztec&order=${order}&random=${i + 1}`,
        `aztec order ${order}, seed ${i + 1}`, 120000));
      await page.close();
    }
    large.push([order, samples]);
  }
  // Order 4,000 asked for from a page shown: the frames meanwhile.
  const page = await browser.newPage();
  await opened(page, "?family=aztec&order=60&random=1", "aztec order 60, seed 1");
  await page.$eval("#order-box", (box) => { box.value = "4000"; });
  const started = performance.now();
  const [gap] = await Promise.all([longestFrameGap(page, "aztec order 4000,"),
    page.$eval("#order-box", (box) => box.dispatchEvent(new Event("change")))]);
  console.log(`order 4000 typed: drawn in ${((performance.now() - started) / 1000).toFixed(1)} s, ` +
    `the page's frames at most ${gap.toFixed(1)} ms apart meanwhile`);
  // Its window, each key timed to the line under the page that tells the
  // window once its pixels are on the page: zoomed in to 64 pixels a cell,
  // moved, and out.
  const steps = [];
  await page.focus("#page");
  for (const key of ["+", "+", "+", "+", "+", "+", "+", "ArrowRight", "ArrowDown", "ArrowLeft", "-", "-", "-",
    "-", "-", "-"]) {
    const told = () => document.getElementById("zoom-said").textContent;
    const before = await page.evaluate(told);
    const at = performance.now();
    await page.keyboard.press(key);
    await page.waitForFunction((b) => document.getElementById("zoom-said").textContent !== b,
      { timeout: 20000, polling: "mutation" }, before);
    steps.push(performance.now() - at);
  }
  console.log(`a step of the window on order 4000 (16 keys): ${summary(steps)}`);
  await page.close();
  console.log(`load to page 1 (diamond order 7): ${summary(loads)} (${loads.length} loads)`);
  for (const [order, samples] of large) {
    console.log(`load to a random aztec tiling of order ${order}: ${summary(samples)} (${samples.length} seeds)`);
  }
  console.log(`key to page, next page: ${both(next)}`);
  console.log(`↓ to the next figure selected and drawn large: ${both(selectedLarge)}`);
  console.log(`→ to the next slide (a presentation, 1000 x 1100): ${both(slideSteps)}`);
  for (const [what, samples] of flips) {
    console.log(samples === null ? what : `a flip by hand (Enter on a block), ${what}: ${both(samples)}`);
  }
  for (const line of moved) console.log(line);
  for (const [what, samples] of shuffling) {
    console.log(`a stage of domino shuffling at order 200, ${what}: ${both(samples)}`);
  }
  console.log(`key to page, End (page 3243 of 3243): ${both(jumps)}`);
  console.log(`figure box jump (Enter, a figure of 48,639 at random): ${both(figureJumps)}`);
  console.log(`filtered page turn (where flats=3, 770 pages), next page: ${both(filteredNext)}`);
  console.log(`filtered page turn, End: ${both(filteredJumps)}`);
  console.log(`main thread busy while idle: ${idle.toFixed(2)} ms a second`);
  // The script's modules each gzipped, as a server sends them, and added up.
  const modules = fs.readdirSync(path.join(webFolder, "explore")).filter((f) => f.endsWith(".js"));
  const groups = [["explore.html", ["explore.html"]],
    [`explore/ (${modules.length} modules)`, modules.map((m) => `explore/${m}`)],
    ["explore_core.js", ["explore_core.js"]], ["explore_core.wasm", ["explore_core.wasm"]]];
  const sizes = groups.map(([, files]) => files.reduce((sum, file) =>
    sum + zlib.gzipSync(fs.readFileSync(path.join(webFolder, file)), { level: 9 }).length, 0));
  console.log(`gzipped: ${groups.map(([name], i) => `${name} ${(sizes[i] / 1000).toFixed(1)} kB`).join(", ")}; ` +
    `in all ${(sizes.reduce((a, b) => a + b, 0) / 1000).toFixed(1)} kB`);
} finally {
  await close();
  server.close();
}
