// The explorer's page (explore.html): it asks the module (explore_core.js,
// the programs' own C++) for one page at a time, or one figure alone, and
// shows it; keeps what is shown in the URL; selects the figure under the
// pointer or from the keyboard; filters the pages by the figures'
// statistics; and makes every download in the browser. Families, orders
// and formats are the module's. Nothing runs while the page waits: no
// timer, no animation loop, only listeners (and domino shuffling's timer
// while it plays).
//
// The entry: once the module has started, the controls made from what it
// holds, listened to, and what the address asks for shown.
import { askedByAddress, enterEntry, settleEntry } from "./address.js";
import { listen } from "./controls.js";
import { keepSharp, whenStarted } from "./core.js";
import { addButtons } from "./downloads.js";
import { listChoices, present, shown, whenShown } from "./show.js";
import { listenToReading } from "./reading.js";
import { listenToShuffling } from "./shuffling.js";
import { listenToTurns } from "./turns.js";
import { listenToMoves } from "./moves.js";

function showAddress(history) {
  const { asked, problems } = askedByAddress();
  present(asked, history, problems);
}

function start() {
  listChoices();
  addButtons();
  listen();
  listenToShuffling();
  listenToReading();
  listenToTurns();
  listenToMoves();
  window.addEventListener("popstate", (event) => {
    enterEntry(event.state);
    showAddress("none");
  });
  showAddress("none");
  whenShown(() => settleEntry(shown));
}

keepSharp();
whenStarted(start);
