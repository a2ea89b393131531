// A random tiling past the orders that fit the page, drawn in a worker of
// its own, so that the page keeps answering while it is sampled (order
// 4,000 takes some seconds): its own copy of the module (explore_core.js)
// holds the tiling, draws it whole or a window on it, and writes its
// files. The page starts one worker a tiling and stops it when that tiling
// is no longer shown or is cancelled (explore/large.js): stopping is the
// only way to halt the module mid-call.
//
// Each request is { id, kind, ... } and answered once, with { failure } or
// what it asked for; a request for a tiling also says { drawing } between
// its sampling and its picture. Requests that come before the module has
// started wait for it.
"use strict";

let core = null;
let session = 0;
const queued = [];

const encoder = new TextEncoder();
function hand(text) {
  const bytes = encoder.encode(text).length;
  const input = core._explore_input(session, bytes);
  if (input === 0) return false;
  core.stringToUTF8(text, input, bytes + 1);
  return true;
}
const failure = () => ({ failure: core.UTF8ToString(core._explore_failure(session)) });

// The page's pixels or the whole picture's, copied out of the module's
// memory and handed over, not copied again.
function pixels(whole) {
  const [w, h, at] = whole
    ? [core._explore_file_width(session), core._explore_file_height(session), core._explore_file_pixels(session)]
    : [800, 600, core._explore_pixels(session)];
  const copy = core.HEAPU8.slice(at, at + w * h * 4).buffer;
  return [{ width: w, height: h, pixels: copy }, [copy]];
}

// A window at cells of `cell` pixels whose top left is the --cell picture's
// pixel (x, y), or with `zoom` null the whole tiling: after its last moves.
function view(zoom) {
  core._explore_lay_moves(session);
  if (zoom !== null) {
    core._explore_draw_view(session, zoom.cell, zoom.x, zoom.y);
    return pixels(false);
  }
  core._explore_draw_whole(session);
  const w = core._explore_file_width(session);
  const h = core._explore_file_height(session);
  // A picture that fits the page is shown as the page draws it.
  if (w > 800 || h > 600) return pixels(true);
  core._explore_draw_alone(session);
  return pixels(false);
}

// `moves` (decimal) random moves on the tiling, its dominoes laid only
// when it is drawn or written: the blocks turned, or -1.
function move(moves) {
  if (!hand(moves) || core._explore_glauber(session) !== 0) return -1;
  return Number(core.UTF8ToString(core._explore_moves_turned(session)));
}

const answers = {
  // { family, order, seed, glauber (its moves, decimal), paths, style,
  // palette, cell, arctic, zoom }
  tiling(asked) {
    core._explore_set_drawing(session, asked.style, asked.palette, asked.cell);
    core._explore_set_arctic(session, asked.arctic ? 1 : 0);
    if (!hand(asked.seed) || core._explore_choose_random(session, asked.family, asked.order) !== 0 ||
        core._explore_run_chosen(session, asked.family, asked.order, asked.paths ? 1 : 0) !== 0 ||
        move(asked.glauber) < 0) {
      return [failure(), []];
    }
    postMessage({ id: asked.id, drawing: true });
    return view(asked.zoom);
  },
  view: (asked) => view(asked.zoom),
  // { moves (decimal), zoom, draw }: the blocks turned, the moves in all,
  // how long the moves took and the drawing (`movesTime`, `drawTime`, in
  // ms), and when `draw` the picture as `view` gives it.
  moves(asked) {
    const started = performance.now();
    const turned = move(asked.moves);
    if (turned < 0) return [failure(), []];
    const done = core.UTF8ToString(core._explore_moves_done(session));
    const movesTime = performance.now() - started;
    if (!asked.draw) return [{ turned, done, movesTime }, []];
    const [picture, moved] = view(asked.zoom);
    return [{ turned, done, movesTime, drawTime: performance.now() - started - movesTime, ...picture }, moved];
  },
  // { format, style, palette, cell }: the tiling as a file.
  file(asked) {
    core._explore_set_drawing(session, asked.style, asked.palette, asked.cell);
    core._explore_lay_moves(session);
    if (core._explore_write_file(session, asked.format, -1) !== 0) {
      return [{ failure: core.UTF8ToString(core._explore_file_failure(session)) }, []];
    }
    const stem = core.UTF8ToString(core._explore_file_stem(session));
    if (asked.image) {
      const [image, moved] = pixels(true);
      return [{ stem, ...image }, moved];
    }
    const data = core._explore_file_data(session);
    const bytes = core.HEAPU8.slice(data, data + core._explore_file_size(session)).buffer;
    return [{ stem, bytes }, [bytes]];
  },
};

function answer(asked) {
  const [reply, moved] = answers[asked.kind](asked);
  postMessage({ id: asked.id, ...reply }, moved);
}

onmessage = (event) => {
  if (core === null) queued.push(event.data); else answer(event.data);
};

// The module's SDL makes each surface a canvas of the page's document; a
// worker has neither, but offscreen canvases do the same work.
self.document = { createElement: () => new OffscreenCanvas(1, 1) };
self.Module = {
  canvas: new OffscreenCanvas(800, 600),
  // The module's files lie beside the explorer's page, a folder above.
  locateFile: (file) => new URL(`../${file}`, self.location.href).href,
  onRuntimeInitialized: () => {
    core = self.Module;
    session = core._explore_open();
    for (const asked of queued.splice(0)) answer(asked);
  },
  printErr: (line) => postMessage({ stopped: line }),
  onAbort: (what) => postMessage({ stopped: String(what) }),
};
importScripts(new URL("../explore_core.js", self.location.href).href);
