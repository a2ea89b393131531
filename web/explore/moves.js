// Random moves on a random tiling (Glauber dynamics), for a family whose
// every tiling of its region is a figure: Run makes them on and on, at a
// speed in sweeps a second (a sweep as many moves as the tiling's frame
// has corners, so each block is tried about once) or as fast as the
// machine goes, the tiling drawn again each frame (each second where
// reduced motion is asked for; a picture larger than the page as often as
// its drawing allows), with how many blocks turn a second. Stopped, its
// moves are told in the title and the address, and its downloads are the
// exporter's --random SEED --glauber N; Undo goes back to before the last
// run. A frame's work only while it runs.
import { families, largestMoves, moveTiling } from "./core.js";
import { drawingLarge, moveLarge } from "./large.js";
import { setDisabled, setHidden, setPressed } from "./focus.js";
import { repaintMoved, shown, shownWindow, tellMoved, tellRunning, undoMoves, view } from "./show.js";
import { say } from "./words.js";

const element = (id) => document.getElementById(id);
const reducedMotion = matchMedia("(prefers-reduced-motion: reduce)");
// The run: its frame, the state it moves, a worker's answer awaited, a
// stop asked for while one is (and whether by something else shown, which
// tells what it shows itself); the moves owed by the speed and the most a
// frame makes; the blocks turned since the rate was
// told, and when; when the tiling was last drawn, and what that cost.
// And the tiling the moves are of, and its moves before each run, for Undo.
const run = { frame: 0, state: null, waiting: false, stopping: false, quiet: false, last: 0, owed: 0, budget: 1000,
  turned: 0, since: 0, drawn: 0, drawCost: 0, tiling: "", undos: [] };

const tilingOf = (state) => `${state.family} ${state.order} ${state.seed}`;
const running = () => run.frame !== 0 || run.waiting;

function tellRate(text) {
  element("moves-rate").textContent = text;
}
function sinceSeed(state) {
  return state.glauber === "0" ? "" : `${state.glauber} moves since the seed drew it`;
}

// Shown with a random tiling of a family that moves; anything newly shown
// stops a run.
export function showMoves(state) {
  if (running() && run.state !== state) halt();
  const offered = state.mode === "random" && families[state.family].moves;
  setHidden(element("moves"), !offered);
  if (tilingOf(state) !== run.tiling) {
    run.tiling = tilingOf(state);
    run.undos = [];
    element("moves-said").textContent = "";
  }
  setDisabled(element("undo-moves"), run.undos.length === 0);
  if (!running()) tellRate(offered ? sinceSeed(state) : "");
}

function pressed(running) {
  setPressed(element("run-moves"), running, running ? "Stop" : "Run");
}

// The run ends: its button back to Run, and, when the tiling is still the
// one it moved, the tiling drawn as it is now and its moves told.
function halt() {
  cancelAnimationFrame(run.frame);
  const { state, quiet } = run;
  Object.assign(run, { frame: 0, waiting: false, stopping: false, quiet: false, state: null });
  pressed(false);
  if (state !== shown || quiet) {
    element("moves-said").textContent = state === shown ? `Stopped after ${state.glauber} moves in all.` : "";
    return;
  }
  if (run.undos.at(-1) === state.glauber) run.undos.pop();
  setDisabled(element("undo-moves"), run.undos.length === 0);
  tellRate(sinceSeed(state));
  tellMoved();
  // The page's own module drew its canvas at every move; a worker's
  // tiling is drawn once more, as its last moves may not have been.
  if (state.large) view(state.zoom);
  element("moves-said").textContent = `Stopped after ${state.glauber} moves in all: this tiling, its ` +
    `address and its downloads are the exporter's --random ${state.seed} --glauber ${state.glauber}.`;
}

// A stop asked for: at once, or once the worker has answered for the
// moves it is making, so that what is told is what it holds.
function stop() {
  if (!run.waiting) {
    halt();
    return;
  }
  run.stopping = true;
  pressed(false);
}
// Anything else asked for (show.js) stops a run first, which then tells
// what it shows.
export function stopMoves() {
  if (!running()) return;
  run.quiet = true;
  stop();
}

// The moves made, as the module or the worker tells them; false when the
// run is over.
function made(reply, moves, spent, now) {
  run.waiting = false;
  if (run.state !== shown) return false;
  if (reply.failure !== undefined) {
    say(`The moves could not be made: ${reply.failure}.`);
    halt();
    return false;
  }
  shown.glauber = reply.done;
  run.turned += reply.turned;
  // Some 8 ms of moves a frame in the page, 30 ms in a worker, whose
  // answer costs a frame's wait of its own.
  if (moves > 0) {
    const aimed = shown.large ? 30 : 8;
    run.budget = Math.min(2 ** 30, Math.max(1000, Math.round(moves * aimed / Math.max(spent, 0.1))));
  }
  if (reply.pixels !== undefined || !shown.large) {
    const started = performance.now();
    repaintMoved(reply.pixels === undefined ? null : reply);
    run.drawCost = performance.now() - started + (reply.drawTime ?? 0);
    run.drawn = now;
  }
  if (now - run.since >= 1000) {
    tellRate(`${Math.round(run.turned * 1000 / (now - run.since))} blocks turned a second, ` +
      `${shown.glauber} moves in all`);
    tellRunning();
    run.turned = 0;
    run.since = now;
  }
  if (run.stopping || BigInt(shown.glauber) >= largestMoves) {
    if (BigInt(shown.glauber) >= largestMoves) say(`Run stops at ${largestMoves} moves, the most a tiling is given.`);
    halt();
    return false;
  }
  return true;
}

function step(now) {
  run.frame = 0;
  if (run.state !== shown) return;
  // Once a second where reduced motion is asked for, each frame elsewhere.
  if (reducedMotion.matches && now - run.drawn < 1000) {
    run.frame = requestAnimationFrame(step);
    return;
  }
  // A frame's time may come from before the click that started the run.
  const elapsed = Math.min(Math.max(now - run.last, 0), 1000);
  run.last = now;
  const speed = Number(element("moves-speed").value);
  const corners = (2 * shown.order - 1) ** 2;
  run.owed = speed === 0 ? run.budget : Math.min(run.owed + speed * corners * elapsed / 1000, run.budget);
  const left = largestMoves - BigInt(shown.glauber);
  const moves = Number(BigInt(Math.floor(run.owed)) < left ? BigInt(Math.floor(run.owed)) : left);
  run.owed -= moves;
  const started = performance.now();
  if (!shown.large) {
    if (made(moveTiling(BigInt(moves)), moves, performance.now() - started, now)) {
      run.frame = requestAnimationFrame(step);
    }
    return;
  }
  // A picture larger than the page takes a while to lay, hand over and
  // show (order 4,000's a second or more): drawn so that drawing it takes
  // a quarter of the time at most.
  const draw = now - run.drawn >= 4 * run.drawCost;
  run.waiting = true;
  moveLarge(String(moves), shownWindow(), draw).then((reply) => {
    if (reply.cancelled) return;
    if (made(reply, moves, reply.movesTime ?? performance.now() - started, performance.now())) {
      run.frame = requestAnimationFrame(step);
    }
  });
}

function toggle() {
  // Run again while a stop waits for the worker: the stop is called off.
  if (running() && run.stopping) {
    run.stopping = false;
    pressed(true);
    return;
  }
  if (running()) {
    stop();
    return;
  }
  if (drawingLarge()) {
    say("A tiling is being drawn: Run waits until it is shown.");
    return;
  }
  if (BigInt(shown.glauber) >= largestMoves) {
    say(`This tiling has had ${largestMoves} moves, the most a tiling is given.`);
    return;
  }
  run.undos.push(shown.glauber);
  setDisabled(element("undo-moves"), false);
  const now = performance.now();
  Object.assign(run, { state: shown, last: now, since: now, owed: 0, turned: 0, drawn: 0 });
  pressed(true);
  element("moves-said").textContent = "Running: random blocks turn, the tiling staying uniformly random.";
  run.frame = requestAnimationFrame(step);
}

// Back to the moves before the last run: the tiling made again from its
// seed (in a worker where it is large, or where the moves are many).
function undo() {
  if (running()) halt();
  if (run.undos.length === 0) return;
  const before = run.undos.pop();
  element("moves-said").textContent = `Back to ${before} moves since the seed drew it.`;
  undoMoves(before);
}

export function listenToMoves() {
  element("run-moves").addEventListener("click", toggle);
  element("undo-moves").addEventListener("click", undo);
}
