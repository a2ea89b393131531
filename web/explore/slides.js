// The presentation: one figure at a time over the whole screen, as large
// as it allows, with its number, steps and statistics in large type; → and
// ← (or a swipe) step through the family's figures in their order, or the
// filter's, turning pages as they must; Escape leaves. The address says
// which figure is shown and that it is a slide (slide=1), so a link opens
// the same slide: browsers give full screen only for a key or a tap, so
// such a slide asks for it again on the first one.
import { writeAddress } from "./address.js";
import { figureNumber, pageFigureCount, paintLarge } from "./core.js";
import { setHidden } from "./focus.js";
import { go, goToFigure, select, shown } from "./show.js";
import { stopReading } from "./reading.js";
import { pauseShuffling } from "./shuffling.js";
import { forgetTurns } from "./turns.js";
import { clamped } from "./words.js";

const element = (id) => document.getElementById(id);

// Whether what is shown can be presented: figures, not a random tiling.
export function presentable() {
  return shown !== null && shown.mode !== "random";
}

function fullScreen() {
  if (document.fullscreenElement || !document.documentElement.requestFullscreen) return;
  // Refused where the page was not started by a key or tap: asked again then.
  document.documentElement.requestFullscreen().catch(() => {});
}

export function enterSlides() {
  if (!presentable()) return;
  // A slide shows the family's figures: turns are forgotten, and what
  // plays under it stops.
  forgetTurns();
  stopReading();
  pauseShuffling();
  shown.slide = true;
  fullScreen();
  if (shown.mode === "pages" && shown.selected < 0) select(pageFigureCount() > 0 ? 0 : -1);
  drawSlide();
  element("slide").focus();
}

// The slide over the page, or not; while it is, the page under it takes
// no focus, pointer or screen reader.
function showSlideAlone(on) {
  const slide = element("slide");
  setHidden(slide, !on);
  for (const part of document.body.children) {
    if (part !== slide && part.tagName !== "SCRIPT") part.inert = on;
  }
}

export function leaveSlides() {
  shown.slide = false;
  showSlideAlone(false);
  if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
  writeAddress("replace", shown);
  element("page").focus();
}

// The slide of the figure shown or selected, drawn again: after each step,
// and when the screen changes size.
export function drawSlide() {
  const slide = element("slide");
  // Back to an entry without a slide, or a slide left: the page again.
  if (!shown?.slide) {
    if (!slide.hidden) showSlideAlone(false);
    return;
  }
  if (slide.hidden) showSlideAlone(true);
  const index = shown.mode === "figure" ? -1 : shown.selected;
  if (index < 0 && shown.mode === "pages") {
    element("slide-said").textContent = "No figure of this order has " + shown.where + ".";
    element("slide-steps").textContent = "";
    element("slide-figure").hidden = true;
    return;
  }
  // Past the paged orders the figure's number is the address's; on a
  // page, the selected figure's number stands for the page in it.
  if (shown.mode === "pages") shown.figure = figureNumber(index);
  const selection = element("selection").textContent;
  const [, head, steps] = /^(figure [^:]*): (.*)$/.exec(selection) ?? [null, selection, ""];
  element("slide-said").textContent = `F${head.slice(1)}${shown.where === "" ? "" : ` where ${shown.where}`}`;
  element("slide-steps").textContent = steps;
  const canvas = element("slide-figure");
  const text = element("slide-words").getBoundingClientRect().height;
  const cell = paintLarge(canvas, index, [window.innerWidth - 16, window.innerHeight - text - 24]);
  canvas.hidden = cell < 0;
  canvas.dataset.cell = String(cell);
  canvas.setAttribute("aria-label", `${element("slide-said").textContent}: ${steps}`);
  writeAddress("replace", shown);
}

// The next figure (1) or the one before (-1) in the family's order, or
// the filter's: on the page, or the first of the next page, the last of
// the page before.
export function stepSlide(step) {
  if (shown.mode === "figure") {
    goToFigure(clamped(BigInt(shown.figure) + BigInt(step), 1n, BigInt(shown.total)));
    drawSlide();
    return;
  }
  const to = shown.selected + step;
  if (to >= 0 && to < pageFigureCount()) {
    select(to);
  } else if (shown.page + step >= 1 && shown.page + step <= shown.pages) {
    go(shown.page + step);
    select(step > 0 ? 0 : pageFigureCount() - 1);
  }
  drawSlide();
}

// The slide's keys, before the page's: true when the key was the slide's.
export function slideKey(event) {
  if (!shown?.slide) return false;
  fullScreen();
  const steps = { ArrowRight: 1, PageDown: 1, " ": 1, ArrowLeft: -1, PageUp: -1 };
  if (event.key === "Escape") leaveSlides();
  else if (event.key in steps) stepSlide(steps[event.key]);
  else return event.key !== "Tab";
  event.preventDefault();
  return true;
}

export function listenToSlides() {
  const slide = element("slide");
  element("leave-slides").addEventListener("click", leaveSlides);
  element("next-slide").addEventListener("click", () => stepSlide(1));
  element("previous-slide").addEventListener("click", () => stepSlide(-1));
  window.addEventListener("resize", drawSlide);
  // Leaving full screen (the browser's own Escape) leaves the slides too.
  document.addEventListener("fullscreenchange", () => {
    if (!document.fullscreenElement && shown?.slide) leaveSlides();
  });
  let touchStart = null;
  slide.addEventListener("touchstart", (event) => {
    touchStart = event.touches.length === 1 ? event.touches[0] : null;
  }, { passive: true });
  slide.addEventListener("touchend", (event) => {
    fullScreen();
    if (!touchStart || event.changedTouches.length !== 1) return;
    const dx = event.changedTouches[0].clientX - touchStart.clientX;
    const dy = event.changedTouches[0].clientY - touchStart.clientY;
    touchStart = null;
    if (Math.abs(dx) >= 50 && Math.abs(dx) >= 2 * Math.abs(dy)) stepSlide(dx < 0 ? 1 : -1);
  });
}
