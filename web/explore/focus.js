// The keyboard's place. A control used with the pointer or Enter gives
// it back to the page, so that the page keys work again; its own keys (a
// select's arrows, a spin box's, space on a checkbox) leave it there, and
// so does a change made as the focus leaves (Tab), which is elsewhere by
// then. Space opens a select's list, where the choice is made as with the
// pointer or Enter, out of the page's sight.
let lastKey = null;

// Heard before any control's own listener, to know how it was used.
export function trackKeys() {
  document.addEventListener("pointerdown", () => { lastKey = null; }, true);
  document.addEventListener("keydown", (event) => { lastKey = event; }, true);
}

export function focusPage() {
  document.getElementById("page").focus({ preventScroll: true });
}
export function giveBack(control) {
  const ownKey = lastKey !== null && lastKey.target === control && lastKey.key !== "Enter" &&
    !(lastKey.key === " " && control.tagName === "SELECT");
  if (document.activeElement === control && !ownKey) focusPage();
}

// A disabled or hidden control drops the focus to the document's body:
// the page takes it first.
export function setDisabled(control, disabled) {
  if (disabled && document.activeElement === control) focusPage();
  control.disabled = disabled;
}
// A toggle button tells its state by its label, and to a screen reader.
export function setPressed(button, pressed, label) {
  button.textContent = label;
  button.setAttribute("aria-pressed", String(pressed));
}
export function setHidden(node, hidden) {
  if (node.hidden === hidden) return;
  if (hidden && node.contains(document.activeElement)) focusPage();
  node.hidden = hidden;
}
// A control disabled where it has the focus (Step at the last step) hands
// it to `next`, a control beside it, rather than to the document.
export function keepFocusOff(control, disabled, next) {
  const had = document.activeElement === control;
  control.disabled = disabled;
  if (disabled && had) next.focus();
}
