// Every call into the module (explore_core.js, the programs' own C++) and
// the canvases it is shown on: what the module holds, the page or figure
// it draws, the figures on it, the selection drawn over it, and the files
// it writes. Text passes through the module's input as UTF-8; figure
// numbers and seeds only as decimal digits, as they may be past what a
// JavaScript number holds.

const width = 800;
const height = 600;
const pageCanvas = document.getElementById("page");
// The page may be read back (a test, a screenshot tool): its context says
// so before anything draws, or the browser warns and reads slowly.
const pageContext = pageCanvas.getContext("2d", { willReadFrequently: true });
const overlayCanvas = document.getElementById("overlay");
const overlayContext = overlayCanvas.getContext("2d");
let core = null;
// The module's session, which every call about what is shown takes.
let session = 0;
// What the module holds, read once it has started.
export const families = [];
export const statistics = [];
export const formats = [];
export const styles = [];
export const palettes = [];

// Calls `started` once the module can be called, whether it started
// before the ES modules ran or after: explore.html sets up what
// explore_core.js reads as it runs, before any ES module does, and
// resolves explorerStarted once it has started.
export function whenStarted(started) {
  explorerStarted.then(() => {
    core = Module;
    session = core._explore_open();
    // For whoever asks the module about the page itself (the browser test).
    core.exploreSession = session;
    readModule();
    started();
  });
}

// Text from the module, and text handed to it: the module makes room for
// as many bytes as the text has, up to its limit (far more than the steps
// of a figure of order 1,000, some 10,000 bytes).
function fromCore(pointer) {
  return core.UTF8ToString(pointer);
}
const encoder = new TextEncoder();
function hand(text) {
  const bytes = encoder.encode(text).length;
  const input = core._explore_input(session, bytes);
  if (input === 0) return false;
  core.stringToUTF8(text, input, bytes + 1);
  return true;
}

// The largest order a random tiling is drawn at in the page, and why no
// larger one is: measured in Chromium, the module grows to 678 MB for it,
// and its picture takes 256 MB more.
export const largestShownOrder = 4000;
export const tooLarge = "order 4000 takes some 680 MB of memory and its picture 256 MB more, " +
  "as much as a phone gives a page";

// The families, statistics and formats the module has.
function readModule() {
  for (let family = 0; family < core._explore_family_count(); family += 1) {
    families.push({ name: fromCore(core._explore_family_name(family)),
      largest: core._explore_largest_order(family), usual: core._explore_usual_order(family),
      largestFigure: core._explore_largest_figure_order(family),
      largestRandom: core._explore_largest_random_order(family),
      largestShown: Math.min(core._explore_largest_random_order(family), largestShownOrder),
      counted: core._explore_has_counts(family) === 1,
      largestShuffled: core._explore_largest_shuffling_order(family),
      moves: core._explore_moves_offered(family) === 1 });
  }
  for (let statistic = 0; statistic < core._explore_statistic_count(); statistic += 1) {
    statistics.push(fromCore(core._explore_statistic_name(statistic)));
  }
  for (let style = 0; style < core._explore_style_count(); style += 1) {
    styles.push(fromCore(core._explore_style_name(style)));
  }
  for (let palette = 0; palette < core._explore_palette_count(); palette += 1) {
    palettes.push(fromCore(core._explore_palette_name(palette)));
  }
  for (let format = 0; format < core._explore_format_count(); format += 1) {
    formats.push({ label: fromCore(core._explore_format_label(format)),
      extension: fromCore(core._explore_format_extension(format)),
      type: fromCore(core._explore_format_mime_type(format)),
      image: core._explore_format_is_image(format) === 1 });
  }
}

// How every later run draws, on the canvas and in files: a style and a
// palette by name, and the files' cell (0 for the family's own).
export function setDrawing(style, palette, cell) {
  core._explore_set_drawing(session, styles.indexOf(style), palettes.indexOf(palette), cell);
}

// Whether later runs draw the arctic circle over a random tiling.
export function setArctic(on) {
  core._explore_set_arctic(session, on ? 1 : 0);
}

// Sets the filter every later run keeps its figures by: null, or why it
// cannot be read. Then the filter as the module reads it.
export function setFilter(where) {
  if (!hand(where)) return "it is longer than a filter can be";
  return core._explore_set_filter(session) === 0 ? null : fromCore(core._explore_failure(session));
}
export function filter() {
  return fromCore(core._explore_filter(session));
}

// Chooses the figure `text` names, a seed when `random`, or else a number
// or steps: null, or why it cannot be shown.
export function choose(family, order, text, random) {
  if (!hand(text)) return "it is too long";
  const result = random ? core._explore_choose_random(session, family, order)
    : core._explore_choose_figure(session, family, order);
  return result === 0 ? null : fromCore(core._explore_failure(session));
}
export function chosenNumber() {
  return fromCore(core._explore_chosen_number(session));
}
// How many figures the filter kept when the random one was drawn among
// them; "" when it was drawn among all.
export function keptTotal() {
  return fromCore(core._explore_kept_total(session));
}
// The page of the chosen figure, 0 when the filter leaves it out; once the
// page is run, its index there.
export function pageOfChosen(family, order, paths) {
  return core._explore_page_of_chosen(session, family, order, paths ? 1 : 0);
}
export function chosenIndex() {
  return core._explore_chosen_index(session);
}
export function runChosen(family, order, paths) {
  core._explore_run_chosen(session, family, order, paths ? 1 : 0);
}

// Runs the family at the order to draw the page: its number of pages.
export function run(family, order, page, paths) {
  return core._explore_run(session, family, order, page, paths ? 1 : 0);
}
export function pageDrawn() {
  return core._explore_page_drawn(session) !== 0;
}
export function runFigures() {
  return core._explore_figures(session);
}
export function figureTotal(family, order) {
  return fromCore(core._explore_figure_total(session, family, order));
}

// Draws the page `state` shows in the module again, with no change on
// screen: after a figure was drawn alone for its file, or a search for a
// figure's page passed over the pages, the page's record is the page's.
export function rerun(state) {
  run(state.family, state.order, state.page, state.paths);
}

// The page and its overlay at `w` x `h` pixels: a picture larger than the
// page is scaled to fit the page's place, its shape kept (explore.html).
function canvasAt(w, h) {
  for (const canvas of [pageCanvas, overlayCanvas]) {
    if (canvas.width !== w || canvas.height !== h) {
      canvas.width = w;
      canvas.height = h;
    }
  }
  document.getElementById("stage").classList.toggle("fitted", w !== width || h !== height);
}

export function paint() {
  canvasAt(width, height);
  const pixels = new Uint8ClampedArray(core.HEAPU8.buffer, core._explore_pixels(session), width * height * 4);
  pageContext.putImageData(new ImageData(pixels, width, height), 0, 0);
}

// Pixels drawn elsewhere (a large tiling's worker): `w` x `h` of them, red,
// green, blue and alpha bytes in `buffer`, on the page or, larger, on a
// canvas of their size scaled to fit the page's place.
export function paintPixels(w, h, buffer) {
  canvasAt(w, h);
  pageContext.putImageData(new ImageData(new Uint8ClampedArray(buffer), w, h), 0, 0);
}

// The cells' sizes a window on a random tiling is drawn at, in pixels:
// from what shows the whole to single dominoes with their outlines.
export const zoomCells = [1, 2, 4, 8, 16, 32, 64];

// The window of the figure drawn alone at cells of `cell` pixels whose top
// left is the exporter's --cell picture's pixel (x, y), on the page.
export function paintView(cell, x, y) {
  core._explore_draw_view(session, cell, x, y);
  paint();
}

// The figure drawn alone, on the page where it fits, drawn again as it is
// now (after a window on it, or its moves).
export function paintAlone() {
  core._explore_draw_alone(session);
  paint();
}

// The figure drawn alone, whole, on a canvas of its own size where it is
// larger than the page (a random tiling past the orders that fit, a pixel
// a cell): true, or false when it fits the page and paint() shows it.
export function paintWhole() {
  if (core._explore_draw_whole(session) !== 0) return false;
  const w = core._explore_file_width(session);
  const h = core._explore_file_height(session);
  if (w <= width && h <= height) return false;
  canvasAt(w, h);
  // Read in place: some 256 MB at the largest order, copied only by the canvas.
  const pixels = new Uint8ClampedArray(core.HEAPU8.buffer, core._explore_file_pixels(session), w * h * 4);
  pageContext.putImageData(new ImageData(pixels, w, h), 0, 0);
  return true;
}

// The figures on the drawn page: how many, each one's number in its family
// (digits), its steps and its value of each statistic.
export function pageFigureCount() {
  return core._explore_page_figure_count(session);
}
export function figureNumber(index) {
  return fromCore(core._explore_figure_number(session, index));
}
export function figureSteps(index) {
  return fromCore(core._explore_figure_steps(session, index));
}
export function figureStat(index, statistic) {
  return core._explore_figure_stat(session, index, statistic);
}

// The figure under a pointer or a tap, in the page's own pixels: its
// index, or -1.
export function figureUnder(clientX, clientY) {
  const box = pageCanvas.getBoundingClientRect();
  const x = Math.floor((clientX - box.left) * width / box.width);
  const y = Math.floor((clientY - box.top) * height / box.height);
  return core._explore_figure_at(session, x, y);
}

// The figure nearest a tap that falls between figures, in the page's own
// pixels: its index, or -1 when the page has none.
export function figureNearest(clientX, clientY) {
  const box = pageCanvas.getBoundingClientRect();
  const x = (clientX - box.left) * width / box.width;
  const y = (clientY - box.top) * height / box.height;
  let nearest = -1;
  let distance = Infinity;
  for (let index = 0; index < pageFigureCount(); index += 1) {
    const [left, top, right, bottom] = figureEdges(index);
    const dx = Math.max(left - x, 0, x - right);
    const dy = Math.max(top - y, 0, y - bottom);
    if (dx * dx + dy * dy < distance) {
      distance = dx * dx + dy * dy;
      nearest = index;
    }
  }
  return nearest;
}

// Figure `index` of the page, or -1 the figure drawn alone, drawn large on
// `canvas` at the largest whole cell of device pixels that `room` CSS
// pixels (width, height) hold, each of its pixels a device pixel: the
// cell, or -1 when it does not fit.
export function paintLarge(canvas, index, [roomWidth, roomHeight]) {
  const ratio = devicePixelRatio || 1;
  const cell = core._explore_draw_large(session, index, Math.floor(roomWidth * ratio),
    Math.floor(roomHeight * ratio));
  if (cell >= 0) putLarge(canvas, ratio);
  return cell;
}

// The same figure with its paths drawn to their first `steps` steps, the
// domino of the last one shaded and ringed: the cell and the steps in
// all, or null when it does not fit.
export function paintLargeSteps(canvas, index, steps, [roomWidth, roomHeight]) {
  const ratio = devicePixelRatio || 1;
  const cell = core._explore_draw_large_steps(session, index, steps, Math.floor(roomWidth * ratio),
    Math.floor(roomHeight * ratio));
  if (cell < 0) return null;
  putLarge(canvas, ratio);
  const [left, top, right, bottom] = [0, 1, 2, 3].map((side) => core._explore_large_step_edge(session, side));
  if (left >= 0) {
    const context = canvas.getContext("2d");
    context.fillStyle = "rgba(255, 200, 0, 0.45)";
    context.fillRect(left, top, right - left + 1, bottom - top + 1);
    const line = Math.max(2, Math.round(cell / 8));
    context.lineWidth = line;
    context.strokeStyle = "#e01b24";
    context.strokeRect(left + line / 2, top + line / 2, right - left + 1 - line, bottom - top + 1 - line);
  }
  return { cell, total: core._explore_large_steps(session) };
}

// Flips by hand in the large view (explore_turns.cpp): the corner between
// four cells nearest a point of the large picture, in its own pixels.
export function largeCornerAt(x, y) {
  const [left, top, cell] = [0, 1, 2].map((axis) => core._explore_large_origin(session, axis));
  return [Math.round((x - left) / cell), Math.round((y - top) / cell)];
}
// The box of the 2 x 2 block around corner (c, r), in the picture's pixels.
export function largeBlockBox(c, r) {
  const [left, top, cell] = [0, 1, 2].map((axis) => core._explore_large_origin(session, axis));
  return [left + (c - 1) * cell, top + (r - 1) * cell, 2 * cell];
}
// Turns the block around corner (c, r) of the large figure: null, or why not.
export function turnBlock(index, c, r) {
  return core._explore_turn_block(session, index, c, r) === 0 ? null : fromCore(core._explore_failure(session));
}
export function undoTurn() {
  return core._explore_undo_turn(session) === 0;
}
export function dropTurns() {
  core._explore_drop_turns(session);
}
// `tries` random turns (Glauber dynamics): how many turned.
export function runFlips(index, tries, undoable) {
  return core._explore_run_flips(session, index, tries, undoable ? 1 : 0);
}
// The large figure's steps, turned or not ("rise fall | flat").
export function largeSteps() {
  return fromCore(core._explore_large_steps_text(session));
}
// The large figure, turned or not: "figure N: steps (statistics)".
export function largeSaid() {
  const number = fromCore(core._explore_large_number(session));
  const steps = fromCore(core._explore_large_steps_text(session));
  const values = statistics.map((name, i) => `${name} ${core._explore_large_stat(session, i)}`).join(", ");
  return { number, text: `${steps} (${values})` };
}

// The most moves a random tiling is given, as the exporter's --glauber
// takes them.
export const largestMoves = 10000000000n;
// `moves` (a BigInt) more random moves on the random tiling drawn alone,
// its dominoes laid after them: { turned, done } (done in decimal), or
// { failure }.
export function moveTiling(moves) {
  if (!hand(String(moves)) || core._explore_glauber(session) !== 0) {
    return { failure: fromCore(core._explore_failure(session)) };
  }
  core._explore_lay_moves(session);
  return { turned: Number(fromCore(core._explore_moves_turned(session))),
    done: fromCore(core._explore_moves_done(session)) };
}

// Stage `stage` of domino shuffling to `order` for `seed` (decimal text)
// drawn on `canvas` as paintLarge draws: the cell, or what is wrong.
export function paintShuffling(canvas, family, order, stage, seed, [roomWidth, roomHeight]) {
  const ratio = devicePixelRatio || 1;
  if (!hand(seed)) return { failure: "the seed is too long" };
  const cell = core._explore_draw_shuffling(session, family, order, stage, Math.floor(roomWidth * ratio),
    Math.floor(roomHeight * ratio));
  if (cell < 0) return { failure: fromCore(core._explore_failure(session)) };
  putLarge(canvas, ratio);
  return { cell };
}

// The module's large picture onto `canvas`, a pixel a device pixel.
function putLarge(canvas, ratio) {
  const w = core._explore_large_width(session);
  const h = core._explore_large_height(session);
  canvas.width = w;
  canvas.height = h;
  canvas.style.width = `${w / ratio}px`;
  canvas.style.height = `${h / ratio}px`;
  const pixels = new Uint8ClampedArray(core.HEAPU8.buffer, core._explore_large_pixels(session), w * h * 4);
  // Read back as the page may be (a test, a screenshot tool).
  canvas.getContext("2d", { willReadFrequently: true }).putImageData(new ImageData(pixels, w, h), 0, 0);
}

// The selection, drawn on the canvas over the page, never into its pixels.
export function clearSelection() {
  overlayContext.clearRect(0, 0, width, height);
}
// Where figure `index` of the page stands, in the page's own pixels: its
// left, top, right and bottom edges, all included.
export function figureEdges(index) {
  return [0, 1, 2, 3].map((side) => core._explore_figure_edge(session, index, side));
}
export function outlineFigure(index) {
  const [left, top, right, bottom] = figureEdges(index);
  overlayContext.strokeStyle = "rgba(220, 0, 160, 0.9)";
  overlayContext.lineWidth = 3;
  overlayContext.strokeRect(left - 2.5, top - 2.5, right - left + 6, bottom - top + 6);
}

// Each value's count of the statistic among the figures of the order (only
// those the filter keeps when `filtered`), from 0 to the largest value any
// has, as decimal text.
export function counts(family, order, statistic, filtered) {
  const all = [];
  const largest = core._explore_counts(session, family, order, statistic, filtered ? 1 : 0);
  for (let value = 0; value <= largest; value += 1) all.push(fromCore(core._explore_count_of(session, value)));
  return all;
}
// The same figures by two statistics at once: a row for each value of the
// first, from 0 to the largest any has, each a count for each value of
// the second, as decimal text.
export function jointCounts(family, order, first, second, filtered) {
  const table = [];
  const rows = core._explore_joint_counts(session, family, order, first, second, filtered ? 1 : 0);
  const columns = core._explore_joint_columns(session);
  for (let row = 0; row <= rows; row += 1) {
    const counted = [];
    for (let column = 0; column <= columns; column += 1) {
      counted.push(fromCore(core._explore_joint_count_of(session, row, column)));
    }
    table.push(counted);
  }
  return table;
}

// The drawn page (`index` -1) or its figure `index` alone as a file of
// `format`: { stem } and its bytes, or for an image its pixels, copied out
// of the module; or { failure }. A figure written alone replaces the page
// in the module: rerun it after.
export function writeFile(format, index) {
  if (core._explore_write_file(session, format, index) !== 0) {
    return { failure: fromCore(core._explore_file_failure(session)) };
  }
  const stem = fromCore(core._explore_file_stem(session));
  if (!formats[format].image) {
    const data = core._explore_file_data(session);
    return { stem, bytes: core.HEAPU8.slice(data, data + core._explore_file_size(session)) };
  }
  const w = core._explore_file_width(session);
  const h = core._explore_file_height(session);
  const pixels = core._explore_file_pixels(session);
  return { stem,
    image: new ImageData(new Uint8ClampedArray(core.HEAPU8.slice(pixels, pixels + w * h * 4).buffer),
      w, h) };
}

// The page's size on screen in device pixels, as it changes: pixelated
// only where each of its pixels covers whole device pixels, smooth
// elsewhere, where nearest-neighbour scaling would drop whole rows of
// outlines.
export function keepSharp() {
  if (typeof ResizeObserver !== "function") return;
  const stage = document.getElementById("stage");
  const observer = new ResizeObserver(([entry]) => {
    const shownWidth = Math.round(entry.contentRect.width * devicePixelRatio);
    const shownHeight = Math.round(entry.contentRect.height * devicePixelRatio);
    const times = shownWidth / pageCanvas.width;
    stage.classList.toggle("whole",
      Number.isInteger(times) && times >= 1 && shownHeight === pageCanvas.height * times);
  });
  // Watched in device pixels to hear of a new pixel ratio too; measured
  // by the CSS size, as emulated ratios leave the device box in CSS pixels.
  try {
    observer.observe(pageCanvas, { box: "device-pixel-content-box" });
  } catch {
    observer.observe(pageCanvas);
  }
}
