// The page around the game: loads it, lays the page out (layout.js), hands
// it the player's presses (input.js), allows sound with the first of them
// (sound.js), holds the game while the page is hidden or has not the
// keyboard (hold.js), says in words what the game waits for, shows what the
// game prints, and offers another game once the player has answered n.
import { fit as fit_page } from './layout.js';
import { start_input } from './input.js';
import { keep_for_offline, take_waiting_build } from './offline.js';
import { awaited, field, panel, prompt } from './constants.js';
import { audio, hold_sound, sound_allowed, sound_running, wake_sound } from './sound.js';
import { has_keyboard, held, on_hold, when_going_on } from './hold.js';

const el = (id) => document.getElementById(id);
const canvas = el('screen'), status = el('status'), messages = el('messages');
const gate = el('gate'), again = el('again'), fold = el('fold'), fullscreen = el('fullscreen');
canvas.width = field.width;
canvas.height = field.height;
const context = canvas.getContext('2d');  // the one context the game and the page draw with
let game = null;            // the game's module, once it has loaded
let running = false;        // the game takes keys
let ended = false;          // the player has quit and may play again
let failed = false;         // the game could not start or stopped
let gated = false;          // waiting for the key or tap that allows sound and starts
let swallow = false;        // the press that opened the gate is not the game's
let touch = navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches;
let unfolded = false;       // the player opened the keys and help
let waiting_for = awaited.nothing;  // what the game waits for the player to do
let sound_started = null;   // settles once the sound runs, before the first title

function fit() {
  fit_page(touch, unfolded || !messages.hidden);
}

function say(text) {
  if (status.textContent !== text) status.textContent = text;
  fit();
}

// What the game waits for, in words for keys or for touch.
const waits = {
  [awaited.start]: ['Press any key to begin.', 'Tap a control to begin.'],
  [awaited.go]: ['Press any key to set the snake going.', 'Tap a control to set the snake going.'],
  [awaited.nothing]: ['Playing: s and l steer, space fires the laser.', 'Playing: Left and Right steer, Fire shoots.'],
  [awaited.answer]: ['Game over. New game? Press y or n.', 'Game over. New game? Tap Yes or No.']
};

// Says what the game waits for, or, while it holds still for want of the
// keyboard, what brings it back.
function say_state() {
  if (failed || !running) return;
  if (held() && !document.hidden) say(touch ? 'Tap to go on.' : 'Click to go on.');
  else say(waits[waiting_for][touch ? 1 : 0]);
}

// Says why the game cannot go on; the first reason is the one that counts.
function fail(text) {
  running = false;
  again.hidden = gate.hidden = true;
  if (!failed) say(text);
  failed = true;
  status.className = 'failed';
  fit();
}

// Gives the game the keyboard, unless the page has not the keyboard at all:
// in a portal's frame, the keys stay with the page around it until the
// player clicks or taps the frame.
function focus(element) {
  if (has_keyboard()) element.focus();
}

// The line that asks for a key, a tap or a click before the game starts.
function say_gate() {
  gate.textContent = has_keyboard() ? 'Press a key or tap to play' : (touch ? 'Tap to play' : 'Click to play');
  say('Ready to play.');
}

// Once the game has loaded it starts at once where the browser allows
// sound and the page has the keyboard; otherwise a line asks for a key, a
// tap or a click first, so that the title comes with its chime.
function begin() {
  if (sound_allowed() && has_keyboard()) return play();
  gated = true;
  gate.hidden = false;
  say_gate();
}

// Browsers start sound only after the player has done something; the
// press that opens the gate starts the game and goes no further. A
// browser whose sound never starts plays on, silent.
function wake() {
  wake_sound();
  if (!gated) return;
  gated = false;
  swallow = true;
  setTimeout(() => { swallow = false; }, 0);
  gate.hidden = true;
  play();
}

// A key for the game while it runs; once it has ended, y or Enter plays again.
function press(key) {
  if (swallow) return true;
  if (running) {
    game._vorlix_key(key);
    return true;
  }
  if (ended && (key === 121 || (key & 0xff) === 13)) {
    play();
    return true;
  }
  return false;
}

function show_message(text) {
  messages.hidden = false;
  messages.textContent += text + '\n';
  fit();
}

// The canvas no longer offers a new game once the game is over: the
// prompt's line is painted over in the panel's own background.
function cover_prompt() {
  const bg = context.getImageData(panel.left + 1, panel.top + 1, 1, 1).data;
  context.fillStyle = 'rgb(' + bg[0] + ',' + bg[1] + ',' + bg[2] + ')';
  context.fillRect(prompt.x, prompt.y, prompt.width, prompt.height);
}

function game_ended() {
  running = false;
  ended = true;
  cover_prompt();
  say('The game has ended.');
  again.hidden = false;
  fit();
  focus(again);
}

function play() {
  running = true;
  ended = false;
  again.hidden = true;
  messages.hidden = true;
  messages.textContent = '';
  waiting_for = awaited.nothing;
  say('Starting\u2026');
  focus(canvas);
  // The first title waits for the sound to run, so that its chime is heard.
  sound_started = sound_started || sound_running();
  sound_started.then(() => game.ccall('main', 'number', ['number', 'number'], [0, 0], { async: true }))
  .then(game_ended, (e) => {
    // The game leaves with exit() after a message such as a bad configuration.
    if (e && e.name === 'ExitStatus') game_ended();
    else fail('Vorlix stopped: ' + e + '.');
  });
}

// The game is silent while held, and says how to bring it back.
on_hold((now_held) => {
  hold_sound(now_held);
  if (gated) say_gate();
  else say_state();
});

again.addEventListener('click', () => { wake(); play(); });
fold.addEventListener('click', () => {
  unfolded = !unfolded;
  fit();
});
canvas.addEventListener('pointerdown', () => { wake(); canvas.focus(); });

// Full screen, where the browser offers it: the field then grows to the
// largest whole multiple the screen allows. Escape leaves it, as always.
// Where the page around it does not allow it, the button says so.
if ('fullscreenEnabled' in document) {
  fullscreen.hidden = false;
  if (!document.fullscreenEnabled) fullscreen.textContent = 'No full screen in this frame';
  fullscreen.addEventListener('click', () => {
    wake();
    if (!document.fullscreenEnabled) {
      el('fullscreen-note').hidden = false;
      unfolded = true;
      fit();
    } else if (document.fullscreenElement) {
      document.exitFullscreen();
    } else {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  });
  document.addEventListener('fullscreenchange', () => {
    fullscreen.textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
    fit();
    if (running) focus(canvas);
  });
}

start_input({
  press,
  wake,
  touched() {
    if (touch) return;
    touch = true;
    if (gated) say_gate();
    else say_state();
    fit();
  }
});
// The page fits itself anew to every resize, turn and zoom.
window.addEventListener('resize', fit);

window.addEventListener('error', (event) => {
  fail('Vorlix could not run: ' + (event.message || 'a file failed to load') + '.');
});
window.addEventListener('unhandledrejection', (event) => {
  fail('Vorlix could not run: ' + event.reason + '.');
});

// Loads the game's script and its WebAssembly, and starts it.
async function load() {
  let load_vorlix;
  try {
    load_vorlix = (await import('./vorlix.js')).default;
  } catch (e) {
    return fail('Vorlix could not load its script, vorlix.js.');
  }
  try {
    game = await load_vorlix({
      canvas,
      context,
      audio,
      print: show_message,
      printErr: (text) => console.warn(text),
      onFirstFrame: () => keep_for_offline(() => { el('update').hidden = false; fit(); }),
      onAbort: (what) => fail('Vorlix could not start: ' + what + '.'),
      onAwaited: (what) => { waiting_for = what; say_state(); },
      pageHeld: held,
      whenGoingOn: when_going_on
    });
  } catch (e) {
    return fail('Vorlix could not start: ' + e + '.');
  }
  begin();
}

fit();
focus(canvas);
if (typeof WebAssembly !== 'object') {
  fail('This browser cannot run WebAssembly, which Vorlix needs.');
} else {
  await take_waiting_build(say);
  load();
}
