// The page around the game: loads it, lays the page out (layout.js), hands
// it the player's presses (input.js), allows sound with the first of them
// (sound.js), holds the game while the page is hidden or has not the
// keyboard (hold.js), says in words what the game waits for, shows what the
// game prints, and offers another game once the player has answered n.
import { fit as fit_page, on_ratio_change } from './layout.js';
import { start_input } from './input.js';
import { keep_for_offline, take_waiting_build } from './offline.js';
import { awaited, field, game_files, keys, panel, prompt } from './constants.js';
import { audio, hold_sound, sound_allowed, sound_running, start_soft_sound, wake_sound } from './sound.js';
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

// A key as the player reads it.
const key_name = (name) => keys[name] === ' ' ? 'space' : keys[name];
for (const kbd of document.querySelectorAll('kbd[data-key]')) kbd.textContent = key_name(kbd.dataset.key);

// What the game waits for, in words for keys or for touch.
const waits = {
  [awaited.start]: ['Press any key to begin.', 'Tap a control to begin.'],
  [awaited.go]: ['Press any key to set the snake going.', 'Tap a control to set the snake going.'],
  [awaited.nothing]: [`Playing: ${key_name('left')} and ${key_name('right')} steer, ${key_name('fire')} fires the laser.`,
                      'Playing: Left and Right steer, Fire shoots.'],
  [awaited.answer]: [`Game over. New game? Press ${key_name('yes')} or ${key_name('no')}.`,
                     'Game over. New game? Tap Yes or No.']
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
  keep_for_offline(show_update);
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
const enter = 13;
function press(key) {
  if (swallow) return true;
  if (running) {
    game._vorlix_key(key);
    return true;
  }
  if (ended && (key === keys.yes.charCodeAt(0) || (key & 0xff) === enter)) {
    play();
    return true;
  }
  return false;
}

// Says that a newer build waits for the next visit.
function show_update() {
  el('update').hidden = false;
  fit();
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

// The buttons work by pointer, by Enter or space while they have the focus,
// and by a click with no pointer at all (a screen reader's).
gate.addEventListener('click', wake);
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
on_ratio_change(fit);

window.addEventListener('error', (event) => {
  const what = event.message || 'a file failed to load';
  if (!game) fail_to_start(what);  // the game's data, say, which its script fetches
  else fail('Vorlix could not run: ' + what + '.');
});
window.addEventListener('unhandledrejection', (event) => {
  fail('Vorlix could not run: ' + event.reason + '.');
});

// Names the game's files that do not load, for a page that could not start
// the game: none, where they all do (the fault is in what they hold).
async function missing_files() {
  const names = Object.values(game_files);
  const found = await Promise.all(names.map((name) => fetch(name, { method: 'HEAD', cache: 'no-store' })
    .then((answer) => answer.ok, () => false)));
  return names.filter((name, i) => !found[i]);
}

// Says why the game could not start: the files that did not load, or else
// the file at fault, where it is known, and what went wrong.
async function fail_to_start(what, file) {
  const names = await missing_files();
  if (names.length) return fail('Vorlix could not load ' + names.join(', ') + '.');
  if (!file && what && /CompileError|LinkError/.test(what.name || what)) file = game_files.webassembly;
  fail('Vorlix could not ' + (file ? 'run ' + file : 'start') + ': ' + what + '.');
}

// Loads the game's script and its WebAssembly, and starts it.
async function load() {
  let load_vorlix;
  try {
    load_vorlix = (await import('./' + game_files.script)).default;
  } catch (e) {
    return fail_to_start(e, game_files.script);
  }
  try {
    game = await load_vorlix({
      canvas,
      context,
      audio,
      startSoftSound: start_soft_sound,
      print: show_message,
      printErr: (text) => console.warn(text),
      onFirstFrame: () => keep_for_offline(show_update),
      onAbort: (what) => fail_to_start(what),
      onAwaited: (what) => { waiting_for = what; say_state(); },
      pageHeld: held,
      whenGoingOn: when_going_on
    });
  } catch (e) {
    return fail_to_start(e);
  }
  begin();
}

async function start() {
  fit();
  focus(canvas);
  if (typeof WebAssembly !== 'object') return fail('This browser cannot run WebAssembly, which Vorlix needs.');
  await take_waiting_build(say);
  load();
}

start();
// The page says for itself what fails from now on; until here, the page's
// first script (in index.html) said it, and says it should this line never
// run (the script did not load whole).
document.body.dataset.page = 'running';
