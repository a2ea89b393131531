// Domino shuffling shown a stage at a time, for a family that shuffles (the
// Aztec diamond): from the empty diamond up to the order asked for, each
// step's three stages (the bad blocks taken out, the dominoes slid one cell
// their way, the new 2 x 2 blocks filled) in the palette four, played at a
// chosen speed, paused, stepped. Its last stage is the tiling the
// exporter's --random SEED draws at that order, and it says so. A timer
// runs only while it plays. Where the reader asks for reduced motion, Play
// shows each order whole, once a second at most.
import { families, paintShuffling } from "./core.js";
import { keepFocusOff, setHidden, setPressed } from "./focus.js";

const element = (id) => document.getElementById(id);
const reducedMotion = matchMedia("(prefers-reduced-motion: reduce)");
// The family shown, the order and seed drawn, the stage drawn, and the
// next stage's timer while it plays (0 when paused).
const shuffling = { family: -1, order: 0, seed: "", stage: 0, timer: 0, tiling: "" };

const stageWords = ["the bad blocks taken out", "every domino slid one cell its way",
  "the new 2 × 2 blocks filled"];

function stageSaid() {
  const { order, stage } = shuffling;
  const of = `Stage ${stage} of ${3 * order}`;
  if (stage === 0) return `${of}: the empty diamond of order 0`;
  const from = Math.floor((stage - 1) / 3);
  return `${of}, order ${from} to ${from + 1}: ${stageWords[(stage - 1) % 3]}`;
}

function lastSaid() {
  const { family, order, seed } = shuffling;
  return `${stageSaid()}. This is the tiling that ${families[family].name}_export --order ${order} ` +
    `--random ${seed} draws: the same seed, the same tiling.`;
}

function tell(text, playing) {
  const said = element("shuffle-said");
  // Each stage while it plays would be read out one over another.
  said.setAttribute("aria-live", playing ? "off" : "polite");
  if (said.textContent !== text) said.textContent = text;
}

// The stage drawn as large as the page's place is wide and the window high.
function draw() {
  const canvas = element("shuffle-figure");
  const room = [element("stage").clientWidth, Math.max(window.innerHeight - 40, 100)];
  const { family, order, stage, seed } = shuffling;
  const drawn = paintShuffling(canvas, family, order, stage, seed, room);
  // What cannot be drawn leaves no picture of something else.
  canvas.hidden = drawn.failure !== undefined;
  if (drawn.failure) {
    pause();
    tell(`Domino shuffling cannot be shown: ${drawn.failure}.`, false);
    return false;
  }
  canvas.dataset.cell = String(drawn.cell);
  canvas.dataset.stage = String(stage);
  const last = stage === 3 * order;
  canvas.setAttribute("aria-label", `Domino shuffling to order ${order}, seed ${seed}. ${stageSaid()}`);
  tell(last ? lastSaid() : stageSaid(), shuffling.timer !== 0);
  setPlaying(shuffling.timer !== 0);
  keepFocusOff(element("shuffle-step"), last, element("shuffle-play"));
  keepFocusOff(element("shuffle-end"), last, element("shuffle-play"));
  return true;
}

function setPlaying(playing) {
  setPressed(element("shuffle-play"), playing, playing ? "Pause" : "Play");
}

export function pauseShuffling() {
  if (shuffling.timer !== 0) pause();
}

function pause() {
  clearTimeout(shuffling.timer);
  shuffling.timer = 0;
  setPlaying(false);
}

// The next stage, or with reduced motion the next order whole.
function advance() {
  const last = 3 * shuffling.order;
  shuffling.stage = reducedMotion.matches ? Math.min(last, 3 * Math.floor(shuffling.stage / 3) + 3)
    : Math.min(last, shuffling.stage + 1);
}

function tick() {
  advance();
  if (shuffling.stage === 3 * shuffling.order) shuffling.timer = 0;
  if (!draw() || shuffling.timer === 0) return;
  const perSecond = Number(element("shuffle-speed").value);
  shuffling.timer = setTimeout(tick, reducedMotion.matches ? Math.max(1000, 1000 / perSecond) : 1000 / perSecond);
}

function play() {
  if (shuffling.timer !== 0) {
    pause();
    draw();
    return;
  }
  if (!readFields()) return;
  // From the start again once it has ended.
  if (shuffling.stage === 3 * shuffling.order) shuffling.stage = 0;
  shuffling.timer = -1;
  tick();
}

// The order and seed typed: true when they are what is drawn, or are
// drawn now from stage 0; told and false when they are not a valid order.
function readFields() {
  const largest = families[shuffling.family].largestShuffled;
  const typed = element("shuffle-order").value.trim();
  const order = /^[0-9]+$/.test(typed) ? Number(typed) : NaN;
  if (!(order >= 1 && order <= largest)) {
    pause();
    tell(`Domino shuffling is shown to orders 1 to ${largest}: '${typed}' is not one.`, false);
    return false;
  }
  const seed = element("shuffle-seed").value.trim();
  if (order !== shuffling.order || seed !== shuffling.seed) {
    pause();
    Object.assign(shuffling, { order, seed, stage: 0 });
    return draw();
  }
  return true;
}

function step(to) {
  pause();
  if (!readFields()) return;
  shuffling.stage = to();
  draw();
}

// Shown for a family that shuffles: at first, and when another such family
// is shown, to the order and seed shown where they can be.
export function showShuffling(shown) {
  const section = element("shuffling");
  const largest = families[shown.family].largestShuffled;
  if (largest === 0) {
    pause();
    setHidden(section, true);
    shuffling.family = -1;
    return;
  }
  // A random tiling shown anew (another seed or order) is the one to
  // shuffle, unless shuffling plays.
  const tiling = shown.mode === "random" ? `${shown.order} ${shown.seed}` : "";
  const another = tiling !== "" && tiling !== shuffling.tiling && shuffling.timer === 0;
  shuffling.tiling = tiling;
  if (shuffling.family === shown.family && !another) return;
  shuffling.family = shown.family;
  setHidden(section, false);
  element("shuffle-order").max = String(largest);
  element("shuffle-order").value = String(Math.min(shown.order, largest));
  element("shuffle-seed").value = shown.seed ?? (element("shuffle-seed").value || "1");
  shuffling.order = 0;
  readFields();
}

export function listenToShuffling() {
  element("shuffle-play").addEventListener("click", play);
  element("shuffle-step").addEventListener("click", () => step(() => Math.min(3 * shuffling.order,
    shuffling.stage + 1)));
  element("shuffle-end").addEventListener("click", () => step(() => 3 * shuffling.order));
  element("shuffle-start").addEventListener("click", () => step(() => 0));
  for (const id of ["shuffle-order", "shuffle-seed"]) {
    const field = element(id);
    field.addEventListener("change", readFields);
    field.addEventListener("keydown", (event) => {
      if (event.key === "Enter") {
        event.preventDefault();
        readFields();
      }
    });
  }
  window.addEventListener("resize", () => {
    if (shuffling.family >= 0 && shuffling.timer === 0) draw();
  });
}
