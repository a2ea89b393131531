// Random tilings past the orders that fit the page, each in a worker of
// its own (large_worker.js): the one shown, whose worker draws its windows
// and files, and at most one being drawn, which a new request or Cancel
// stops. The page's own module never holds them.

let shownWorker = null;
let drawing = null;
let lastId = 0;
const waiting = new Map();

function startWorker() {
  const worker = new Worker(new URL("./large_worker.js", import.meta.url));
  worker.onmessage = ({ data }) => {
    if (data.stopped !== undefined) {
      answerAll(worker, { failure: `the tiling's worker stopped: ${data.stopped}` });
    } else if (data.drawing) {
      waiting.get(data.id)?.onDrawing?.();
    } else {
      const asked = waiting.get(data.id);
      waiting.delete(data.id);
      asked?.resolve(data);
    }
  };
  // A worker that cannot start or runs out of memory (a phone at the
  // largest orders) answers every request it had with a failure.
  worker.onerror = (event) => {
    event.preventDefault();
    answerAll(worker, { failure: event.message || "the tiling's worker could not be started" });
  };
  return worker;
}

function answerAll(worker, reply) {
  for (const [id, asked] of waiting) {
    if (asked.worker !== worker) continue;
    waiting.delete(id);
    asked.resolve(reply);
  }
}

function ask(worker, request, onDrawing) {
  lastId += 1;
  const id = lastId;
  return new Promise((resolve) => {
    waiting.set(id, { worker, resolve, onDrawing });
    worker.postMessage({ id, ...request });
  });
}

// Draws a random tiling in a new worker: { family, order, seed, glauber
// (its random moves, decimal), paths, style, palette, cell (as indexes and
// numbers), arctic, zoom }. Resolves
// to { width, height, pixels } (an ArrayBuffer of red, green, blue, alpha
// bytes) once drawn, when its worker becomes the one shown; to { failure }
// when it cannot be; to { cancelled: true } when stopped first. Calls
// `onDrawing` once sampling is done and the picture is being drawn.
export function drawLarge(asked, onDrawing) {
  cancelLarge();
  const worker = startWorker();
  drawing = worker;
  return ask(worker, { kind: "tiling", ...asked }, onDrawing).then((reply) => {
    if (reply.failure === undefined && !reply.cancelled) {
      if (shownWorker !== null) shownWorker.terminate();
      shownWorker = worker;
    } else {
      worker.terminate();
    }
    if (drawing === worker) drawing = null;
    return reply;
  });
}

// Whether a tiling is being drawn.
export function drawingLarge() {
  return drawing !== null;
}

// Stops the tiling being drawn, if any: its request resolves as cancelled.
export function cancelLarge() {
  if (drawing === null) return false;
  const worker = drawing;
  drawing = null;
  worker.terminate();
  answerAll(worker, { cancelled: true });
  return true;
}

// No large tiling is shown any more: its worker and memory are let go.
export function dropLarge() {
  if (shownWorker === null) return;
  shownWorker.terminate();
  answerAll(shownWorker, { cancelled: true });
  shownWorker = null;
}

// A window on the tiling shown ({ cell, x, y } as the module's
// explore_draw_view takes them), or null for the whole: as drawLarge's.
export function viewLarge(zoom) {
  if (shownWorker === null) return Promise.resolve({ failure: "no large tiling is shown" });
  return ask(shownWorker, { kind: "view", zoom });
}

// `moves` (decimal) random moves on the tiling shown, then, when `draw`,
// the window `zoom` on it as viewLarge's: { turned, done } and its
// picture, or { failure }.
export function moveLarge(moves, zoom, draw) {
  if (shownWorker === null) return Promise.resolve({ failure: "no large tiling is shown" });
  return ask(shownWorker, { kind: "moves", moves, zoom, draw });
}

// The tiling shown as a file: { format, image, style, palette, cell } to
// { stem, bytes } or { stem, width, height, pixels }, or { failure }.
export function fileOfLarge(request) {
  if (shownWorker === null) return Promise.resolve({ failure: "no large tiling is shown" });
  return ask(shownWorker, { kind: "file", ...request });
}
