// The explorer's page: it asks the module (explore_core.js, the programs'
// own C++) for one page at a time and shows it, keeps the family, order,
// page and paths in the URL, selects the figure under the pointer or from
// the keyboard, and makes every download in the browser. Nothing runs while the page waits:
// no timer, no animation loop, only listeners.
"use strict";

const familyNames = ["diamond", "pyramid"];
const formats = [
  { extension: "png", type: "image/png" },
  { extension: "svg", type: "image/svg+xml" },
  { extension: "tex", type: "text/x-tex" },
];
const width = 800;
const height = 600;
const element = (id) => document.getElementById(id);
const pageCanvas = element("page");
// The page may be read back (a test, a screenshot tool): its context says
// so before anything draws, or the browser warns and reads slowly.
const pageContext = pageCanvas.getContext("2d", { willReadFrequently: true });
const overlayContext = element("overlay").getContext("2d");
const figureButtons = document.querySelectorAll("[data-download=figure]");
let core = null;
let shown = { family: 0, order: 4, page: 1, paths: false, pages: 0, figures: 0, selected: -1 };
let lastDownload = null;

let failed = false;
function say(text) {
  if (!failed) element("message").textContent = text;
}

// The first failure stays told: what follows from it says less.
function tellFailure(text) {
  say(text);
  failed = true;
  element("status").textContent = "";
}

// A module that never started: one sentence that says what to do.
function explorerFailedToLoad(what) {
  tellFailure(location.protocol === "file:"
    ? "The explorer cannot load its program from a file: serve its folder over HTTP, for " +
      "instance with 'python3 -m http.server -d build-web', and open " +
      "http://localhost:8000/explore.html."
    : "The explorer could not be loaded (" + what + "): check that explore_core.js and " +
      "explore_core.wasm are served, whole, beside this page, then reload it.");
}

window.addEventListener("error", (event) => tellFailure("The explorer stopped: " + event.message));
window.addEventListener("unhandledrejection",
  (event) => tellFailure("The explorer stopped: " + event.reason));

function plural(count, word) {
  return `${count} ${word}${count === 1 ? "" : "s"}`;
}

// The whole number a text states in digits, of any length, or null.
function wholeNumber(text) {
  return /^[0-9]+$/.test(text) ? BigInt(text) : null;
}

// What the user wrote, as a sentence quotes it: a long text by its start.
function briefly(text) {
  const whole = String(text);
  return whole.length > 24 ? `${whole.slice(0, 24)}…` : whole;
}
function quoted(text) {
  return `"${briefly(text)}"`;
}

// The module takes 32-bit numbers: a larger page is past the last anyway.
const largestInt = 2147483647n;
function clamped(number, low, high) {
  return number < low ? low : number > high ? high : number;
}

// The keyboard's place. A control used with the pointer or Enter gives
// it back to the page, so that the page keys work again; its own keys (a
// select's arrows, a spin box's, space on a checkbox) leave it there, and
// so does a change made as the focus leaves (Tab), which is elsewhere by
// then. Space opens a select's list, where the choice is made as with the
// pointer or Enter, out of the page's sight.
let lastKey = null;
function focusPage() {
  pageCanvas.focus({ preventScroll: true });
}
function giveBack(control) {
  const ownKey = lastKey !== null && lastKey.target === control && lastKey.key !== "Enter" &&
    !(lastKey.key === " " && control.tagName === "SELECT");
  if (document.activeElement === control && !ownKey) focusPage();
}
// A disabled control drops the focus to the document's body: the page
// takes it first.
function setDisabled(control, disabled) {
  if (disabled && document.activeElement === control) focusPage();
  control.disabled = disabled;
}

// Figure `index` of the page's number in its family, as digits: the
// module writes it out, as it may be past what a JavaScript number holds.
function figureNumber(index) {
  return core.UTF8ToString(core._explore_figure_number(index));
}

function fillOrders(family) {
  const select = element("order");
  select.textContent = "";
  for (let order = 1; order <= core._explore_largest_order(family); order += 1) {
    select.add(new Option(String(order), String(order)));
  }
}

function paint() {
  const pixels = new Uint8ClampedArray(core.HEAPU8.buffer, core._explore_pixels(), width * height * 4);
  pageContext.putImageData(new ImageData(pixels, width, height), 0, 0);
}

function describe() {
  const name = familyNames[shown.family];
  const title = `${name} order ${shown.order} - page ${shown.page} of ${shown.pages}`;
  document.title = title;
  element("status").textContent = `${title}, ${plural(shown.figures, "figure")}`;
  const count = core._explore_page_figure_count();
  const first = figureNumber(0);
  const last = figureNumber(count - 1);
  pageCanvas.setAttribute("aria-label", `${name} order ${shown.order}, page ${shown.page} of ` +
    `${shown.pages}: ${count === 1 ? `figure ${first}` : `figures ${first} to ${last}`} of ` +
    `${shown.figures} as domino tilings${shown.paths ? ", with their paths" : ""}`);
  element("family").value = name;
  element("order").value = String(shown.order);
  element("page-number").value = String(shown.page);
  element("page-number").max = String(shown.pages);
  element("page-total").textContent = `of ${shown.pages}`;
  element("paths").checked = shown.paths;
  for (const id of ["first", "previous"]) setDisabled(element(id), shown.page === 1);
  for (const id of ["next", "last"]) setDisabled(element(id), shown.page === shown.pages);
}

function urlOf(state) {
  const query = new URLSearchParams({ family: familyNames[state.family], order: state.order,
    page: state.page });
  if (state.paths) query.set("paths", "1");
  return `${location.pathname}?${query}`;
}

// Draws the page in the module again, with no change on screen: after a
// figure was drawn alone for its file, the page's record is the page's.
function rerun() {
  core._explore_run(shown.family, shown.order, shown.page, shown.paths ? 1 : 0);
}

// The address follows what is shown. A new family, order or paths
// setting is a new entry in the browser's history at once, so that Back
// leaves it however soon it is pressed. A page turn replaces the entry's
// address once the user stops for a moment: Chromium takes 10-15 ms over
// each change, which would double a page turn, and refuses more than a
// few hundred changes in ten seconds, which a held key would reach. A turn
// not yet written when Back or Forward leaves its entry is kept, by the
// entry's key, for the return to it.
let pendingPage = null;
let addressTimer = null;
let entryKey = null;
let entriesMade = 0;
const unwrittenPages = new Map();
function newEntry() {
  entriesMade += 1;
  entryKey = `${performance.timeOrigin}-${entriesMade}`;
  return { entry: entryKey };
}

function writePendingPage() {
  clearTimeout(addressTimer);
  if (pendingPage !== null) window.history.replaceState(window.history.state, "", pendingPage);
  pendingPage = null;
}

function writeAddress(mode) {
  if (mode === "push") {
    writePendingPage();
    window.history.pushState(newEntry(), "", urlOf(shown));
  } else {
    pendingPage = urlOf(shown);
    clearTimeout(addressTimer);
    addressTimer = setTimeout(writePendingPage, 300);
  }
}

// Back or Forward has moved to another entry: the one left keeps its page.
function enterEntry(state) {
  clearTimeout(addressTimer);
  if (pendingPage !== null) unwrittenPages.set(entryKey, pendingPage);
  pendingPage = null;
  if (state === null || typeof state.entry !== "string") {
    window.history.replaceState(newEntry(), "", location.href);
    return;
  }
  entryKey = state.entry;
  if (unwrittenPages.has(entryKey)) {
    window.history.replaceState(state, "", unwrittenPages.get(entryKey));
    unwrittenPages.delete(entryKey);
  }
}

// Shows page `asked` (a number or a BigInt) of `family` at `order`, or
// the nearest that exists, and says why when it is not the one asked for.
// `history` is "push" for a new family, order or paths setting, "replace"
// for a page turn or the first page, "none" when going back through the
// browser's history.
function show(family, order, asked, paths, history, problems = []) {
  asked = BigInt(asked);
  let page = Number(clamped(asked, 1n, largestInt));
  let pages = core._explore_run(family, order, page, paths ? 1 : 0);
  if (BigInt(page) !== asked || core._explore_page_drawn() === 0) {
    const nearest = asked < 1n ? 1 : pages;
    problems.push(`${familyNames[family]} order ${order} has ${plural(pages, "page")}, ` +
      `so page ${nearest} is shown instead of page ${briefly(asked)}`);
    if (nearest !== page) {
      page = nearest;
      pages = core._explore_run(family, order, page, paths ? 1 : 0);
    }
  }
  shown = { family, order, page, paths, pages, figures: core._explore_figures(), selected: -1 };
  paint();
  select(-1);
  describe();
  say(problems.length > 0 ? problems.map((p) => p[0].toUpperCase() + p.slice(1) + ".").join(" ") : "");
  if (history !== "none") writeAddress(history);
}

function go(page) {
  if (page !== shown.page) show(shown.family, shown.order, page, shown.paths, "replace");
}

function select(index) {
  shown.selected = index;
  overlayContext.clearRect(0, 0, width, height);
  const figure = index < 0 ? "The selected figure" : `Figure ${figureNumber(index)}`;
  for (const button of figureButtons) {
    setDisabled(button, index < 0);
    button.setAttribute("aria-label", `${figure} as ${button.textContent}`);
  }
  const line = element("selection");
  if (index < 0) {
    if (line.textContent !== "Point at a figure, or tap it, to select it.") {
      line.textContent = "Point at a figure, or tap it, to select it.";
    }
    return;
  }
  const edge = (side) => core._explore_figure_edge(index, side);
  overlayContext.strokeStyle = "rgba(220, 0, 160, 0.9)";
  overlayContext.lineWidth = 3;
  overlayContext.strokeRect(edge(0) - 2.5, edge(1) - 2.5, edge(2) - edge(0) + 6, edge(3) - edge(1) + 6);
  line.textContent = `figure ${figureNumber(index)} of ${shown.figures}: ` +
    core.UTF8ToString(core._explore_figure_steps(index));
}

// The figure under a pointer or a tap, in the page's own pixels.
function selectAt(event) {
  const box = pageCanvas.getBoundingClientRect();
  const x = Math.floor((event.clientX - box.left) * width / box.width);
  const y = Math.floor((event.clientY - box.top) * height / box.height);
  const index = core._explore_figure_at(x, y);
  if (index >= 0 && index !== shown.selected) select(index);
}

function save(blob, name) {
  if (lastDownload) URL.revokeObjectURL(lastDownload);
  lastDownload = URL.createObjectURL(blob);
  const link = document.createElement("a");
  link.href = lastDownload;
  link.download = name;
  link.click();
}

// The page, or the selected figure alone, as the exporters write it: SVG
// and TikZ written by the module, PNG made here from the same pixels.
function download(kind, format) {
  const index = kind === "figure" ? shown.selected : -1;
  if (core._explore_write_file(format, index) !== 0) {
    say("The file could not be made: " + core.UTF8ToString(core._explore_file_failure()) + ".");
    if (index >= 0) rerun();
    return;
  }
  const name = `${familyNames[shown.family]}-order-${shown.order}-` +
    `${core.UTF8ToString(core._explore_file_stem())}.${formats[format].extension}`;
  if (format === 0) {
    const w = core._explore_file_width();
    const h = core._explore_file_height();
    const canvas = document.createElement("canvas");
    canvas.width = w;
    canvas.height = h;
    const rows = new Uint8ClampedArray(w * h * 4);
    const pixels = core._explore_pixels();
    for (let y = 0; y < h; y += 1) {
      rows.set(core.HEAPU8.subarray(pixels + y * width * 4, pixels + (y * width + w) * 4), y * w * 4);
    }
    canvas.getContext("2d").putImageData(new ImageData(rows, w, h), 0, 0);
    canvas.toBlob((blob) => save(blob, name), "image/png");
  } else {
    const data = core._explore_file_data();
    const bytes = core.HEAPU8.slice(data, data + core._explore_file_size());
    save(new Blob([bytes], { type: formats[format].type }), name);
  }
  if (index >= 0) rerun();
}

// The state a URL asks for, each value that cannot be shown replaced by
// the nearest that can, with a sentence a replacement.
function showUrl(history) {
  const query = new URLSearchParams(location.search);
  const problems = [];
  let family = 0;
  if (query.has("family")) {
    family = familyNames.indexOf(query.get("family"));
    if (family < 0) {
      problems.push(`there is no family ${quoted(query.get("family"))}: diamond is shown`);
      family = 0;
    }
  }
  const largest = core._explore_largest_order(family);
  let order = core._explore_usual_order(family);
  if (query.has("order")) {
    const asked = wholeNumber(query.get("order"));
    if (asked === null) {
      problems.push(`order ${quoted(query.get("order"))} is not a whole number: order ${order} is shown`);
    } else {
      const nearest = Number(clamped(asked, 1n, BigInt(largest)));
      if (BigInt(nearest) !== asked) {
        problems.push(`${familyNames[family]} has orders 1 to ${largest}, ` +
          `so order ${nearest} is shown instead of order ${briefly(asked)}`);
      }
      order = nearest;
    }
  }
  let page = 1n;
  if (query.has("page")) {
    const asked = wholeNumber(query.get("page"));
    if (asked === null) {
      problems.push(`page ${quoted(query.get("page"))} is not a whole number: page 1 is shown`);
    } else {
      page = asked;
    }
  }
  fillOrders(family);
  show(family, order, page, query.get("paths") === "1", history, problems);
}

// The page number typed in its box: shown, or a sentence says why not.
function goToTyped(box) {
  const asked = wholeNumber(box.value);
  if (asked === null) {
    // A number the box cannot read (1e, 3-) reaches here as "".
    const typed = box.validity.badInput ? "What was typed" : `Page ${quoted(box.value)}`;
    if (box.value !== "" || box.validity.badInput) {
      say(`${typed} is not a whole number: page ${shown.page} is still shown.`);
    }
    box.value = String(shown.page);
  } else if (asked !== BigInt(shown.page)) {
    show(shown.family, shown.order, asked, shown.paths, "replace");
  } else {
    box.value = String(shown.page);
  }
}

// The page's size on screen in device pixels, as it changes: pixelated
// only where each of its pixels covers whole device pixels, smooth
// elsewhere, where nearest-neighbour scaling would drop whole rows of
// outlines.
function sharpAtWholeMultiples(canvas, target) {
  const observer = new ResizeObserver(([entry]) => {
    const shownWidth = Math.round(entry.contentRect.width * devicePixelRatio);
    const shownHeight = Math.round(entry.contentRect.height * devicePixelRatio);
    const times = shownWidth / canvas.width;
    target.classList.toggle("whole",
      Number.isInteger(times) && times >= 1 && shownHeight === canvas.height * times);
  });
  // Watched in device pixels to hear of a new pixel ratio too; measured
  // by the CSS size, as emulated ratios leave the device box in CSS pixels.
  try {
    observer.observe(canvas, { box: "device-pixel-content-box" });
  } catch {
    observer.observe(canvas);
  }
}
if (typeof ResizeObserver === "function") sharpAtWholeMultiples(pageCanvas, element("stage"));

function start() {
  core = Module;
  for (const [id, page] of [["first", () => 1], ["previous", () => shown.page - 1],
    ["next", () => shown.page + 1], ["last", () => shown.pages]]) {
    element(id).addEventListener("click", (event) => {
      giveBack(event.currentTarget);
      go(page());
    });
  }
  const box = element("page-number");
  box.addEventListener("keydown", (event) => {
    if (event.key !== "Enter") return;
    event.preventDefault();
    goToTyped(box);
    focusPage();
  });
  box.addEventListener("change", () => {
    goToTyped(box);
    giveBack(box);
  });
  element("family").addEventListener("change", (event) => {
    const family = familyNames.indexOf(event.target.value);
    fillOrders(family);
    show(family, core._explore_usual_order(family), 1, shown.paths, "push");
    giveBack(event.target);
  });
  element("order").addEventListener("change", (event) => {
    show(shown.family, Number(event.target.value), 1, shown.paths, "push");
    giveBack(event.target);
  });
  for (const id of ["family", "order"]) {
    // Enter on a select chooses, whether or not anything changed.
    element(id).addEventListener("keydown", (event) => {
      if (event.key === "Enter") focusPage();
    });
  }
  element("paths").addEventListener("change", (event) => {
    show(shown.family, shown.order, shown.page, event.target.checked, "push");
    giveBack(event.target);
  });
  for (const button of document.querySelectorAll("[data-download]")) {
    button.addEventListener("click", () => {
      download(button.dataset.download, Number(button.dataset.format));
      giveBack(button);
    });
  }
  document.addEventListener("pointerdown", () => { lastKey = null; }, true);
  document.addEventListener("keydown", (event) => { lastKey = event; }, true);
  document.addEventListener("keydown", (event) => {
    // Fields keep their keys, and a button or checkbox its space and Enter.
    const target = event.target;
    if (event.altKey || event.ctrlKey || event.metaKey ||
        target.closest("select, textarea, input:not([type=checkbox])") ||
        ((event.key === " " || event.key === "Enter") && target.closest("button, input"))) {
      return;
    }
    if (target === pageCanvas && (event.key === "ArrowDown" || event.key === "ArrowUp")) {
      event.preventDefault();
      const count = core._explore_page_figure_count();
      const step = event.key === "ArrowDown" ? 1 : -1;
      const none = step > 0 ? 0 : count - 1;
      select(shown.selected < 0 ? none : Math.min(Math.max(shown.selected + step, 0), count - 1));
      return;
    }
    const moves = { ArrowRight: shown.page + 1, PageDown: shown.page + 1, " ": shown.page + 1,
      ArrowLeft: shown.page - 1, PageUp: shown.page - 1, Home: 1, End: shown.pages };
    if (!(event.key in moves)) return;
    event.preventDefault();
    go(Math.min(Math.max(moves[event.key], 1), shown.pages));
  });
  const stage = element("stage");
  stage.addEventListener("pointermove", selectAt);
  stage.addEventListener("pointerdown", selectAt);
  // A swipe across the page turns it; a short or mostly upright one does not.
  let touchStart = null;
  stage.addEventListener("touchstart", (event) => {
    touchStart = event.touches.length === 1 ? event.touches[0] : null;
  }, { passive: true });
  stage.addEventListener("touchend", (event) => {
    if (!touchStart || event.changedTouches.length !== 1) return;
    const dx = event.changedTouches[0].clientX - touchStart.clientX;
    const dy = event.changedTouches[0].clientY - touchStart.clientY;
    touchStart = null;
    if (Math.abs(dx) < 50 || Math.abs(dx) < 2 * Math.abs(dy)) return;
    go(Math.min(Math.max(shown.page + (dx < 0 ? 1 : -1), 1), shown.pages));
  });
  window.addEventListener("popstate", (event) => {
    enterEntry(event.state);
    showUrl("none");
  });
  showUrl("none");
  // The address is mended at once where it asked for what is not there,
  // and the entry gets its key (kept over a reload).
  const state = window.history.state;
  if (state === null || typeof state.entry !== "string") {
    window.history.replaceState(newEntry(), "", urlOf(shown));
  } else {
    entryKey = state.entry;
    if (urlOf(shown) !== location.pathname + location.search) {
      window.history.replaceState(state, "", urlOf(shown));
    }
  }
}

let started = false;
var Module = {
  // SDL's own canvas, never shown: the page is drawn from the module's memory.
  canvas: document.createElement("canvas"),
  onRuntimeInitialized: () => {
    started = true;
    start();
  },
  printErr: (line) => {
    console.error(line);
    if (started) tellFailure("The explorer stopped: " + line);
  },
  onAbort: (what) => {
    if (started) tellFailure("The explorer stopped: " + what); else explorerFailedToLoad(what);
  },
};
if (typeof WebAssembly !== "object") {
  tellFailure("The explorer needs a browser that runs WebAssembly, which this one does not.");
}
