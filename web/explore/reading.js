// The selected figure's paths read step by step in the large view: Play
// (or S) draws them a step at a time, the domino each step lies on shaded,
// with a step counter; Pause, Step and a speed. Any other figure selected,
// or the view drawn again, and the whole figure is shown again. A timer
// runs only while it plays; where the reader asks for reduced motion, a
// step a second at most.
import { largeSteps, paintLargeSteps } from "./core.js";
import { keepFocusOff, setPressed } from "./focus.js";
import { largeIndex } from "./show.js";

const element = (id) => document.getElementById(id);
const reducedMotion = matchMedia("(prefers-reduced-motion: reduce)");
// The step drawn (null while the figure is shown whole), the steps in all
// (unknown until the first is drawn), and the next step's timer while it
// plays (0 when paused).
const reading = { step: null, total: Infinity, timer: 0 };

export function readable() {
  return largeIndex() !== null;
}

// Step `step` (from 1) of the figure drawn large, as turned if it is: its
// word, and with several paths, which path it starts or is on.
function stepSaid(step) {
  let path = 1;
  let counted = 0;
  const words = largeSteps().split(" ");
  for (const [i, word] of words.entries()) {
    if (word === "|") {
      path += 1;
    } else if (++counted === step) {
      const several = words.includes("|");
      const starts = i === 0 || words[i - 1] === "|";
      return several ? `path ${path}${starts ? " begins" : ""}, ${word}` : word;
    }
  }
  return "";
}

function setPlaying(playing) {
  setPressed(element("read-play"), playing, playing ? "Pause" : "Read the path");
}

function pause() {
  clearTimeout(reading.timer);
  reading.timer = 0;
  setPlaying(false);
}

// The figure whole again, as the large view draws it: reading stopped.
export function stopReading() {
  pause();
  reading.step = null;
  reading.total = Infinity;
  element("read-said").textContent = "";
  element("read-step").disabled = false;
}

// The path as far as it was read, drawn again (the view's room changed):
// false when it is not being read.
export function drawReadingOver() {
  return reading.step !== null && draw();
}

function draw() {
  const index = largeIndex();
  if (index === null) {
    stopReading();
    return false;
  }
  const canvas = element("large-figure");
  const room = [element("stage").clientWidth, Math.max(window.innerHeight - 40, 100)];
  // Read to its end, the figure whole, as the view shows it otherwise.
  const drawn = paintLargeSteps(canvas, index, reading.step === reading.total ? -1 : reading.step, room);
  if (drawn === null) {
    stopReading();
    return false;
  }
  reading.total = drawn.total;
  canvas.dataset.step = String(reading.step);
  const { step, total } = reading;
  const said = element("read-said");
  said.setAttribute("aria-live", reading.timer !== 0 ? "off" : "polite");
  said.textContent = step === 0 ? `Step 0 of ${total}: the dominoes alone`
    : `Step ${step} of ${total}: ${stepSaid(step)}` +
      `${step === total ? `, the last: the whole path read` : ""}`;
  keepFocusOff(element("read-step"), step === total, element("read-play"));
  return true;
}

function tick() {
  reading.step = Math.min(reading.total, reading.step + 1);
  const last = reading.step === reading.total;
  if (last) pause();
  if (!draw() || last) return;
  const perSecond = Number(element("read-speed").value);
  reading.timer = setTimeout(tick, reducedMotion.matches ? Math.max(1000, 1000 / perSecond) : 1000 / perSecond);
}

// Play, or Pause while it plays; from the start once the path is read.
export function toggleReading() {
  if (reading.timer !== 0) {
    pause();
    draw();
    return;
  }
  if (reading.step === null || reading.step === reading.total) {
    reading.step = 0;
    if (!draw()) return;
  }
  reading.timer = -1;
  setPlaying(true);
  tick();
}

function stepOnce() {
  pause();
  reading.step = reading.step === null ? 0 : Math.min(reading.total, reading.step + 1);
  draw();
}

export function listenToReading() {
  element("read-play").addEventListener("click", toggleReading);
  element("read-step").addEventListener("click", stepOnce);
}
