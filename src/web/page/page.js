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
import { has_keyboard, held, on_hold } from './hold.js';

const el = (id) => document.getElementById(id);
const canvas = el('screen'), status = el('status'), messages = el('messages');
const gate = el('gate'), again = el('again'), fold = el('fold'), fullscreen = el('fullscreen');
canvas.width = field.width;
canvas.height = field.height;
const context = canvas.getContext('2d');  // the one context the game and the page draw with
let game = null;            // the game's module, once it has loaded
let touch = navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches;
let unfolded = false;       // the player opened the keys and help
let sound_started = null;   // settles once the sound runs, before the first title

// What the page waits for, the one value from which its line, its buttons
// and the game's hold follow. waits is one of:
//   loading   the game's files (line: what the page does meanwhile)
//   gate      the key, tap or click that allows sound and starts the game
//   starting  the game's start, and its sound's
//   title, go, play, answer   what the game waits for (it says, tell_awaited)
//   held      the page is hidden or has not the keyboard, and the game holds
//             still (back: what it waited for before)
//   ended     the player has quit, and may play again
//   failed    the game could not start or stopped (line: why)
let state = { waits: 'loading', line: status.textContent };
const running = (waits) => ['starting', 'title', 'go', 'play', 'answer', 'held'].includes(waits);
let going_on = [];  // the game's waits for the hold to end

// The game's waits, as it tells them, by the page's names.
const told = { [awaited.start]: 'title', [awaited.go]: 'go', [awaited.nothing]: 'play',
               [awaited.answer]: 'answer' };

function fit() {
  fit_page(touch, unfolded || !messages.hidden);
}

// A key as the player reads it.
const key_name = (name) => keys[name] === ' ' ? 'space' : keys[name];
for (const kbd of document.querySelectorAll('kbd[data-key]')) kbd.textContent = key_name(kbd.dataset.key);

// The line for each state, for keys or for touch.
const lines = {
  gate: ['Ready to play.', 'Ready to play.'],
  starting: ['Starting\u2026', 'Starting\u2026'],
  title: ['Press any key to begin.', 'Tap a control to begin.'],
  go: ['Press any key to set the snake going.', 'Tap a control to set the snake going.'],
  play: [`Playing: ${key_name('left')} and ${key_name('right')} steer, ${key_name('fire')} fires the laser.`,
         'Playing: Left and Right steer, Fire shoots.'],
  answer: [`Game over. New game? Press ${key_name('yes')} or ${key_name('no')}.`,
           'Game over. New game? Tap Yes or No.'],
  held: ['Click to go on.', 'Tap to go on.'],
  ended: ['The game has ended.', 'The game has ended.']
};

// The line the page shows in a state: a hidden page's is what the game
// waits for once it is seen again.
function line_of(s) {
  if (s.line !== undefined) return s.line;
  if (s.waits === 'held' && document.hidden) return line_of(s.back);
  return lines[s.waits][touch ? 1 : 0];
}

// Shows the state: the line and the buttons that go with it.
function show() {
  const text = line_of(state);
  if (status.textContent !== text) status.textContent = text;
  status.className = state.waits === 'failed' ? 'failed' : '';
  gate.hidden = state.waits !== 'gate';
  gate.textContent = has_keyboard() ? 'Press a key or tap to play' : (touch ? 'Tap to play' : 'Click to play');
  again.hidden = state.waits !== 'ended';
  fit();
}

// Moves the page to a state. A running game that the page holds is held at
// once, and silent while held; a failure is final, and its first reason the
// one that counts.
function to(waits, details = {}) {
  if (state.waits === 'failed') return;
  let next = { waits, ...details };
  if (running(waits) && waits !== 'held' && held()) next = { waits: 'held', back: next };
  const was_held = state.waits === 'held', now_held = next.waits === 'held';
  state = next;
  show();
  if (was_held === now_held) return;
  hold_sound(now_held);
  if (now_held) return;
  const waiting = going_on;
  going_on = [];
  for (const resolve of waiting) resolve();
}

// The game holds still while the page holds it (Module.pageHeld), and its
// wait settles once the page lets it go on (Module.whenGoingOn).
const game_held = () => state.waits === 'held';
const when_going_on = () => game_held() ? new Promise((resolve) => going_on.push(resolve)) : Promise.resolve();

// What the game now waits for; a game held meanwhile goes back to it.
function game_waits(what) {
  if (state.waits === 'held') to('held', { back: { waits: told[what] } });
  else if (running(state.waits)) to(told[what]);
}

// Says why the game cannot go on.
function fail(text) {
  to('failed', { line: text });
}

// Gives the game the keyboard, unless the page has not the keyboard at all:
// in a portal's frame, the keys stay with the page around it until the
// player clicks or taps the frame.
function focus(element) {
  if (has_keyboard()) element.focus();
}

// Once the game has loaded it starts at once where the browser allows
// sound and the page has the keyboard; otherwise a line asks for a key, a
// tap or a click first, so that the title comes with its chime.
function begin() {
  if (sound_allowed() && has_keyboard()) return play();
  to('gate');
  keep_for_offline(show_update);
}

// Browsers start sound only after the player has done something; the
// press that opens the gate starts the game and goes no further: wake()
// tells whether this press was it. A browser whose sound never starts
// plays on, silent.
function wake() {
  wake_sound();
  if (state.waits !== 'gate') return false;
  play();
  return true;
}

// A key for the game while it runs; once it has ended, y or Enter plays again.
const enter = 13;
function press(key) {
  if (running(state.waits)) {
    game._vorlix_key(key);
    return true;
  }
  if (state.waits === 'ended' && (key === keys.yes.charCodeAt(0) || (key & 0xff) === enter)) {
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
  if (state.waits === 'failed') return;
  cover_prompt();
  to('ended');
  focus(again);
}

function play() {
  messages.hidden = true;
  messages.textContent = '';
  to('starting');
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

// The page holds the game still while it is hidden or has not the keyboard,
// and lets it go on where it was once it has it again.
on_hold((now_held) => {
  if (now_held && running(state.waits) && state.waits !== 'held') to('held', { back: state });
  else if (!now_held && state.waits === 'held') to(state.back.waits, state.back);
  else show();
});

// The buttons work by pointer, by Enter or space while they have the focus,
// and by a click with no pointer at all (a screen reader's).
gate.addEventListener('click', wake);
again.addEventListener('click', () => { wake_sound(); play(); });
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
    if (running(state.waits)) focus(canvas);
  });
}

start_input({
  press,
  wake,
  touched() {
    if (touch) return;
    touch = true;
    show();
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
      onAwaited: game_waits,
      pageHeld: game_held,
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
  await take_waiting_build((line) => to('loading', { line }));
  load();
}

start();
// The page says for itself what fails from now on; until here, the page's
// first script (in index.html) said it, and says it should this line never
// run (the script did not load whole).
document.body.dataset.page = 'running';
