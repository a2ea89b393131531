// The address: everything shown is in the URL, so a link shows it again,
// and each change of family, order, paths, filter, figure or random one is
// an entry in the browser's history.
import { families, largestMoves, palettes, styles, tooLarge, zoomCells } from "./core.js";
import { briefly, clamped, quoted, wholeNumber } from "./words.js";

export function urlOf(state) {
  const query = new URLSearchParams({ family: families[state.family].name, order: state.order });
  if (state.where !== "") query.set("where", state.where);
  if (state.seed !== null) {
    query.set("random", state.seed);
    if (state.glauber !== "0") query.set("glauber", state.glauber);
  } else if (state.figure !== null) {
    query.set("figure", state.figure);
  } else {
    query.set("page", state.page);
  }
  if (state.paths) query.set("paths", "1");
  if (state.arctic) query.set("arctic", "1");
  if (state.zoom) {
    query.set("zoom", state.zoom.cell);
    query.set("at", `${state.zoom.x},${state.zoom.y}`);
  }
  if (state.style !== styles[0]) query.set("style", state.style);
  // A palette chosen, even the first, is kept: past the page's orders a
  // tiling is drawn in another unless one is.
  if (state.paletteChosen) query.set("palette", state.palette);
  if (state.slide) query.set("slide", "1");
  return `${location.pathname}?${query}`;
}

// What the URL asks for, each value that cannot be shown replaced by the
// nearest that can, with a sentence a replacement in `problems`.
export function askedByAddress() {
  const query = new URLSearchParams(location.search);
  const problems = [];
  // A setting given twice: the first is taken, and said to be.
  for (const key of new Set(query.keys())) {
    const values = query.getAll(key);
    if (values.length > 1) {
      problems.push(`${key} is given ${values.length} times: the first, ${quoted(values[0])}, ` +
        "is taken");
    }
  }
  let family = 0;
  if (query.has("family")) {
    family = families.findIndex((f) => f.name === query.get("family"));
    if (family < 0) {
      problems.push(`there is no family ${quoted(query.get("family"))}: ${families[0].name} is shown`);
      family = 0;
    }
  }
  const { name, largestRandom, largestShown, usual } = families[family];
  let order = usual;
  if (query.has("order")) {
    const asked = wholeNumber(query.get("order"));
    if (asked === null) {
      problems.push(`order ${quoted(query.get("order"))} is not a whole number: order ${order} is shown`);
    } else {
      const nearest = Number(clamped(asked, 1n, BigInt(largestShown)));
      if (asked > BigInt(largestShown) && asked <= BigInt(largestRandom)) {
        problems.push(`order ${asked} is not drawn here (${tooLarge}): order ${nearest} is shown`);
      } else if (BigInt(nearest) !== asked) {
        problems.push(`${name} has orders 1 to ${largestShown}, ` +
          `so order ${nearest} is shown instead of order ${briefly(asked)}`);
      }
      order = nearest;
    }
  }
  // One of a seed, a figure and a page, in that order. A seed is a number:
  // written with leading zeros it is the same seed, and the address says
  // it as a number.
  let seed = query.get("random");
  if (seed !== null && wholeNumber(seed) !== null) seed = String(wholeNumber(seed));
  const figure = seed === null ? query.get("figure") : null;
  let page = null;
  if (seed === null && figure === null && query.has("page")) {
    page = wholeNumber(query.get("page"));
    if (page === null) {
      problems.push(`page ${quoted(query.get("page"))} is not a whole number: page 1 is shown`);
    }
  }
  // A random tiling's moves since its seed drew it (the exporter's
  // --glauber).
  let glauber = query.get("glauber");
  if (glauber !== null) {
    const moves = wholeNumber(glauber);
    if (moves === null || moves > largestMoves) {
      problems.push(`glauber ${quoted(glauber)} is no number of moves from 0 to ${largestMoves}: the ` +
        "tiling is shown as its seed drew it");
      glauber = null;
    } else {
      glauber = seed === null ? null : String(moves);
      if (seed === null) problems.push("glauber moves a random tiling, and none is asked for: it is left out");
    }
  }
  const paths = query.get("paths");
  if (paths !== null && paths !== "0" && paths !== "1") {
    problems.push(`paths ${quoted(paths)} is neither 1 (drawn) nor 0: they are not drawn`);
  }
  const slide = query.get("slide");
  if (slide !== null && slide !== "0" && slide !== "1") {
    problems.push(`slide ${quoted(slide)} is neither 1 (a slide) nor 0: the page is shown`);
  }
  const arctic = query.get("arctic");
  if (arctic !== null && arctic !== "0" && arctic !== "1") {
    problems.push(`arctic ${quoted(arctic)} is neither 1 (drawn) nor 0: the circle is not drawn`);
  }
  // A style and a palette of the module's, else its first, said.
  const named = (key, names, what) => {
    const name = query.get(key);
    if (name === null || names.includes(name)) return name ?? names[0];
    problems.push(`there is no ${what} ${quoted(name)}: ${names[0]} is used`);
    return names[0];
  };
  const style = named("style", styles, "style");
  const palette = query.has("palette") ? named("palette", palettes, "palette") : null;
  // A window on a random tiling: a cell's size and the cell at its centre.
  let zoom = null;
  if (query.has("zoom")) {
    const cell = Number(query.get("zoom"));
    const at = /^([0-9]+),([0-9]+)$/.exec(query.get("at") ?? "");
    if (zoomCells.includes(cell) && at !== null) {
      zoom = { cell, x: Number(at[1]), y: Number(at[2]) };
    } else {
      problems.push(`zoom ${quoted(query.get("zoom"))} at ${quoted(query.get("at") ?? "")} is no ` +
        `window (a cell of ${zoomCells.join(", ")} pixels at a cell X,Y): the whole tiling is shown`);
    }
  }
  return { asked: { family, order, paths: paths === "1", arctic: arctic === "1", slide: slide === "1",
    zoom, where: query.get("where") ?? "",
    page, figure, seed, glauber, style, palette }, problems };
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

// `state` now shown: a new entry ("push"), or a page turn ("replace").
export function writeAddress(mode, state) {
  if (mode === "push") {
    writePendingPage();
    window.history.pushState(newEntry(), "", urlOf(state));
  } else {
    pendingPage = urlOf(state);
    clearTimeout(addressTimer);
    addressTimer = setTimeout(writePendingPage, 300);
  }
}

// Back or Forward has moved to another entry: the one left keeps its page.
export function enterEntry(state) {
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

// At the start, with `shown` what the address asked for: the address is
// mended at once where it asked for what is not there, and the entry gets
// its key (kept over a reload).
export function settleEntry(shown) {
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
