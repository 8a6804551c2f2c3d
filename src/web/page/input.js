// Everything the player presses, turned into the game's keys: the keyboard,
// the touch controls (by finger, pen or mouse), a game pad in the standard
// mapping, and the Caps Lock note. Each press is exactly one key for the game.
import { keys } from './constants.js';

// The key as the library's readkey gives it: the character in the low byte
// and, for keys without one, the library's scan code above it. Keys with
// Ctrl, Alt or Meta, the function keys, and Tab, which moves the focus from
// control to control, stay the browser's.
const named = { Enter: 67 << 8 | 13, Escape: 59 << 8 | 27, Backspace: 63 << 8 | 8,
                Delete: 77 << 8 | 127, ArrowLeft: 82 << 8, ArrowRight: 83 << 8, ArrowUp: 84 << 8,
                ArrowDown: 85 << 8, Insert: 76 << 8, Home: 78 << 8, End: 79 << 8, PageUp: 80 << 8,
                PageDown: 81 << 8 };
const missing_glyph = 94;  // the library gives '^' for what its font lacks

function game_key(event) {
  if (event.ctrlKey || event.altKey || event.metaKey) return 0;
  const key = event.key;
  if (key.length === 1 || (key.length === 2 && key.codePointAt(0) > 0xffff)) {
    const code = key.codePointAt(0);
    return code <= 255 ? code : missing_glyph;
  }
  return named[key] || 0;
}

// The pad's buttons in the standard mapping, and the game's key each gives.
const pad_keys = [
  { key: 'fire', buttons: [0] },       // A
  { key: 'left', buttons: [4, 14] },   // LB, d-pad left
  { key: 'right', buttons: [5, 15] },  // RB, d-pad right
  { key: 'yes', buttons: [9] },        // Start
  { key: 'no', buttons: [8] }          // Back (Select)
];

// The game's key that a control or a pad's button names, as readkey gives it.
const code = (name) => keys[name].charCodeAt(0);

// Starts taking input. page: press(key) hands a key to the game (or, once
// the game has ended, takes y or Enter as Play again) and tells whether it
// took it; wake() is called on any press (it allows sound) and tells whether
// the press was the page's own (the one that opens its gate), which then goes
// no further; touched() says that the player uses touch.
export function start_input(page) {
  const caps = document.getElementById('caps');
  const note_caps = (event) => {
    if (event.getModifierState) caps.hidden = !event.getModifierState('CapsLock');
  };

  window.addEventListener('keydown', (event) => {
    note_caps(event);
    if (event.target.tagName === 'BUTTON') return;  // Enter or space on a button presses it
    const key = game_key(event);
    if (page.wake()) {
      if (key) event.preventDefault();
      return;
    }
    if (!key) return;
    if (page.press(key)) event.preventDefault();  // space must not scroll the page
  });
  window.addEventListener('keyup', note_caps);

  // A finger, pen or mouse coming down on a control is its key, once for
  // each finger; the page makes up no mouse events after a touch. A control
  // pressed with Enter or space while it has the focus is a click of no
  // pointer.
  document.addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'touch') page.touched();
    const opened = page.wake();
    const button = event.target.closest && event.target.closest('.pad button');
    if (!button) return;
    event.preventDefault();
    if (!opened) page.press(code(button.dataset.key));
  });
  document.querySelectorAll('.pad button').forEach((button) => {
    button.addEventListener('click', (event) => {
      if (event.detail !== 0) return;  // already pressed by its pointer
      if (!page.wake()) page.press(code(button.dataset.key));
    });
  });

  watch_pads(page);
}

// Polls the pads while any is connected: one key for each button that goes
// down, none while it is held. A pad that goes away is forgotten.
function watch_pads(page) {
  let held = {};  // for each pad's index, the keys whose buttons were down
  let polling = false;
  const pad_line = document.getElementById('pad-keys');

  function poll() {
    const pads = navigator.getGamepads ? Array.prototype.filter.call(navigator.getGamepads(), Boolean) : [];
    pad_line.hidden = pads.length === 0;
    if (!pads.length) {
      polling = false;
      held = {};
      return;
    }
    for (const pad of pads) {
      const before = held[pad.index] || {}, now = {};
      for (const map of pad_keys) {
        now[map.key] = map.buttons.some((b) => pad.buttons[b] && pad.buttons[b].pressed);
        if (now[map.key] && !before[map.key] && !page.wake()) page.press(code(map.key));
      }
      held[pad.index] = now;
    }
    requestAnimationFrame(poll);
  }
  function begin() {
    if (!polling) {
      polling = true;
      requestAnimationFrame(poll);
    }
  }
  window.addEventListener('gamepadconnected', begin);
  window.addEventListener('gamepaddisconnected', (event) => {
    delete held[event.gamepad.index];
    begin();  // the next poll hides the pad's line if it was the last
  });
}
