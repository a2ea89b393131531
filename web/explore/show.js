// What is shown, and showing it: a page, a figure alone or a random tiling
// drawn by the module for what a control or the address asks, told in the
// title, the status line, the page's name, the controls, the help and the
// selection line, and written to the address.
import { writeAddress } from "./address.js";
import { choose, chosenIndex, chosenNumber, clearSelection, families, figureNumber, figureStat,
  keptTotal, moveTiling, paintAlone,
  figureSteps, figureTotal, filter, outlineFigure, pageDrawn, pageFigureCount, pageOfChosen, paint,
  paintLarge, paintPixels, paintWhole, rerun, run, runChosen, tooLarge, runFigures, paintView, zoomCells, setArctic,
  setDrawing, setFilter, statistics, styles, palettes } from "./core.js";
import { cancelLarge, drawLarge, dropLarge, viewLarge } from "./large.js";
import { drawReadingOver, stopReading } from "./reading.js";
import { forgetTurns, largeCaption, ringLarge, showTurning } from "./turns.js";
import { showShuffling } from "./shuffling.js";
import { showMoves, stopMoves } from "./moves.js";
import { drawSlide } from "./slides.js";
import { downloadCell, nameDownloads, nameSelected } from "./downloads.js";
import { setDisabled, setHidden } from "./focus.js";
import { fillPanel, markPanel } from "./panel.js";
import { briefly, capital, clamped, plural, quoted, say } from "./words.js";

const element = (id) => document.getElementById(id);
const pageCanvas = element("page");

// What is shown. `mode` is "pages" at the orders drawn page by page,
// "figure" past them while figures are numbered, "random" past that.
// `figure` and `seed` are what the address asks for, as decimal text:
// at the paged orders, until the next page turn.
export let shown = null;
// Called once something is first shown (a large tiling asked for by the
// address is shown only once its worker has drawn it).
let firstShown = null;
export function whenShown(callback) {
  if (shown !== null) callback(); else firstShown = callback;
}
function nowShown(state) {
  shown = state;
  if (firstShown !== null) {
    const callback = firstShown;
    firstShown = null;
    callback();
  }
}

// The module takes 32-bit numbers: a larger page is past the last anyway.
const largestInt = 2147483647n;

// A seed of 64 bits from the browser's own source of randomness.
export function freshSeed() {
  return crypto.getRandomValues(new BigUint64Array(1))[0].toString();
}

// The family list, from the module's families.
// The families, styles and palettes the module has, in their selects.
export function listChoices() {
  for (const { name } of families) element("family").add(new Option(name, name));
  for (const name of styles) element("style").add(new Option(name, name));
  for (const name of palettes) element("palette").add(new Option(name, name));
}

// The random tilings' orders in the Order select: to the largest that fits
// the page at a pixel a cell.
const listedRandom = 299;
// The most random moves the page makes itself when a tiling is asked for
// with them (an address, Undo): some half a second's worth; more are made
// in a worker, as a large tiling is drawn, the page answering meanwhile.
const movedInPage = 20000000n;

// A random tiling's name, with its moves: "aztec order 60, seed 42, then
// 1000 Glauber moves", as the exporter titles it.
function tilingName(state) {
  const moved = state.glauber === "0" ? "" : `, then ${state.glauber} Glauber moves`;
  return `${families[state.family].name} order ${state.order}, seed ${state.seed}${moved}`;
}
// An order typed past the select's, as its last option while it is shown.
const typedOrder = new Option("", "");
let ordersOf = -1;
function fillOrders(family) {
  if (ordersOf === family) return;
  ordersOf = family;
  const select = element("order");
  select.textContent = "";
  const { largest, largestFigure, largestRandom } = families[family];
  for (const [label, from, to] of [["Page by page", 1, largest],
    ["One figure at a time", largest + 1, largestFigure],
    // Orders past these are for the Order box (a select of thousands helps no one).
    ["One random tiling", largestFigure + 1, Math.min(largestRandom, listedRandom)]]) {
    if (from > to) continue;
    const group = document.createElement("optgroup");
    group.label = label;
    for (let order = from; order <= to; order += 1) group.append(new Option(String(order), String(order)));
    select.append(group);
  }
}

function modeOf(family, order) {
  const { largest, largestFigure } = families[family];
  return order <= largest ? "pages" : order <= largestFigure ? "figure" : "random";
}

// A figure's statistics, as the selection line gives them.
function statisticsOf(index) {
  return statistics.map((name, i) => `${name} ${figureStat(index, i)}`).join(", ");
}

const helpOf = {
  pages: (name) => `The Figure box takes a figure's number or its steps (as "rise fall flat") ` +
    "and goes to its page; Random figure chooses one uniformly " +
    (shown.where === "" ? `of all the ${name} figures of this order.`
      : `of the figures where ${shown.where}, the filter's.`),
  figure: (name, order) => `${capital(name)} order ${order} has ${plural(shown.total, "figure")}: ` +
    "too many to draw page by page, so they are shown one at a time, figure 1 first. Type a " +
    "number or steps in the Figure box, press Random figure, or → and ← (Home, End) for the " +
    "next and the one before.",
  random: (name, order) => `${capital(name)} order ${order} has too many tilings to number: one ` +
    "is shown, drawn uniformly at random from the seed in the address. Random tiling draws another. " +
    `The Any order box takes orders up to ${families[shown.family].largestShown} (${tooLarge}); ` +
    `past ${listedRandom} a tiling is drawn a pixel a cell, scaled to fit the page, and in the ` +
    "background: the page answers while it is drawn, and Cancel or Escape stops it." +
    (families[shown.family].moves ? " Run (under the page) makes random moves on it, Glauber dynamics: " +
      "each turns a 2 × 2 block drawn at random, so that the tiling stays uniformly random; the " +
      "address and the downloads follow." : ""),
};

function describe() {
  const { family, order, mode, page, pages, where, figure, total } = shown;
  const name = families[family].name;
  const filtered = where === "" ? "" : ` where ${where}`;
  let title;
  const count = pageFigureCount();
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
    title = mode === "figure" ? `${name} order ${order} - figure ${figure} of ${total}` : tilingName(shown);
    element("status").textContent = title;
    pageCanvas.setAttribute("aria-label", `${title}: ` +
      `${mode === "figure" ? "the figure" : "a tiling drawn at random"} alone, as a domino tiling` +
      `${shown.paths ? ", with its paths" : ""}`);
  }
  document.title = title;
  element("family").value = name;
  fillOrders(family);
  if (order > listedRandom) {
    typedOrder.text = typedOrder.value = String(order);
    element("order").append(typedOrder);
  } else {
    typedOrder.remove();
  }
  element("order").value = String(order);
  const { largestFigure, largestShown } = families[family];
  // For a family whose random tilings go past the select's orders alone.
  setHidden(element("order-field"), largestShown <= Math.max(largestFigure, listedRandom));
  element("order-box").min = String(largestFigure + 1);
  element("order-box").max = String(largestShown);
  element("order-box").placeholder = `${largestFigure + 1} to ${largestShown}`;
  element("order-box").value = mode === "random" ? String(order) : "";
  element("paths").checked = shown.paths;
  setHidden(element("arctic-field"), mode !== "random");
  setHidden(element("zoom-controls"), mode !== "random");
  tellZoom();
  element("arctic").checked = shown.arctic;
  const fourColours = mode === "random" && shown.palette === "four";
  setHidden(element("colours"), !fourColours);
  if (fourColours) {
    element("colours").textContent = "Colours: north dominoes red, south yellow, east green, west " +
      "blue (the classes domino shuffling moves up, down, right and left). Each class alone fills " +
      "one frozen corner of the diamond, north the top, south the bottom, east the right and west " +
      "the left; they mix in the middle" +
      `${shown.arctic ? ", inside the arctic circle drawn over them" : ""}.`;
  }
  element("style").value = shown.style;
  element("palette").value = shown.palette;
  setHidden(element("pager"), mode !== "pages");
  if (mode === "pages") {
    element("page-number").value = String(page);
    element("page-number").max = String(pages);
    element("page-total").textContent = `of ${pages}`;
    for (const id of ["first", "previous"]) setDisabled(element(id), page === 1);
    for (const id of ["next", "last"]) setDisabled(element(id), page === pages);
  }
  setHidden(element("figure-field"), mode === "random");
  setHidden(element("present"), mode === "random");
  if (figure !== null && element("figure").value !== figure) element("figure").value = figure;
  element("random").textContent = mode === "random" ? "Random tiling" : "Random figure";
  setHidden(element("filter"), mode !== "pages");
  element("where").value = where;
  setDisabled(element("clear"), where === "");
  const counted = mode === "pages" && families[family].counted;
  setHidden(element("statistics"), !counted);
  if (counted) {
    fillPanel(family, order, where);
    markPanel(where);
  }
  element("mode-help").textContent = helpOf[mode](name, order);
  nameDownloads(mode, figure);
  showShuffling(shown);
  showTurning();
  showMoves(shown);
}

// What is shown, as what a change of it starts from.
export function askedOf(state) {
  return { family: state.family, order: state.order, paths: state.paths, arctic: state.arctic,
    where: state.where, zoom: state.zoom, slide: state.slide,
    page: state.mode === "pages" ? BigInt(state.page) : null, figure: null, seed: null, glauber: null,
    style: state.style, palette: state.paletteChosen ? state.palette : null };
}

// Chooses in the module the figure of `seed`, or else of `figure` (a
// number or steps): null, or what was asked and why it cannot be shown.
function chosen(family, order, figure, seed) {
  const random = seed !== null;
  const what = random ? `seed ${quoted(seed)}` : `figure ${quoted(figure)}`;
  const why = choose(family, order, random ? seed : figure, random);
  return why === null ? null : { what, why };
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
export function present(asked, history, problems = [], strict = false) {
  // A run of random moves ends where anything else is asked for.
  stopMoves();
  const { family, order, paths, style } = asked;
  const name = families[family].name;
  const mode = modeOf(family, order);
  // A palette not chosen is the programs' own, but for a tiling past the
  // page's orders, whose dominoes a pixel each show only their colour:
  // there the four classes', which show its frozen corners.
  const palette = asked.palette ?? (mode === "random" && order > listedRandom ? "four" : palettes[0]);
  setDrawing(style, palette, downloadCell());
  if (asked.slide && mode === "random") {
    problems.push(`${name} order ${order} is one random tiling, not figures to present: it is ` +
      "shown on the page");
  }
  const arctic = asked.arctic && mode === "random";
  if (asked.arctic && !arctic) {
    problems.push(`${name} order ${order} is no random tiling: the arctic circle is left out`);
  }
  setArctic(arctic);
  const refuse = (sentence) => {
    if (shown.mode === "pages") {
      setFilter(shown.where);
      rerun(shown);
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
    where = filter();
  } else if (asked.where !== "") {
    problems.push(`${name} order ${order} has no pages to filter: the filter ` +
      `${quoted(asked.where)} is left out`);
  }
  let { figure, seed } = asked;
  // A random tiling's moves since its seed drew it, in decimal.
  let glauber = "0";
  const movesAsked = asked.glauber ?? "0";
  if (mode !== "random" && movesAsked !== "0") {
    problems.push(families[family].moves
      ? `${name} order ${order} is shown ${mode === "pages" ? "page by page" : "a figure at a time"}, ` +
        `and random moves are made on a random tiling past order ${families[family].largestFigure}: ` +
        `the ${movesAsked} asked for are left out`
      : `${name} has no random moves (they are made where every tiling of a family's region is ` +
        `one of its figures): the ${movesAsked} asked for are left out`);
  }
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
    const why = seed === null ? null : chosen(family, order, null, seed);
    // Moves are of the seed asked for, not of another drawn in its place.
    const seedTaken = seed !== null && why === null;
    if (seed === null || why !== null) {
      if (why !== null) {
        if (strict) return refuse(refusal(why));
        problems.push(replaced(why, "another seed is drawn"));
      }
      seed = freshSeed();
      chosen(family, order, null, seed);
    }
    if (movesAsked !== "0" && seedTaken) {
      if (families[family].moves) {
        glauber = movesAsked;
      } else {
        problems.push(`${name} has no random moves: the ${movesAsked} asked for are left out`);
      }
    }
    // Past the listed orders, or with many moves, drawn in a worker
    // (showLarge).
    if (order <= listedRandom && BigInt(glauber) <= movedInPage) {
      runChosen(family, order, paths);
      const moved = glauber === "0" ? null : moveTiling(BigInt(glauber));
      if (moved?.failure !== undefined) {
        problems.push(`the ${glauber} moves cannot be made (${moved.failure}): the seed's tiling is shown`);
        glauber = "0";
        runChosen(family, order, paths);
      }
    }
  } else if (mode === "figure") {
    total = figureTotal(family, order);
    if (seed === null && figure === null) figure = "1";
    const why = chosen(family, order, figure, seed);
    if (why !== null) {
      if (strict) return refuse(refusal(why));
      problems.push(replaced(why, "figure 1 is shown"));
      seed = null;
      chosen(family, order, "1", null);
    }
    runChosen(family, order, paths);
    figure = chosenNumber();
  } else {
    total = figureTotal(family, order);
    let asking = asked.page ?? 1n;
    if (figure !== null || seed !== null) {
      const why = chosen(family, order, figure, seed);
      const on = why === null ? pageOfChosen(family, order, paths) : 0;
      const number = chosenNumber();
      const left = `figure ${number}${seed === null ? "" : `, drawn from seed ${seed},`} is not ` +
        `among the figures where ${where}`;
      if (why === null && on !== 0) {
        asking = BigInt(on);
        figure = number;
        // Drawn among the filter's figures alone: said, with how many.
        if (seed !== null && keptTotal() !== "") {
          problems.push(`figure ${number} is drawn from seed ${seed} uniformly among the ` +
            `${plural(keptTotal(), "figure")} where ${where}`);
        }
      } else {
        if (strict) return refuse(why === null ? `${left}: page ${shown.page} is still shown` : refusal(why));
        problems.push(why === null ? `${left}: page 1 is shown` : replaced(why, "page 1 is shown"));
        figure = null;
        seed = null;
        asking = 1n;
      }
    }
    page = Number(clamped(asking, 1n, largestInt));
    pages = run(family, order, page, paths);
    if (BigInt(page) !== asking || !pageDrawn()) {
      const nearest = asking < 1n ? 1 : pages;
      problems.push(`${name} order ${order}${where === "" ? "" : ` where ${where}`} has ` +
        `${plural(pages, "page")}, so page ${nearest} is shown instead of page ${briefly(asking)}`);
      if (nearest !== page) {
        page = nearest;
        pages = run(family, order, page, paths);
      }
    }
    figures = runFigures();
    if (figure !== null) index = chosenIndex();
  }
  // A window on a random tiling, its centre kept within the tiling.
  const side = 2 * order + 2;
  const zoom = mode === "random" && asked.zoom ? { cell: asked.zoom.cell,
    x: clamped(asked.zoom.x, 0, side), y: clamped(asked.zoom.y, 0, side) } : null;
  const next = { family, order, paths, arctic, zoom, style, palette,
    paletteChosen: asked.palette !== null, mode, where, page, pages, figures, figure, seed, glauber, total,
    large: mode === "random" && (order > listedRandom || BigInt(glauber) > movedInPage),
    slide: Boolean(asked.slide) && mode !== "random",
    selected: -1 };
  if (next.large) {
    showLarge(next, problems, history);
    return true;
  }
  // What was being drawn, or shown, in a worker is no longer asked for.
  if (cancelLarge()) setHidden(element("progress"), true);
  dropLarge();
  nowShown(next);
  if (zoom !== null) {
    paintZoomed();
  } else if (mode !== "random") {
    paint();
  } else if (!paintWhole()) {
    // Drawn again after its moves, if any.
    paintAlone();
  }
  describe();
  select(index < 0 && shown.slide && mode === "pages" && pageFigureCount() > 0 ? 0 : index);
  drawSlide();
  say(problems.map((p) => `${capital(p)}.`).join(" "));
  if (history !== "none") writeAddress(history, shown);
  return true;
}

// The window `zoom` as the module draws it: cells of `cell` pixels, the
// top left the --cell picture's pixel (x, y).
function windowAt(zoom) {
  return { cell: zoom.cell, x: Math.round(zoom.x * zoom.cell) - 400, y: Math.round(zoom.y * zoom.cell) - 300 };
}

// Shows `next`, a random tiling past the listed orders, once its worker
// has drawn it; until then what was shown stays, answering keys and
// controls, and a progress line with a Cancel button says what is drawn
// and for how long. A new request or Cancel stops it.
function showLarge(next, problems, history) {
  const what = tilingName(next);
  const started = performance.now();
  let phase = next.glauber === "0" ? "sampling its dominoes" : "sampling its dominoes and making its moves";
  const tell = () => {
    element("progress-said").textContent = `Drawing ${what} in the background: ${phase}.`;
    element("progress-time").textContent =
      `${((performance.now() - started) / 1000).toFixed(1)} s so far.`;
  };
  tell();
  setHidden(element("progress"), false);
  // Only while a tiling is drawn: the page waits with no timer.
  const timer = setInterval(tell, 250);
  const { family, order, seed, glauber } = next;
  const asked = { family, order, seed, glauber, paths: next.paths, arctic: next.arctic,
    style: styles.indexOf(next.style), palette: palettes.indexOf(next.palette),
    cell: downloadCell() ?? 0, zoom: next.zoom === null ? null : windowAt(next.zoom) };
  drawLarge(asked, () => {
    phase = "drawing its picture";
    tell();
  }).then((reply) => {
    clearInterval(timer);
    // Whoever cancelled it tells so.
    if (reply.cancelled) return;
    setHidden(element("progress"), true);
    if (reply.failure !== undefined) {
      nothingDrawn(`${capital(what)} could not be drawn: ${reply.failure}`);
      return;
    }
    nowShown(next);
    paintPixels(reply.width, reply.height, reply.pixels);
    describe();
    select(-1);
    say(problems.map((p) => `${capital(p)}.`).join(" "));
    if (history !== "none") writeAddress(history, shown);
  });
}

// A large tiling not drawn, cancelled or failed: what was shown stays,
// drawn again in the page's module where its settings were changed for the
// request (at the start, the family's usual order is shown).
function nothingDrawn(sentence) {
  if (shown === null) {
    present({ family: 0, order: families[0].usual, paths: false, arctic: false, where: "",
      zoom: null, page: 1n, figure: null, seed: null, style: styles[0], palette: null }, "replace");
  } else if (!shown.large) {
    present({ ...askedOf(shown), figure: shown.figure, seed: shown.seed, glauber: shown.glauber }, "none");
  } else {
    // Its moves may have gone on while the other was drawn (moves.js).
    describe();
    writeAddress("replace", shown);
  }
  say(`${sentence}.`);
}

// Stops the large tiling being drawn, if any: false when there is none.
export function cancelDrawing() {
  if (!cancelLarge()) return false;
  setHidden(element("progress"), true);
  nothingDrawn(`Drawing was cancelled: ${shown === null ? "the first family is shown"
    : "what was shown stays"}`);
  return true;
}

function paintZoomed() {
  const { cell, x, y } = windowAt(shown.zoom);
  paintView(cell, x, y);
}
function tellZoom() {
  // On a touch screen a random tiling takes two fingers for its zoom, and
  // zoomed, one finger to move it, rather than the browser's (explore.html).
  element("stage").classList.toggle("tiling", shown.mode === "random");
  element("stage").classList.toggle("zoomed", shown.mode === "random" && shown.zoom !== null);
  element("zoom-said").textContent = shown.zoom === null ? "the whole tiling"
    : `${plural(shown.zoom.cell, "pixel")} a cell, centred on cell ${shown.zoom.x}, ${shown.zoom.y}`;
}

// A window on the random tiling shown (null for the whole), drawn from its
// dominoes at its own size, and kept in the address. A large tiling's
// window is drawn by its worker: only the last one asked for is shown.
let lastView = 0;
export function view(zoom) {
  const side = 2 * shown.order + 2;
  shown.zoom = zoom === null ? null : { cell: zoom.cell, x: clamped(Math.round(zoom.x), 0, side),
    y: clamped(Math.round(zoom.y), 0, side) };
  if (shown.large) {
    lastView += 1;
    const [asking, mine] = [shown, lastView];
    viewLarge(shown.zoom === null ? null : windowAt(shown.zoom)).then((reply) => {
      if (shown !== asking || mine !== lastView || reply.cancelled) return;
      if (reply.failure !== undefined) {
        say(`The window could not be drawn: ${reply.failure}.`);
        return;
      }
      paintPixels(reply.width, reply.height, reply.pixels);
      tellZoom();
      writeAddress("replace", shown);
    });
    return;
  }
  if (shown.zoom !== null) {
    paintZoomed();
  } else if (!paintWhole()) {
    paintAlone();
  }
  tellZoom();
  writeAddress("replace", shown);
}
// One step of zoom in (1) or out (-1), about the centre shown; out of the
// smallest cells, the whole tiling.
export function zoomBy(step) {
  const now = shown.zoom;
  const centre = 2 * shown.order + 2;
  const at = now === null ? -1 : zoomCells.indexOf(now.cell);
  const to = at + step;
  if (to < 0) {
    view(null);
  } else if (to < zoomCells.length) {
    view({ cell: zoomCells[to], x: now?.x ?? centre / 2, y: now?.y ?? centre / 2 });
  }
}
// Moves the window by (dx, dy) pixels of the page.
export function panBy(dx, dy) {
  if (shown.zoom === null) return;
  const { cell, x, y } = shown.zoom;
  view({ cell, x: x + Math.round(dx / cell), y: y + Math.round(dy / cell) });
}

// A page turn, or at the orders past the paged ones a step to another figure.
export function go(page) {
  if (page !== shown.page) present({ ...askedOf(shown), page: BigInt(page) }, "replace");
}
export function goToFigure(number) {
  if (String(number) !== shown.figure) {
    present({ ...askedOf(shown), figure: String(number) }, "replace");
  }
}

// What the selection line says of a random tiling.
function randomSaid() {
  const { family, order, seed, glauber } = shown;
  return `${families[family].name} order ${order}: a tiling drawn uniformly at random from seed ${seed}` +
    (glauber === "0" ? "" : `, then moved by ${glauber} Glauber moves, which keep it uniformly random`);
}

// The random tiling shown has been moved (moves.js): drawn again, as its
// window or whole (the module has drawn its canvas; a large tiling's
// pixels come from its worker).
export function repaintMoved(picture = null) {
  if (picture !== null) paintPixels(picture.width, picture.height, picture.pixels);
  else if (shown.zoom !== null) paintZoomed();
  else paintAlone();
}
// Its moves so far in the document's title and the address, while it runs
// (the status and selection lines, which screen readers hear, wait for
// the stop).
export function tellRunning() {
  document.title = tilingName(shown);
  writeAddress("replace", shown);
}
// The window on the random tiling shown as the module draws it, or null
// for the whole.
export function shownWindow() {
  return shown.zoom === null ? null : windowAt(shown.zoom);
}
// The same tiling with `glauber` moves since its seed drew it (Undo).
export function undoMoves(glauber) {
  present({ ...askedOf(shown), seed: shown.seed, glauber }, "replace");
}
// Its moves told: in the title, the status and selection lines, and the
// address.
export function tellMoved() {
  describe();
  const line = element("selection");
  if (line.textContent !== randomSaid()) line.textContent = randomSaid();
  writeAddress("replace", shown);
}

// Selects figure `index` of the page (-1 for none), and tells it.
export function select(index) {
  forgetTurns();
  shown.selected = index;
  clearSelection();
  nameSelected(index < 0 ? null : figureNumber(index));
  const line = element("selection");
  let text;
  if (shown.mode === "random") {
    text = randomSaid();
  } else if (shown.mode === "figure") {
    // The figure drawn alone is the record's only one.
    text = `figure ${shown.figure} of ${shown.total}: ${figureSteps(0)} (${statisticsOf(0)})`;
  } else if (index < 0) {
    text = shown.figures === 0 ? `No figure of ${families[shown.family].name} order ` +
      `${shown.order} has ${shown.where}.` : "Point at a figure, or tap it, to select it.";
  } else {
    outlineFigure(index);
    text = `figure ${figureNumber(index)} of ${shown.total}: ` +
      `${figureSteps(index)} (${statisticsOf(index)})`;
  }
  // Written only when it changes, so that screen readers hear it once.
  if (line.textContent !== text) line.textContent = text;
  showSelectedLarge(text);
}

// The selected figure, or the figure drawn alone, large under the page:
// as wide as the page's place and at most as high as the window, at the
// largest whole cell in device pixels, as the exporter draws it with
// --style paper --path --cell (explore_draw_large); hidden when none is.
// Drawn at the next frame, after the page the key or pointer changed, and
// only the last asked for when several come in one frame (a key held).
let largeFrame = 0;
// The figure drawn large last: the same one drawn again (its room changed)
// keeps its path as far as it was read.
let largeLast = null;
export function showSelectedLarge(text = element("selection").textContent) {
  const large = element("large");
  const index = shown.mode === "figure" ? -1 : shown.mode === "pages" ? shown.selected : null;
  cancelAnimationFrame(largeFrame);
  const same = largeLast !== null && largeLast.shown === shown && largeLast.index === index;
  largeLast = { shown, index };
  if (!same) stopReading();
  if (index === null || (index < 0 && shown.mode === "pages")) {
    setHidden(large, true);
    return;
  }
  largeFrame = requestAnimationFrame(() => {
    setHidden(large, false);
    const room = [element("stage").clientWidth, Math.max(window.innerHeight - 40, 100)];
    const canvas = element("large-figure");
    const cell = paintLarge(canvas, index, room);
    setHidden(large, cell < 0);
    canvas.dataset.cell = String(cell);
    if (!drawReadingOver()) ringLarge();
    // Drawn, so that a turned figure's words are its own.
    const said = largeCaption(text);
    element("large-said").textContent = said;
    canvas.setAttribute("aria-label", `${said}, drawn large with its path`);
  });
}

// The figure drawn large: a page's selected one, -1 the figure alone, or
// null for none.
export function largeIndex() {
  if (shown === null || element("large").hidden) return null;
  return shown.mode === "figure" ? -1 : shown.mode === "pages" && shown.selected >= 0 ? shown.selected : null;
}
