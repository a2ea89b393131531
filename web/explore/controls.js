// What the user does: the page's buttons and fields, the statistics
// panel's values, the download buttons, the keyboard, and the pointer and
// touch on the page; each asks for something to be shown, and hands the
// focus back to the page where it should (focus.js).
import { families, figureNearest, figureUnder, pageFigureCount, setDrawing, tooLarge } from "./core.js";
import { download, downloadCell } from "./downloads.js";
import { focusPage, giveBack, trackKeys } from "./focus.js";
import { whereAfterChoosing } from "./panel.js";
import { readable, toggleReading } from "./reading.js";
import { undo } from "./turns.js";
import { askedOf, cancelDrawing, freshSeed, go, goToFigure, panBy, present, select,
  showSelectedLarge, shown, view, zoomBy } from "./show.js";
import { enterSlides, listenToSlides, presentable, slideKey } from "./slides.js";
import { clamped, quoted, say, wholeNumber } from "./words.js";

const element = (id) => document.getElementById(id);

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

// The order typed in the Order box: a random tiling of it, or, past the
// orders the page draws, a sentence says why not and nothing changes.
function orderTyped(box) {
  const asked = wholeNumber(box.value.trim());
  const { largestFigure, largestShown } = families[shown.family];
  const kept = shown.mode === "random" ? String(shown.order) : "";
  if (asked === null || asked <= BigInt(largestFigure) || asked > BigInt(largestShown)) {
    if (box.value !== "" || box.validity.badInput) {
      const typed = box.validity.badInput ? "what was typed" : quoted(box.value);
      say(`The Order box takes the order of a random tiling, a whole number from ` +
        `${largestFigure + 1} to ${largestShown}: ${typed} is not one` +
        `${asked !== null && asked > BigInt(largestShown) ? `; ${tooLarge}` : ""}.`);
    }
    box.value = kept;
  } else if (String(asked) !== kept) {
    present({ ...askedOf(shown), order: Number(asked), page: null, zoom: null }, "push", [], true);
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

// The figure under a pointer, or the nearest to a tap or click.
function selectAt(event) {
  if (shown === null || shown.mode !== "pages") return;
  let index = figureUnder(event.clientX, event.clientY);
  if (index < 0 && event.type === "pointerdown") index = figureNearest(event.clientX, event.clientY);
  if (index >= 0 && index !== shown.selected) select(index);
}

// The keys of the page: pages, or past the paged orders figures, and on
// the page itself the selection.
function pageKey(event) {
  // Fields keep their keys, and a button or checkbox its space and Enter.
  const target = event.target;
  if (event.key === "Escape" && cancelDrawing()) {
    event.preventDefault();
    return;
  }
  // Nothing is shown yet: the first tiling is being drawn.
  if (shown === null || slideKey(event)) return;
  if (event.altKey || event.ctrlKey || event.metaKey ||
      target.closest("select, textarea, input:not([type=checkbox])") ||
      ((event.key === " " || event.key === "Enter") && target.closest("button, input"))) {
    return;
  }
  if ((event.key === "p" || event.key === "P") && presentable()) {
    event.preventDefault();
    enterSlides();
    return;
  }
  if ((event.key === "s" || event.key === "S") && readable()) {
    event.preventDefault();
    toggleReading();
    return;
  }
  if ((event.key === "z" || event.key === "Z") && readable()) {
    event.preventDefault();
    undo();
    return;
  }
  if (shown.mode === "pages" && target === element("page") &&
      (event.key === "ArrowDown" || event.key === "ArrowUp")) {
    event.preventDefault();
    const count = pageFigureCount();
    if (count === 0) return;
    const step = event.key === "ArrowDown" ? 1 : -1;
    const none = step > 0 ? 0 : count - 1;
    select(shown.selected < 0 ? none : Math.min(Math.max(shown.selected + step, 0), count - 1));
    return;
  }
  if (shown.mode === "random") {
    const pans = { ArrowRight: [100, 0], ArrowLeft: [-100, 0], ArrowDown: [0, 100], ArrowUp: [0, -100] };
    if (event.key === "+" || event.key === "=") zoomBy(1);
    else if (event.key === "-") zoomBy(-1);
    else if (event.key in pans) panBy(...pans[event.key]);
    else return;
    event.preventDefault();
    return;
  }
  // Pages by number, or past the paged orders figures, by BigInt.
  const [at, last, one] = shown.mode === "pages" ? [shown.page, shown.pages, 1]
    : [BigInt(shown.figure), BigInt(shown.total), 1n];
  const moves = { ArrowRight: at + one, PageDown: at + one, " ": at + one,
    ArrowLeft: at - one, PageUp: at - one, Home: one, End: last };
  if (!(event.key in moves)) return;
  event.preventDefault();
  const to = clamped(moves[event.key], one, last);
  if (shown.mode === "pages") go(to); else goToFigure(to);
}

export function listen() {
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
  for (const [id, typed] of [["figure", figureTyped], ["where", whereTyped],
    ["order-box", orderTyped]]) {
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
    const where = whereAfterChoosing(shown.where, button.dataset, event.shiftKey);
    present({ ...askedOf(shown), where, page: 1n }, "push");
    giveBack(button);
  });
  element("family").addEventListener("change", (event) => {
    const family = families.findIndex((f) => f.name === event.target.value);
    present({ ...askedOf(shown), family, order: families[family].usual, page: 1n }, "push");
    giveBack(event.target);
  });
  element("order").addEventListener("change", (event) => {
    // Page 1 where the order has pages; a random tiling's has none.
    const order = Number(event.target.value);
    present({ ...askedOf(shown), order, page: order <= families[shown.family].largest ? 1n : null, zoom: null },
      "push");
    giveBack(event.target);
  });
  for (const id of ["family", "order", "style", "palette"]) {
    // Enter on a select chooses, whether or not anything changed.
    element(id).addEventListener("keydown", (event) => {
      if (event.key === "Enter") focusPage();
    });
  }
  element("paths").addEventListener("change", (event) => {
    present({ ...askedOf(shown), paths: event.target.checked, figure: shown.figure,
      seed: shown.seed, glauber: shown.glauber }, "push");
    giveBack(event.target);
  });
  element("arctic").addEventListener("change", (event) => {
    present({ ...askedOf(shown), arctic: event.target.checked, seed: shown.seed, glauber: shown.glauber },
      "push");
    giveBack(event.target);
  });
  for (const id of ["style", "palette"]) {
    element(id).addEventListener("change", (event) => {
      present({ ...askedOf(shown), [id]: event.target.value, figure: shown.figure,
        seed: shown.seed, glauber: shown.glauber }, "push");
      giveBack(event.target);
    });
  }
  // The downloads' cell: the canvas is not drawn again.
  element("cell").addEventListener("change", (event) => {
    const cell = downloadCell();
    if (cell === null) {
      say(`The Cell box takes a whole number of pixels from 1 to 100, or nothing for the ` +
        `family's own: ${quoted(event.target.value)} is not one.`);
      return;
    }
    say("");
    setDrawing(shown.style, shown.palette, cell);
  });
  for (const kind of ["page", "figure"]) {
    element(`${kind}-downloads`).addEventListener("click", (event) => {
      const button = event.target.closest("button");
      if (!button) return;
      download(shown, kind, Number(button.dataset.format));
      giveBack(button);
    });
  }
  for (const [id, step] of [["zoom-in", 1], ["zoom-out", -1]]) {
    element(id).addEventListener("click", (event) => {
      zoomBy(step);
      giveBack(event.currentTarget);
    });
  }
  element("cancel").addEventListener("click", () => {
    cancelDrawing();
    focusPage();
  });
  element("zoom-whole").addEventListener("click", (event) => {
    view(null);
    giveBack(event.currentTarget);
  });
  element("present").addEventListener("click", enterSlides);
  listenToSlides();
  trackKeys();
  document.addEventListener("keydown", pageKey);
  // The large figure follows the room it has.
  window.addEventListener("resize", () => {
    if (shown !== null) showSelectedLarge();
  });
  const stage = element("stage");
  stage.addEventListener("wheel", (event) => {
    if (shown?.mode !== "random") return;
    event.preventDefault();
    zoomBy(event.deltaY < 0 ? 1 : -1);
  }, { passive: false });
  // A drag moves a zoomed window, by the page's own pixels; with a second
  // finger down it is a pinch, and nothing is dragged.
  let dragged = null;
  const down = new Set();
  stage.addEventListener("pointerdown", (event) => {
    down.add(event.pointerId);
    dragged = shown?.mode === "random" && shown.zoom !== null && down.size === 1
      ? [event.clientX, event.clientY] : null;
  });
  for (const type of ["pointerup", "pointercancel"]) {
    stage.addEventListener(type, (event) => {
      down.delete(event.pointerId);
      dragged = null;
    });
  }
  stage.addEventListener("pointermove", (event) => {
    if (dragged === null || (event.buttons & 1) === 0) return;
    const scale = 800 / stage.getBoundingClientRect().width;
    const [dx, dy] = [(dragged[0] - event.clientX) * scale, (dragged[1] - event.clientY) * scale];
    // Moved by whole cells; what is left over waits for the next move.
    if (Math.abs(dx) < shown.zoom.cell && Math.abs(dy) < shown.zoom.cell) return;
    dragged = [event.clientX, event.clientY];
    panBy(dx, dy);
  });
  stage.addEventListener("pointermove", selectAt);
  stage.addEventListener("pointerdown", selectAt);
  // Two fingers on a random tiling zoom it, a step each time the distance
  // between them grows or shrinks by half as much again.
  let pinched = null;
  const apart = (touches) => Math.hypot(touches[0].clientX - touches[1].clientX,
    touches[0].clientY - touches[1].clientY);
  stage.addEventListener("touchmove", (event) => {
    if (pinched === null || event.touches.length !== 2) return;
    event.preventDefault();
    const now = apart(event.touches);
    if (now > pinched * 1.5 || now < pinched / 1.5) {
      zoomBy(now > pinched ? 1 : -1);
      pinched = now;
    }
  }, { passive: false });
  // A swipe across the page turns it; a short or mostly upright one does not.
  let touchStart = null;
  stage.addEventListener("touchstart", (event) => {
    touchStart = event.touches.length === 1 ? event.touches[0] : null;
    pinched = shown?.mode === "random" && event.touches.length === 2 ? apart(event.touches) : null;
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
}
