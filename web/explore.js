// The explorer's page: it asks the module (explore_core.js, the programs'
// own C++) for one page at a time, or one figure alone, and shows it; keeps
// what is shown in the URL; selects the figure under the pointer or from
// the keyboard; filters the pages by the figures' statistics; and makes
// every download in the browser. Families, orders and formats are the
// module's. Nothing runs while the page waits: no timer, no animation
// loop, only listeners.
"use strict";

const width = 800;
const height = 600;
const element = (id) => document.getElementById(id);
const pageCanvas = element("page");
// The page may be read back (a test, a screenshot tool): its context says
// so before anything draws, or the browser warns and reads slowly.
const pageContext = pageCanvas.getContext("2d", { willReadFrequently: true });
const overlayContext = element("overlay").getContext("2d");
let core = null;
// What the module holds, read once it has started.
let families = [];
let formats = [];
let statistics = [];
// What is shown. `mode` is "pages" at the orders drawn page by page,
// "figure" past them while figures are numbered, "random" past that.
// `figure` and `seed` are what the address asks for, as decimal text:
// at the paged orders, until the next page turn.
let shown = null;
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
      "instance with 'python3 -m http.server -b 127.0.0.1 -d build-web', and open " +
      "http://localhost:8000/explore.html."
    : "The explorer could not be loaded (" + what + "): check that explore_core.js and " +
      "explore_core.wasm are served, whole, beside this page, then reload it.");
}

window.addEventListener("error", (event) => tellFailure("The explorer stopped: " + event.message));
window.addEventListener("unhandledrejection",
  (event) => tellFailure("The explorer stopped: " + event.reason));

function plural(count, word) {
  return `${count} ${word}${String(count) === "1" ? "" : "s"}`;
}
function capital(text) {
  return text[0].toUpperCase() + text.slice(1);
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

// Text from the module, and text handed to it. Figure numbers and seeds
// pass only as decimal digits: they may be past what a JavaScript number
// holds. The module's input holds 1,023 bytes and its closing zero.
function fromCore(pointer) {
  return core.UTF8ToString(pointer);
}
const encoder = new TextEncoder();
function hand(text) {
  if (encoder.encode(text).length > 1023) return false;
  core.stringToUTF8(text, core._explore_input(), 1024);
  return true;
}

// A seed of 64 bits from the browser's own source of randomness.
function freshSeed() {
  return crypto.getRandomValues(new BigUint64Array(1))[0].toString();
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
// A disabled or hidden control drops the focus to the document's body:
// the page takes it first.
function setDisabled(control, disabled) {
  if (disabled && document.activeElement === control) focusPage();
  control.disabled = disabled;
}
function setHidden(node, hidden) {
  if (node.hidden === hidden) return;
  if (hidden && node.contains(document.activeElement)) focusPage();
  node.hidden = hidden;
}

// Figure `index` of the page's number in its family, as digits.
function figureNumber(index) {
  return fromCore(core._explore_figure_number(index));
}

// A figure's statistics, as the selection line gives them.
function statisticsOf(index) {
  return statistics.map((name, i) => `${name} ${core._explore_figure_stat(index, i)}`).join(", ");
}

function modeOf(family, order) {
  const { largest, largestFigure } = families[family];
  return order <= largest ? "pages" : order <= largestFigure ? "figure" : "random";
}

let ordersOf = -1;
function fillOrders(family) {
  if (ordersOf === family) return;
  ordersOf = family;
  const select = element("order");
  select.textContent = "";
  const { largest, largestFigure, largestRandom } = families[family];
  for (const [label, from, to] of [["Page by page", 1, largest],
    ["One figure at a time", largest + 1, largestFigure],
    ["One random tiling", largestFigure + 1, largestRandom]]) {
    if (from > to) continue;
    const group = document.createElement("optgroup");
    group.label = label;
    for (let order = from; order <= to; order += 1) group.append(new Option(String(order), String(order)));
    select.append(group);
  }
}

// The statistics panel: for each statistic, each value's count among the
// figures of the order (values no figure has left out, as the exporters'
// --counts leaves them), and a button that keeps only the figures of that
// value. Counted once for each family and order.
let panelOf = null;
function fillPanel(family, order) {
  if (panelOf === `${family}/${order}`) return;
  panelOf = `${family}/${order}`;
  const tables = element("tables");
  tables.textContent = "";
  statistics.forEach((name, statistic) => {
    const counts = [];
    const largest = core._explore_counts(family, order, statistic);
    for (let value = 0; value <= largest; value += 1) counts.push(fromCore(core._explore_count_of(value)));
    const most = counts.reduce((high, count) => (BigInt(count) > high ? BigInt(count) : high), 1n);
    const table = document.createElement("table");
    table.createCaption().textContent = name;
    const head = table.createTHead().insertRow();
    for (const title of ["value", "figures", ""]) {
      const cell = document.createElement("th");
      cell.scope = "col";
      cell.textContent = title;
      head.append(cell);
    }
    const body = table.createTBody();
    counts.forEach((count, value) => {
      if (count === "0") return;
      const row = body.insertRow();
      const cell = document.createElement("th");
      cell.scope = "row";
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = String(value);
      button.dataset.statistic = name;
      button.dataset.value = String(value);
      button.setAttribute("aria-label", `${name} ${value}: ${plural(count, "figure")}`);
      cell.append(button);
      row.append(cell);
      const number = row.insertCell();
      number.className = "count";
      number.textContent = count;
      const bar = row.insertCell();
      bar.className = "bar";
      bar.setAttribute("aria-hidden", "true");
      const length = document.createElement("span");
      length.style.width = `${Number(BigInt(count) * 1000n / most) / 10}%`;
      bar.append(length);
    });
    tables.append(table);
  });
}

// A filter's conditions, as the module gives it back ("flats=2,height=1-3").
function conditionsOf(where) {
  return where === "" ? [] : where.split(",").map((condition) => {
    const [, statistic, low, high] = /^([a-z]+)=([0-9]+)(?:-([0-9]+))?$/.exec(condition);
    return { statistic, low: Number(low), high: Number(high ?? low) };
  });
}
function whereOf(conditions) {
  return conditions.map(({ statistic, low, high }) =>
    `${statistic}=${low}${high === low ? "" : `-${high}`}`).join(",");
}

function markPanel() {
  const conditions = conditionsOf(shown.where);
  for (const button of element("tables").querySelectorAll("button")) {
    const value = Number(button.dataset.value);
    const own = conditions.filter((c) => c.statistic === button.dataset.statistic);
    button.setAttribute("aria-pressed",
      String(own.length > 0 && own.every((c) => c.low <= value && value <= c.high)));
  }
}

// The filter after value `value` of `statistic` is chosen: that value
// alone, or again for none of it, or with Shift the range from the value
// chosen before; the other statistics' conditions stay.
let rangeFrom = null;
function whereAfterChoosing(statistic, value, extend) {
  const conditions = conditionsOf(shown.where);
  const own = conditions.filter((c) => c.statistic === statistic);
  let from = value;
  if (extend && rangeFrom !== null && rangeFrom.statistic === statistic) {
    from = rangeFrom.value;
  } else if (extend && own.length === 1) {
    from = own[0].low;
  } else {
    rangeFrom = { statistic, value };
  }
  const chosen = { statistic, low: Math.min(from, value), high: Math.max(from, value) };
  const again = !extend && own.length === 1 && own[0].low === value && own[0].high === value;
  const at = conditions.findIndex((c) => c.statistic === statistic);
  const others = conditions.filter((c) => c.statistic !== statistic);
  if (!again) others.splice(at < 0 ? others.length : at, 0, chosen);
  return whereOf(others);
}

function paint() {
  const pixels = new Uint8ClampedArray(core.HEAPU8.buffer, core._explore_pixels(), width * height * 4);
  pageContext.putImageData(new ImageData(pixels, width, height), 0, 0);
}

const helpOf = {
  pages: (name) => `The Figure box takes a figure's number or its steps (as "rise fall flat") ` +
    `and goes to its page; Random figure chooses one of all the ${name} figures of this order.`,
  figure: (name, order) => `${capital(name)} order ${order} has ${plural(shown.total, "figure")}: ` +
    "too many to draw page by page, so they are shown one at a time, figure 1 first. Type a " +
    "number or steps in the Figure box, press Random figure, or → and ← (Home, End) for the " +
    "next and the one before.",
  random: (name, order) => `${capital(name)} order ${order} has too many tilings to number: one ` +
    "is shown, drawn uniformly at random from the seed in the address. Random tiling draws another.",
};

function describe() {
  const { family, order, mode, page, pages, where, figure, total, seed } = shown;
  const name = families[family].name;
  const filtered = where === "" ? "" : ` where ${where}`;
  let title;
  const count = core._explore_page_figure_count();
  if (mode === "pages") {
    title = `${name} order ${order}${filtered} - page ${page} of ${pages}`;
    element("status").textContent = `${title}, ${plural(shown.figures, "figure")}`;
    const first = figureNumber(0);
    const last = figureNumber(count - 1);
    const which = count === 0 ? "no figures"
      : where === "" ? `${count === 1 ? `figure ${first}` : `figures ${first} to ${last}`} of ${total}`
        : `${plural(count, "figure")}, ${count === 1 ? first : `${first} to ${last}`}, of ${total}`;
    pageCanvas.setAttribute("aria-label", `${name} order ${order}${filtered}, page ${page} of ` +
      `${pages}: ${which} as domino tilings${shown.paths ? ", with their paths" : ""}`);
  } else {
    title = mode === "figure" ? `${name} order ${order} - figure ${figure} of ${total}`
      : `${name} order ${order}, seed ${seed}`;
    element("status").textContent = title;
    pageCanvas.setAttribute("aria-label", `${title}: ` +
      `${mode === "figure" ? "the figure" : "a tiling drawn at random"} alone, as a domino tiling` +
      `${shown.paths ? ", with its paths" : ""}`);
  }
  document.title = title;
  element("family").value = name;
  element("order").value = String(order);
  element("paths").checked = shown.paths;
  setHidden(element("pager"), mode !== "pages");
  if (mode === "pages") {
    element("page-number").value = String(page);
    element("page-number").max = String(pages);
    element("page-total").textContent = `of ${pages}`;
    for (const id of ["first", "previous"]) setDisabled(element(id), page === 1);
    for (const id of ["next", "last"]) setDisabled(element(id), page === pages);
  }
  setHidden(element("figure-field"), mode === "random");
  if (figure !== null && element("figure").value !== figure) element("figure").value = figure;
  element("random").textContent = mode === "random" ? "Random tiling" : "Random figure";
  setHidden(element("filter"), mode !== "pages");
  element("where").value = where;
  setDisabled(element("clear"), where === "");
  const counted = mode === "pages" && families[family].counted;
  setHidden(element("statistics"), !counted);
  if (counted) {
    fillPanel(family, order);
    markPanel();
  }
  element("mode-help").textContent = helpOf[mode](name, order);
  element("page-downloads-name").textContent =
    { pages: "This page:", figure: "This figure:", random: "This tiling:" }[mode];
  const what = { pages: "This page", figure: `Figure ${figure}`, random: "This tiling" }[mode];
  for (const button of document.querySelectorAll("[data-download=page]")) {
    button.setAttribute("aria-label", `${what} as ${button.textContent}`);
  }
  setHidden(element("figure-downloads"), mode !== "pages");
}

function urlOf(state) {
  const query = new URLSearchParams({ family: families[state.family].name, order: state.order });
  if (state.where !== "") query.set("where", state.where);
  if (state.seed !== null) {
    query.set("random", state.seed);
  } else if (state.figure !== null) {
    query.set("figure", state.figure);
  } else {
    query.set("page", state.page);
  }
  if (state.paths) query.set("paths", "1");
  return `${location.pathname}?${query}`;
}

// Draws the page in the module again, with no change on screen: after a
// figure was drawn alone for its file, or a search for a figure's page
// passed over the pages, the page's record is the page's.
function rerun() {
  core._explore_run(shown.family, shown.order, shown.page, shown.paths ? 1 : 0);
}

// The address follows what is shown. A new family, order, paths setting,
// filter, figure or random one is a new entry in the browser's history at
// once, so that Back leaves it however soon it is pressed. A page turn
// replaces the entry's address once the user stops for a moment: Chromium
// takes 10-15 ms over each change, which would double a page turn, and
// refuses more than a few hundred changes in ten seconds, which a held key
// would reach. A turn not yet written when Back or Forward leaves its
// entry is kept, by the entry's key, for the return to it.
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

// What is shown, as what a change of it starts from.
function askedOf(state) {
  return { family: state.family, order: state.order, paths: state.paths, where: state.where,
    page: state.mode === "pages" ? BigInt(state.page) : null, figure: null, seed: null };
}

// Sets the module's filter: null, or why it cannot be read.
function setFilter(where) {
  if (!hand(where)) return "it is longer than a filter can be";
  return core._explore_set_filter() === 0 ? null : fromCore(core._explore_failure());
}

// Chooses in the module the figure of `seed`, or else of `figure` (a
// number or steps): null, or what was asked and why it cannot be shown.
function choose(family, order, figure, seed) {
  const random = seed !== null;
  const what = random ? `seed ${quoted(seed)}` : `figure ${quoted(figure)}`;
  if (!hand(random ? seed : figure)) return { what, why: "it is too long" };
  const result = random ? core._explore_choose_random(family, order)
    : core._explore_choose_figure(family, order);
  return result === 0 ? null : { what, why: fromCore(core._explore_failure()) };
}
// Said for a control: "… cannot be shown: why"; for an address, with what
// is shown instead: "… cannot be shown (why): figure 1 is shown".
const refusal = ({ what, why }) => `${what} cannot be shown: ${why}`;
const replaced = ({ what, why }, instead) => `${what} cannot be shown (${why}): ${instead}`;

// Shows what `asked` asks for: { family, order, paths, where, and a page
// (a BigInt), a figure (its number or steps) or a seed, or none }, the
// nearest that exists in its place, and why in `problems`. When `strict`
// (a control's request) what cannot be shown changes nothing, and a
// sentence says why. `history` is "push" for a new family, order, paths
// setting, filter, figure or seed, "replace" for a page turn, "none" when
// going back through the browser's history or at the start.
function present(asked, history, problems = [], strict = false) {
  const { family, order, paths } = asked;
  const name = families[family].name;
  const mode = modeOf(family, order);
  const drawPaths = paths ? 1 : 0;
  const refuse = (sentence) => {
    if (shown.mode === "pages") {
      setFilter(shown.where);
      rerun();
    }
    say(`${capital(sentence)}.`);
    return false;
  };
  let where = "";
  if (mode === "pages") {
    const why = setFilter(asked.where);
    if (why !== null) {
      if (strict) return refuse(`the filter ${quoted(asked.where)} cannot be read: ${why}`);
      problems.push(`the filter ${quoted(asked.where)} cannot be read (${why}): every figure is shown`);
      setFilter("");
    }
    where = fromCore(core._explore_filter());
  } else if (asked.where !== "") {
    problems.push(`${name} order ${order} has no pages to filter: the filter ` +
      `${quoted(asked.where)} is left out`);
  }
  let { figure, seed } = asked;
  let page = 1;
  let pages = 0;
  let figures = 0;
  let total = "0";
  let index = -1;
  if (mode !== "pages" && asked.page !== null) {
    problems.push(`${name} order ${order} has no pages: page ${briefly(asked.page)} is left out`);
  }
  if (mode === "random") {
    if (figure !== null && seed === null) {
      problems.push(`${name} order ${order} has no numbered figures: figure ${quoted(figure)} ` +
        "is left out");
    }
    figure = null;
    const why = seed === null ? null : choose(family, order, null, seed);
    if (seed === null || why !== null) {
      if (why !== null) {
        if (strict) return refuse(refusal(why));
        problems.push(replaced(why, "another seed is drawn"));
      }
      seed = freshSeed();
      choose(family, order, null, seed);
    }
    core._explore_run_chosen(family, order, drawPaths);
  } else if (mode === "figure") {
    total = fromCore(core._explore_figure_total(family, order));
    if (seed === null && figure === null) figure = "1";
    const why = choose(family, order, figure, seed);
    if (why !== null) {
      if (strict) return refuse(refusal(why));
      problems.push(replaced(why, "figure 1 is shown"));
      seed = null;
      choose(family, order, "1", null);
    }
    core._explore_run_chosen(family, order, drawPaths);
    figure = fromCore(core._explore_chosen_number());
  } else {
    total = fromCore(core._explore_figure_total(family, order));
    let asking = asked.page ?? 1n;
    if (figure !== null || seed !== null) {
      const why = choose(family, order, figure, seed);
      const on = why === null ? core._explore_page_of_chosen(family, order, drawPaths) : 0;
      const number = fromCore(core._explore_chosen_number());
      const left = `figure ${number}${seed === null ? "" : `, drawn from seed ${seed},`} is not ` +
        `among the figures where ${where}`;
      if (why === null && on !== 0) {
        asking = BigInt(on);
        figure = number;
      } else {
        if (strict) return refuse(why === null ? `${left}: page ${shown.page} is still shown` : refusal(why));
        problems.push(why === null ? `${left}: page 1 is shown` : replaced(why, "page 1 is shown"));
        figure = null;
        seed = null;
        asking = 1n;
      }
    }
    page = Number(clamped(asking, 1n, largestInt));
    pages = core._explore_run(family, order, page, drawPaths);
    if (BigInt(page) !== asking || core._explore_page_drawn() === 0) {
      const nearest = asking < 1n ? 1 : pages;
      problems.push(`${name} order ${order}${where === "" ? "" : ` where ${where}`} has ` +
        `${plural(pages, "page")}, so page ${nearest} is shown instead of page ${briefly(asking)}`);
      if (nearest !== page) {
        page = nearest;
        pages = core._explore_run(family, order, page, drawPaths);
      }
    }
    figures = core._explore_figures();
    if (figure !== null) index = core._explore_chosen_index();
  }
  shown = { family, order, paths, mode, where, page, pages, figures, figure, seed, total,
    selected: -1 };
  paint();
  describe();
  select(index);
  say(problems.map((p) => `${capital(p)}.`).join(" "));
  if (history !== "none") writeAddress(history);
  return true;
}

// A page turn, or at the orders past the paged ones a step to another figure.
function go(page) {
  if (page !== shown.page) present({ ...askedOf(shown), page: BigInt(page) }, "replace");
}
function goToFigure(number) {
  if (String(number) !== shown.figure) {
    present({ ...askedOf(shown), figure: String(number) }, "replace");
  }
}

function select(index) {
  shown.selected = index;
  overlayContext.clearRect(0, 0, width, height);
  const figure = index < 0 ? "The selected figure" : `Figure ${figureNumber(index)}`;
  for (const button of document.querySelectorAll("[data-download=figure]")) {
    setDisabled(button, index < 0);
    button.setAttribute("aria-label", `${figure} as ${button.textContent}`);
  }
  const line = element("selection");
  let text;
  if (shown.mode === "random") {
    text = `${families[shown.family].name} order ${shown.order}: a tiling drawn uniformly at ` +
      `random from seed ${shown.seed}`;
  } else if (shown.mode === "figure") {
    // The figure drawn alone is the record's only one.
    text = `figure ${shown.figure} of ${shown.total}: ` +
      `${fromCore(core._explore_figure_steps(0))} (${statisticsOf(0)})`;
  } else if (index < 0) {
    text = shown.figures === 0 ? `No figure of ${families[shown.family].name} order ` +
      `${shown.order} has ${shown.where}.` : "Point at a figure, or tap it, to select it.";
  } else {
    const edge = (side) => core._explore_figure_edge(index, side);
    overlayContext.strokeStyle = "rgba(220, 0, 160, 0.9)";
    overlayContext.lineWidth = 3;
    overlayContext.strokeRect(edge(0) - 2.5, edge(1) - 2.5, edge(2) - edge(0) + 6, edge(3) - edge(1) + 6);
    text = `figure ${figureNumber(index)} of ${shown.total}: ` +
      `${fromCore(core._explore_figure_steps(index))} (${statisticsOf(index)})`;
  }
  // Written only when it changes, so that screen readers hear it once.
  if (line.textContent !== text) line.textContent = text;
}

// The figure under a pointer or a tap, in the page's own pixels.
function selectAt(event) {
  if (shown === null || shown.mode !== "pages") return;
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

// The page, the figure or tiling drawn alone, or the selected figure
// alone, as the exporters write it: the module writes the files, and the
// browser encodes an image from the same pixels.
function download(kind, format) {
  const index = kind === "figure" ? shown.selected : -1;
  if (core._explore_write_file(format, index) !== 0) {
    say("The file could not be made: " + fromCore(core._explore_file_failure()) + ".");
    if (index >= 0) rerun();
    return;
  }
  const name = `${families[shown.family].name}-order-${shown.order}-` +
    `${fromCore(core._explore_file_stem())}.${formats[format].extension}`;
  if (formats[format].image) {
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
    canvas.toBlob((blob) => save(blob, name), formats[format].type);
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
    family = families.findIndex((f) => f.name === query.get("family"));
    if (family < 0) {
      problems.push(`there is no family ${quoted(query.get("family"))}: ${families[0].name} is shown`);
      family = 0;
    }
  }
  const { name, largestRandom, usual } = families[family];
  let order = usual;
  if (query.has("order")) {
    const asked = wholeNumber(query.get("order"));
    if (asked === null) {
      problems.push(`order ${quoted(query.get("order"))} is not a whole number: order ${order} is shown`);
    } else {
      const nearest = Number(clamped(asked, 1n, BigInt(largestRandom)));
      if (BigInt(nearest) !== asked) {
        problems.push(`${name} has orders 1 to ${largestRandom}, ` +
          `so order ${nearest} is shown instead of order ${briefly(asked)}`);
      }
      order = nearest;
    }
  }
  // One of a seed, a figure and a page, in that order.
  const seed = query.get("random");
  const figure = seed === null ? query.get("figure") : null;
  let page = null;
  if (seed === null && figure === null && query.has("page")) {
    page = wholeNumber(query.get("page"));
    if (page === null) {
      problems.push(`page ${quoted(query.get("page"))} is not a whole number: page 1 is shown`);
    }
  }
  fillOrders(family);
  present({ family, order, paths: query.get("paths") === "1", where: query.get("where") ?? "",
    page, figure, seed }, history, problems);
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
    present({ ...askedOf(shown), page: asked }, "replace");
  } else {
    box.value = String(shown.page);
  }
}

// The figure typed in its box, by number or steps, shown on its page or
// alone; nothing changes for what names no figure, and a sentence says why.
function figureTyped(box) {
  const typed = box.value.trim().replace(/\s+/g, " ");
  if (typed === "" || typed === shown.figure) return;
  present({ ...askedOf(shown), figure: typed }, "push", [], true);
}

// The filter typed in its box, as the exporters' --where reads it.
function whereTyped(box) {
  const typed = box.value.replace(/\s+/g, "");
  if (typed === shown.where) {
    box.value = shown.where;
    return;
  }
  present({ ...askedOf(shown), where: typed, page: 1n }, "push", [], true);
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

// The families, statistics and formats the module has, and the controls
// made from them.
function readModule() {
  for (let family = 0; family < core._explore_family_count(); family += 1) {
    families.push({ name: fromCore(core._explore_family_name(family)),
      largest: core._explore_largest_order(family), usual: core._explore_usual_order(family),
      largestFigure: core._explore_largest_figure_order(family),
      largestRandom: core._explore_largest_random_order(family),
      counted: core._explore_has_counts(family) === 1 });
    element("family").add(new Option(families[family].name, families[family].name));
  }
  for (let statistic = 0; statistic < core._explore_statistic_count(); statistic += 1) {
    statistics.push(fromCore(core._explore_statistic_name(statistic)));
  }
  for (let format = 0; format < core._explore_format_count(); format += 1) {
    formats.push({ label: fromCore(core._explore_format_label(format)),
      extension: fromCore(core._explore_format_extension(format)),
      type: fromCore(core._explore_format_mime_type(format)),
      image: core._explore_format_is_image(format) === 1 });
    for (const kind of ["page", "figure"]) {
      const button = document.createElement("button");
      button.type = "button";
      button.dataset.download = kind;
      button.dataset.format = String(format);
      button.textContent = formats[format].label;
      element(`${kind}-downloads`).append(button);
    }
  }
}

function start() {
  core = Module;
  readModule();
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
  // Enter hands the focus to the page before the jump: a focus after it
  // would make the browser lay out every change at once, as much again as
  // the jump itself. The change that leaving the field makes is this one.
  let entering = false;
  for (const [id, typed] of [["figure", figureTyped], ["where", whereTyped]]) {
    const field = element(id);
    field.addEventListener("keydown", (event) => {
      if (event.key !== "Enter") return;
      event.preventDefault();
      entering = true;
      focusPage();
      entering = false;
      typed(field);
    });
    field.addEventListener("change", () => {
      if (entering) return;
      typed(field);
      giveBack(field);
    });
  }
  element("random").addEventListener("click", (event) => {
    present({ ...askedOf(shown), page: null, seed: freshSeed() }, "push", [], true);
    giveBack(event.currentTarget);
  });
  element("clear").addEventListener("click", (event) => {
    giveBack(event.currentTarget);
    present({ ...askedOf(shown), where: "", page: 1n }, "push");
  });
  element("tables").addEventListener("click", (event) => {
    const button = event.target.closest("button");
    if (!button) return;
    const where = whereAfterChoosing(button.dataset.statistic, Number(button.dataset.value),
      event.shiftKey);
    present({ ...askedOf(shown), where, page: 1n }, "push");
    giveBack(button);
  });
  element("family").addEventListener("change", (event) => {
    const family = families.findIndex((f) => f.name === event.target.value);
    fillOrders(family);
    present({ ...askedOf(shown), family, order: families[family].usual, page: 1n }, "push");
    giveBack(event.target);
  });
  element("order").addEventListener("change", (event) => {
    present({ ...askedOf(shown), order: Number(event.target.value), page: 1n }, "push");
    giveBack(event.target);
  });
  for (const id of ["family", "order"]) {
    // Enter on a select chooses, whether or not anything changed.
    element(id).addEventListener("keydown", (event) => {
      if (event.key === "Enter") focusPage();
    });
  }
  element("paths").addEventListener("change", (event) => {
    present({ ...askedOf(shown), paths: event.target.checked, figure: shown.figure,
      seed: shown.seed }, "push");
    giveBack(event.target);
  });
  for (const kind of ["page", "figure"]) {
    element(`${kind}-downloads`).addEventListener("click", (event) => {
      const button = event.target.closest("button");
      if (!button) return;
      download(kind, Number(button.dataset.format));
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
    if (shown.mode === "pages" && target === pageCanvas &&
        (event.key === "ArrowDown" || event.key === "ArrowUp")) {
      event.preventDefault();
      const count = core._explore_page_figure_count();
      if (count === 0) return;
      const step = event.key === "ArrowDown" ? 1 : -1;
      const none = step > 0 ? 0 : count - 1;
      select(shown.selected < 0 ? none : Math.min(Math.max(shown.selected + step, 0), count - 1));
      return;
    }
    if (shown.mode === "random") return;
    // Pages by number, or past the paged orders figures, by BigInt.
    const [at, last, one] = shown.mode === "pages" ? [shown.page, shown.pages, 1]
      : [BigInt(shown.figure), BigInt(shown.total), 1n];
    const moves = { ArrowRight: at + one, PageDown: at + one, " ": at + one,
      ArrowLeft: at - one, PageUp: at - one, Home: one, End: last };
    if (!(event.key in moves)) return;
    event.preventDefault();
    const to = clamped(moves[event.key], one, last);
    if (shown.mode === "pages") go(to); else goToFigure(to);
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
    if (shown.mode === "pages") {
      go(clamped(shown.page + (dx < 0 ? 1 : -1), 1, shown.pages));
    } else if (shown.mode === "figure") {
      goToFigure(clamped(BigInt(shown.figure) + (dx < 0 ? 1n : -1n), 1n, BigInt(shown.total)));
    }
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
