// How fast the explorer is in Debian's Chromium, served locally: load to
// page 1, key to the next animation frame for a neighbour page and for a
// jump to the last page of diamond order 7 (3,243 pages), main-thread time
// while idle, and the gzipped size of the explorer's files. A report, not
// a test: it asserts nothing.
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

try {
  const loads = [];
  const next = [];
  const jumps = [];
  let idle = 0;
  for (let run = 0; run < 5; run += 1) {
    const page = await browser.newPage();
    await page.setViewport({ width: 1000, height: 1100 });
    await page.goto(`${origin}/explore.html?family=diamond&order=7`);
    loads.push(await page.waitForFunction(
      () => document.title === "diamond order 7 - page 1 of 3243" && performance.now(),
      { timeout: 20000 }).then((h) => h.jsonValue()));
    // From the key event to the page on the canvas (the explorer's own
    // listener has run when the event leaves the window), and to the
    // animation frame that follows, which shows it.
    await page.evaluate(() => {
      window.after_keys = [];
      window.addEventListener("keydown", () => { window.pressed = performance.now(); }, true);
      window.addEventListener("keydown", () => {
        const drawn = performance.now() - window.pressed;
        requestAnimationFrame(() => window.after_keys.push([drawn, performance.now() - window.pressed]));
      });
    });
    for (let i = 0; i < turns / 5; i += 1) {
      for (const key of ["ArrowRight", "End", "Home"]) {
        await page.keyboard.press(key);
        await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
      }
    }
    await page.waitForFunction((n) => window.after_keys.length === n, {}, 3 * turns / 5);
    const timed = await page.evaluate(() => window.after_keys);
    timed.forEach((ms, i) => (i % 3 === 1 ? jumps : i % 3 === 0 ? next : null)?.push(ms));
    if (run === 0) {
      // Idle: once the address has followed the last key (0.3 s after it).
      await new Promise((resolve) => setTimeout(resolve, 1000));
      idle = await mainThreadBusy(page, 3);
    }
    await page.close();
  }
  console.log(`load to page 1 (diamond order 7): ${summary(loads)} (${loads.length} loads)`);
  console.log(`key to page, next page: ${both(next)}`);
  console.log(`key to page, End (page 3243 of 3243): ${both(jumps)}`);
  console.log(`main thread busy while idle: ${idle.toFixed(2)} ms a second`);
  const files = ["explore.html", "explore.js", "explore_core.js", "explore_core.wasm"];
  const sizes = files.map((file) => zlib.gzipSync(fs.readFileSync(path.join(webFolder, file)),
    { level: 9 }).length);
  console.log(`gzipped: ${files.map((f, i) => `${f} ${(sizes[i] / 1000).toFixed(1)} kB`).join(", ")}; ` +
    `in all ${(sizes.reduce((a, b) => a + b, 0) / 1000).toFixed(1)} kB`);
} finally {
  await close();
  server.close();
}
