// The downloads: a row of buttons, one a format, for what is shown and for
// the selected figure, named for screen readers by what they download; and
// each file, written by the module as the exporters write it (an image's
// pixels encoded by the browser), named for what it holds.
import { families, formats, palettes, rerun, styles, writeFile } from "./core.js";
import { fileOfLarge } from "./large.js";
import { setDisabled, setHidden } from "./focus.js";
import { say } from "./words.js";

let lastDownload = null;

// The cell the downloads are drawn at, from the Cell box: 0 (the family's
// own) when it is empty, null when it holds no size a file can have.
export function downloadCell() {
  const text = document.getElementById("cell").value.trim();
  if (text === "") return 0;
  return /^[0-9]+$/.test(text) && Number(text) >= 1 && Number(text) <= 100 ? Number(text) : null;
}

export function addButtons() {
  formats.forEach(({ label }, format) => {
    for (const kind of ["page", "figure"]) {
      const button = document.createElement("button");
      button.type = "button";
      button.dataset.download = kind;
      button.dataset.format = String(format);
      button.textContent = label;
      document.getElementById(`${kind}-downloads`).append(button);
    }
  });
}

// The first row names what is shown in `mode`: a page, figure `figure`
// alone, or a random tiling; the second is there only with pages.
export function nameDownloads(mode, figure) {
  document.getElementById("page-downloads-name").textContent =
    { pages: "This page:", figure: "This figure:", random: "This tiling:" }[mode];
  const what = { pages: "This page", figure: `Figure ${figure}`, random: "This tiling" }[mode];
  for (const button of document.querySelectorAll("[data-download=page]")) {
    button.setAttribute("aria-label", `${what} as ${button.textContent}`);
  }
  setHidden(document.getElementById("figure-downloads"), mode !== "pages");
}

// The selected figure's row, for figure `number`, or none (null).
export function nameSelected(number) {
  const figure = number === null ? "The selected figure" : `Figure ${number}`;
  for (const button of document.querySelectorAll("[data-download=figure]")) {
    setDisabled(button, number === null);
    button.setAttribute("aria-label", `${figure} as ${button.textContent}`);
  }
}

function save(blob, name) {
  if (lastDownload) URL.revokeObjectURL(lastDownload);
  lastDownload = URL.createObjectURL(blob);
  const link = document.createElement("a");
  link.href = lastDownload;
  link.download = name;
  link.click();
}

// What `state` shows, or its selected figure alone (`kind` "figure"), in
// `format`.
export function download(state, kind, format) {
  if (state.large) {
    // Written by the tiling's worker, which holds it.
    fileOfLarge({ format, image: formats[format].image, style: styles.indexOf(state.style),
      palette: palettes.indexOf(state.palette), cell: downloadCell() ?? 0 }).then((file) => {
      if (file.cancelled) return;
      deliver(state, format, file.pixels === undefined ? file
        : { ...file, image: new ImageData(new Uint8ClampedArray(file.pixels), file.width, file.height) });
    });
    return;
  }
  const index = kind === "figure" ? state.selected : -1;
  deliver(state, format, writeFile(format, index));
  if (index >= 0) rerun(state);
}

// A file written, saved under its name; or why it could not be.
function deliver(state, format, file) {
  if (file.failure !== undefined) {
    say("The file could not be made: " + file.failure + ".");
    return;
  }
  const name = `${families[state.family].name}-order-${state.order}-${file.stem}.` +
    formats[format].extension;
  if (file.image) {
    const canvas = document.createElement("canvas");
    canvas.width = file.image.width;
    canvas.height = file.image.height;
    canvas.getContext("2d").putImageData(file.image, 0, 0);
    canvas.toBlob((blob) => save(blob, name), formats[format].type);
  } else {
    save(new Blob([file.bytes], { type: formats[format].type }), name);
  }
}
