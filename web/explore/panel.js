// The statistics panel: for each statistic, each value's count among the
// figures of the order (values no figure has left out, as the exporters'
// --counts leaves them), and a button that keeps only the figures of that
// value; and the filter those buttons make.
import { counts, statistics } from "./core.js";
import { plural } from "./words.js";

// Counted once for each family and order.
let panelOf = null;
export function fillPanel(family, order) {
  if (panelOf === `${family}/${order}`) return;
  panelOf = `${family}/${order}`;
  const tables = document.getElementById("tables");
  tables.textContent = "";
  statistics.forEach((name, statistic) => {
    const all = counts(family, order, statistic);
    const most = all.reduce((high, count) => (BigInt(count) > high ? BigInt(count) : high), 1n);
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
    all.forEach((count, value) => {
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

// The values the filter `where` keeps, pressed.
export function markPanel(where) {
  const conditions = conditionsOf(where);
  for (const button of document.getElementById("tables").querySelectorAll("button")) {
    const value = Number(button.dataset.value);
    const own = conditions.filter((c) => c.statistic === button.dataset.statistic);
    button.setAttribute("aria-pressed",
      String(own.length > 0 && own.every((c) => c.low <= value && value <= c.high)));
  }
}

// The filter `where` after value `value` of `statistic` is chosen: that
// value alone, or again for none of it, or with Shift the range from the
// value chosen before; the other statistics' conditions stay.
let rangeFrom = null;
export function whereAfterChoosing(where, statistic, value, extend) {
  const conditions = conditionsOf(where);
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
