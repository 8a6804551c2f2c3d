// When the page holds the game still: while the page is hidden (another
// tab, a minimised window, a locked phone), and while it has not the
// keyboard (the player clicked the page around a game portal's frame, or
// another window). The page (page.js) holds the game and its sound then.

const changed = [];  // called whenever the page is held or let go
// Whether the keys the player types reach this page: it has the focus, or
// a key or a press has just come to it (a browser with no window of its own
// in front may never say that it has the focus). A page in another's frame
// (a game portal's) takes the keyboard only once the player has touched the
// frame, whatever the engine says of its focus at first.
let keyboard = window === window.top && document.hasFocus();

export function has_keyboard() {
  return keyboard;
}

// Whether the game is to hold still.
export function held() {
  return document.hidden || !has_keyboard();
}

// Calls back with held() whenever the page is held or let go.
export function on_hold(callback) {
  changed.push(callback);
}

function look_again() {
  const now = held();
  for (const callback of changed) callback(now);
}

// The page has the keyboard, or not.
function take_keyboard(now) {
  if (keyboard === now) return;
  keyboard = now;
  look_again();
}

document.addEventListener('visibilitychange', look_again);
window.addEventListener('focus', () => take_keyboard(true));
window.addEventListener('blur', () => take_keyboard(false));
for (const pressed of ['keydown', 'pointerdown'])
  window.addEventListener(pressed, () => take_keyboard(true), true);
