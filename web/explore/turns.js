// Flips by hand in the large view: a click or tap on the middle of a 2 x 2
// block of two parallel dominoes turns it, and the figure becomes the one
// the family's ranking finds for the new dominoes, its number, steps and
// statistics told at once; a block that cannot turn, or whose turn would
// leave the family, says so. From the keyboard, the arrows move a ring
// over the blocks and Enter or space turns the one ringed. Undo (or Z)
// goes back a turn. Past the paged orders, Run turns random blocks on and
// on (Glauber dynamics, which keeps every figure as likely as any other),
// drawn each frame, or each second where reduced motion is asked for, with
// how many turn a second. A frame's work only while it runs.
import { dropTurns, largeBlockBox, largeCornerAt, largeSaid, paintLarge, runFlips, turnBlock,
  undoTurn } from "./core.js";
import { setDisabled, setPressed } from "./focus.js";
import { drawReadingOver, stopReading } from "./reading.js";
import { largeIndex, shown } from "./show.js";
import { capital } from "./words.js";

const element = (id) => document.getElementById(id);
const reducedMotion = matchMedia("(prefers-reduced-motion: reduce)");
// The turns kept for Undo, the ringed corner (null until the arrows move
// it), and the run of random turns: its frame, its tries a frame, its
// turns since the rate was last told, and when.
const turning = { undos: 0, corner: null, frame: 0, tries: 100, turned: 0, since: 0, drawn: 0, first: true };

const room = () => [element("stage").clientWidth, Math.max(window.innerHeight - 40, 100)];

// The large figure drawn again, as turned, ringed where the keyboard is.
function redraw() {
  const index = largeIndex();
  if (index === null) return;
  const canvas = element("large-figure");
  // A path being read stays as far as it was read.
  if (!drawReadingOver()) canvas.dataset.cell = String(paintLarge(canvas, index, room()));
  ringLarge();
  tellLarge();
}

// What a turn did, said once each time, even the same words again.
function tellTurn(text) {
  const said = element("turn-said");
  said.textContent = "";
  if (text !== "") requestAnimationFrame(() => { said.textContent = text; });
}

// The ring over the block the keyboard is on, while the figure has the focus.
export function ringLarge() {
  const canvas = element("large-figure");
  if (turning.corner !== null && document.activeElement === canvas) {
    const [x, y, side] = largeBlockBox(...turning.corner);
    const context = canvas.getContext("2d");
    // White under black, to be seen over any palette.
    const line = Math.max(3, Math.round(side / 10));
    context.lineWidth = line + 2;
    context.strokeStyle = "#fff";
    context.strokeRect(x + line / 2, y + line / 2, side - line, side - line);
    context.lineWidth = line;
    context.strokeStyle = "#000";
    context.setLineDash([2 * line, line]);
    context.strokeRect(x + line / 2, y + line / 2, side - line, side - line);
    context.setLineDash([]);
  }
}

// What the large view says of its figure: the page's words until a turn,
// then the turned figure's own.
export function largeCaption(text) {
  return turning.undos === 0 ? capital(text) : `${capital(turnedSaid())}, turned by hand`;
}

function turnedSaid() {
  const { number, text } = largeSaid();
  return `figure ${number} of ${shown.total}: ${text}`;
}

function tellLarge() {
  const caption = largeCaption(element("selection").textContent);
  element("large-said").textContent = caption;
  element("large-figure").setAttribute("aria-label", `${caption}, drawn large with its path`);
  setDisabled(element("undo-turn"), turning.undos === 0);
}

function turnAt(c, r) {
  const index = largeIndex();
  if (index === null) return;
  stopReading();
  const why = turnBlock(index, c, r);
  if (why !== null) {
    tellTurn(`That block cannot turn: ${why}.`);
    return;
  }
  turning.undos += 1;
  redraw();
  tellTurn(`Turned: ${turnedSaid()}.`);
}

export function undo() {
  stopRun();
  if (turning.undos === 0 || !undoTurn()) return;
  stopReading();
  turning.undos -= 1;
  redraw();
  tellTurn(`Turned back: ${turnedSaid()}.`);
}

// Every turn forgotten, as another figure is drawn large.
export function forgetTurns() {
  stopRun();
  dropTurns();
  turning.undos = 0;
  turning.corner = null;
  element("turn-said").textContent = "";
  element("flips-rate").textContent = "";
  setDisabled(element("undo-turn"), true);
}

function runFrame(now) {
  const index = largeIndex();
  if (index === null) {
    stopRun();
    return;
  }
  const started = performance.now();
  const turned = runFlips(index, turning.tries, turning.first);
  if (turned < 0) {
    stopRun();
    return;
  }
  // Kept for Undo from the first frame that turned anything.
  if (turning.first && turned > 0) {
    turning.undos += 1;
    turning.first = false;
  }
  // Some 8 ms of turns a frame, whatever the figure's size.
  const spent = Math.max(performance.now() - started, 0.05);
  turning.tries = Math.min(1000000, Math.max(10, Math.round(turning.tries * 8 / spent)));
  turning.turned += turned;
  if (!reducedMotion.matches || now - turning.drawn >= 1000) {
    redraw();
    turning.drawn = now;
  }
  if (now - turning.since >= 1000) {
    element("flips-rate").textContent = `${Math.round(turning.turned * 1000 / (now - turning.since))} flips a second`;
    turning.turned = 0;
    turning.since = now;
  }
  turning.frame = requestAnimationFrame(runFrame);
}

function stopRun() {
  if (turning.frame === 0) return;
  cancelAnimationFrame(turning.frame);
  turning.frame = 0;
  setPressed(element("run-flips"), false, "Run");
  redraw();
}

function toggleRun() {
  if (turning.frame !== 0) {
    stopRun();
    return;
  }
  stopReading();
  // A try a frame at first: at order 1,000 one takes milliseconds.
  Object.assign(turning, { first: true, tries: 1, turned: 0, since: performance.now(), drawn: 0 });
  element("flips-rate").textContent = "";
  setPressed(element("run-flips"), true, "Stop");
  turning.frame = requestAnimationFrame(runFrame);
}

// Run is offered past the paged orders, where a figure is shown alone.
export function showTurning() {
  const offered = shown?.mode === "figure";
  if (!offered) stopRun();
  element("run-field").hidden = !offered;
}

// The ring's corner, in the middle until the arrows move it, and never
// past the picture's edges.
function ringAt(c, r) {
  const canvas = element("large-figure");
  const [firstC, firstR] = largeCornerAt(0, 0);
  const [lastC, lastR] = largeCornerAt(canvas.width, canvas.height);
  turning.corner = [Math.min(Math.max(c, firstC), lastC), Math.min(Math.max(r, firstR), lastR)];
}

function ringInMiddle() {
  const canvas = element("large-figure");
  ringAt(...largeCornerAt(canvas.width / 2, canvas.height / 2));
}

function turnKey(event) {
  const moves = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
  const turns = event.key === "Enter" || event.key === " ";
  if (!(event.key in moves) && !turns) return;
  // The page's own keys (its arrows turn pages) stay off the large figure.
  event.preventDefault();
  event.stopPropagation();
  if (turns && turning.corner !== null) {
    // Drawn again once turned, ring and all.
    turnAt(...turning.corner);
    return;
  }
  // With no ring yet, the first key shows it, in the middle.
  if (turning.corner === null) ringInMiddle();
  if (event.key in moves) {
    const [dx, dy] = moves[event.key];
    ringAt(turning.corner[0] + dx, turning.corner[1] + dy);
  }
  redraw();
}

export function listenToTurns() {
  const canvas = element("large-figure");
  canvas.addEventListener("click", (event) => {
    const box = canvas.getBoundingClientRect();
    const [c, r] = largeCornerAt((event.clientX - box.left) * canvas.width / box.width,
      (event.clientY - box.top) * canvas.height / box.height);
    // The keyboard goes on from the block clicked.
    if (turning.corner !== null) ringAt(c, r);
    turnAt(c, r);
  });
  canvas.addEventListener("keydown", turnKey);
  canvas.addEventListener("focus", () => {
    // Reached by Tab, the ring shows where Enter turns.
    if (turning.corner === null && canvas.matches(":focus-visible")) ringInMiddle();
    redraw();
  });
  canvas.addEventListener("blur", redraw);
  element("undo-turn").addEventListener("click", undo);
  element("run-flips").addEventListener("click", toggleRun);
}
