// The statistics panel: for each statistic, each value's count among the
// figures of the order that the filter keeps, with a bar, and a button
// that keeps only the figures of that value; then two statistics chosen
// at once, a table of the figures by both values, each cell shaded by its
// count and a button that keeps only the figures of that pair; and the
// filter those buttons make. The values are those the figures of the whole
// order have (values no figure has left out, as the exporters' --counts
// leaves them), so that the tables keep their shape as the filter
// changes, a value the filter leaves out counted 0.
import { counts, jointCounts, statistics } from "./core.js";
import { plural } from "./words.js";

// What the panel was built for (the family, the order and the two
// statistics of its table), and counted for (with the filter).
let panelOf = null;
let countedOf = null;
let shownWhere = "";
const pair = [0, 1];

function headCell(row, text) {
  const cell = document.createElement("th");
  cell.scope = "col";
  cell.textContent = text;
  row.append(cell);
}

// A value's button: its statistic and value, and for a pair the second's.
function valueButton(text, choice) {
  const button = document.createElement("button");
  button.type = "button";
  button.textContent = text;
  Object.assign(button.dataset, choice);
  return button;
}

const largest = (all) => all.reduce((high, count) => (BigInt(count) > high ? BigInt(count) : high), 1n);

// A statistic's table: a row for each value the order's figures have, its
// count and its bar filled in by countTable.
function statisticTable(family, order, statistic) {
  const name = statistics[statistic];
  const table = document.createElement("table");
  table.createCaption().textContent = name;
  const head = table.createTHead().insertRow();
  for (const title of ["value", "figures", ""]) headCell(head, title);
  const body = table.createTBody();
  counts(family, order, statistic, false).forEach((whole, value) => {
    if (whole === "0") return;
    const row = body.insertRow();
    const cell = document.createElement("th");
    cell.scope = "row";
    cell.append(valueButton(String(value), { statistic: name, value: String(value) }));
    row.append(cell);
    row.insertCell().className = "count";
    const bar = row.insertCell();
    bar.className = "bar";
    bar.setAttribute("aria-hidden", "true");
    bar.append(document.createElement("span"));
  });
  return table;
}

function countTable(table, family, order, statistic) {
  const name = statistics[statistic];
  const kept = counts(family, order, statistic, true);
  const most = largest(kept);
  for (const row of table.tBodies[0].rows) {
    const button = row.cells[0].firstChild;
    const count = kept[Number(button.dataset.value)] ?? "0";
    button.setAttribute("aria-label", `${name} ${button.dataset.value}: ${plural(count, "figure")}`);
    row.cells[1].textContent = count;
    row.cells[2].firstChild.style.width = `${Number(BigInt(count) * 1000n / most) / 10}%`;
  }
}

// The rows, or the columns, of a table that hold any figure.
function heldRows(table) {
  return table.flatMap((row, value) => (row.some((count) => count !== "0") ? [value] : []));
}
function heldColumns(table) {
  return (table[0] ?? []).flatMap((_, value) =>
    (table.some((row) => row[value] !== "0") ? [value] : []));
}

// The table of two statistics: a row a value of the first, a column a
// value of the second, each that the order's figures have; a button in
// each cell that they have, the others a plain 0.
function pairTable(family, order) {
  const [first, second] = pair.map((statistic) => statistics[statistic]);
  const whole = jointCounts(family, order, pair[0], pair[1], false);
  const columns = heldColumns(whole);
  const table = document.createElement("table");
  table.className = "pair";
  table.createCaption().textContent = `${first} (rows) by ${second} (columns)`;
  const head = table.createTHead().insertRow();
  headCell(head, `${first} \\ ${second}`);
  for (const column of columns) headCell(head, String(column));
  const body = table.createTBody();
  for (const row of heldRows(whole)) {
    const line = body.insertRow();
    const name = document.createElement("th");
    name.scope = "row";
    name.textContent = String(row);
    line.append(name);
    for (const column of columns) {
      const cell = line.insertCell();
      if (whole[row][column] === "0") {
        cell.textContent = "0";
        continue;
      }
      cell.append(valueButton("", { statistic: first, value: String(row), second,
        secondValue: String(column) }));
    }
  }
  return table;
}

// Each button's count, its name, and its shade: as its count is to the
// largest, by the square root, so that small counts show.
function countPair(table, family, order) {
  const kept = jointCounts(family, order, pair[0], pair[1], true);
  const most = largest(kept.flat());
  for (const button of table.querySelectorAll("button")) {
    const { statistic, value, second, secondValue } = button.dataset;
    const count = kept[Number(value)]?.[Number(secondValue)] ?? "0";
    button.textContent = count;
    button.setAttribute("aria-label",
      `${statistic} ${value}, ${second} ${secondValue}: ${plural(count, "figure")}`);
    const shade = count === "0" ? 0 : 0.08 + 0.92 * Math.sqrt(Number(BigInt(count) * 1000n / most) / 1000);
    button.style.background = `rgba(28, 113, 216, ${shade.toFixed(3)})`;
    button.style.color = shade > 0.55 ? "#fff" : "#222";
  }
}

// The two statistics' choice, each a list of the statistics; choosing the
// other's swaps them.
function pairChoice(changed) {
  const choice = document.createElement("p");
  choice.className = "controls";
  ["Rows", "Columns"].forEach((title, side) => {
    const label = document.createElement("label");
    label.textContent = `${title} `;
    const select = document.createElement("select");
    select.id = `pair-${side === 0 ? "rows" : "columns"}`;
    statistics.forEach((name, statistic) => select.add(new Option(name, String(statistic))));
    select.value = String(pair[side]);
    select.addEventListener("change", () => {
      const chosen = Number(select.value);
      if (chosen === pair[1 - side]) pair[1 - side] = pair[side];
      pair[side] = chosen;
      changed();
    });
    label.append(select);
    choice.append(label);
  });
  return choice;
}

// Built once for each family, order and pair of statistics, and counted
// again for each filter in place: a button keeps the keyboard's focus as
// the filter it chose is shown.
export function fillPanel(family, order, where) {
  const tables = document.getElementById("tables");
  shownWhere = where;
  if (panelOf !== `${family}/${order}/${pair}`) {
    panelOf = `${family}/${order}/${pair}`;
    countedOf = null;
    tables.textContent = "";
    statistics.forEach((name, statistic) => tables.append(statisticTable(family, order, statistic)));
    const both = document.createElement("div");
    both.id = "pair";
    both.append(pairChoice(() => {
      both.querySelector("table").replaceWith(pairTable(family, order));
      panelOf = `${family}/${order}/${pair}`;
      both.querySelectorAll("select").forEach((select, side) => { select.value = String(pair[side]); });
      countPair(both.querySelector("table"), family, order);
      markPanel(shownWhere);
    }), pairTable(family, order));
    tables.append(both);
  }
  if (countedOf === `${panelOf}/${where}`) return;
  countedOf = `${panelOf}/${where}`;
  tables.querySelectorAll(":scope > table").forEach((table, statistic) => countTable(table, family, order, statistic));
  countPair(tables.querySelector("#pair table"), family, order);
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

// Whether the filter keeps exactly `value` of `statistic` and no other.
const exactly = (conditions, statistic, value) => {
  const own = conditions.filter((c) => c.statistic === statistic);
  return own.length > 0 && own.every((c) => c.low === value && c.high === value);
};

// The values the filter `where` keeps, pressed: a value of one statistic
// when every condition on it holds for it, a pair when the filter keeps
// exactly those two values.
export function markPanel(where) {
  const conditions = conditionsOf(where);
  for (const button of document.getElementById("tables").querySelectorAll("button")) {
    const { statistic, second } = button.dataset;
    const value = Number(button.dataset.value);
    const own = conditions.filter((c) => c.statistic === statistic);
    const pressed = second === undefined
      ? own.length > 0 && own.every((c) => c.low <= value && value <= c.high)
      : exactly(conditions, statistic, value) &&
        exactly(conditions, second, Number(button.dataset.secondValue));
    button.setAttribute("aria-pressed", String(pressed));
  }
}

// The filter `where` after a button of the panel is chosen (its data:
// a statistic and value, and for a pair the second's): a value alone, or
// again for none of it, or with Shift the range from the value chosen
// before; a pair both values, or again neither. The other statistics'
// conditions stay.
let rangeFrom = null;
export function whereAfterChoosing(where, choice, extend) {
  const conditions = conditionsOf(where);
  const { statistic, second } = choice;
  const value = Number(choice.value);
  if (second !== undefined) {
    const secondValue = Number(choice.secondValue);
    const again = exactly(conditions, statistic, value) && exactly(conditions, second, secondValue);
    const at = conditions.findIndex((c) => c.statistic === statistic || c.statistic === second);
    const others = conditions.filter((c) => c.statistic !== statistic && c.statistic !== second);
    if (!again) {
      others.splice(at < 0 ? others.length : at, 0, { statistic, low: value, high: value },
        { statistic: second, low: secondValue, high: secondValue });
    }
    rangeFrom = null;
    return whereOf(others);
  }
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
