// The pieces of the explorer's sentences, and the sentence above the page.
// Figure numbers and seeds may be past what a JavaScript number holds:
// they are decimal text, and BigInt where they are compared.
//
// Failures are told by the page's own classic script (explore.html), which
// runs where no ES module does (a page opened from a file) and keeps the
// first failure told (explorerFailed): after one, nothing else is said.
export function say(text) {
  if (!explorerFailed) document.getElementById("message").textContent = text;
}

export function plural(count, word) {
  return `${count} ${word}${String(count) === "1" ? "" : "s"}`;
}
export function capital(text) {
  return text[0].toUpperCase() + text.slice(1);
}

// The whole number a text states in digits, of any length, or null.
export function wholeNumber(text) {
  return /^[0-9]+$/.test(text) ? BigInt(text) : null;
}

// What the user wrote, as a sentence quotes it: a long text by its start.
export function briefly(text) {
  const whole = String(text);
  return whole.length > 24 ? `${whole.slice(0, 24)}…` : whole;
}
export function quoted(text) {
  return `"${briefly(text)}"`;
}

export function clamped(number, low, high) {
  return number < low ? low : number > high ? high : number;
}
