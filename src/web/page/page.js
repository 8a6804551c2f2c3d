// The page around the game: loads it, lays the page out (layout.js), hands
// it the player's presses (input.js), allows sound with the first of them,
// holds the game while the page is hidden, shows what the game prints, and
// offers another game once the player has answered n.
import { fit as fit_page } from './layout.js';
import { start_input } from './input.js';
import { keep_for_offline, take_newer_build } from './offline.js';
import { panel, prompt } from './field.js';

const canvas = document.getElementById('screen');
const context = canvas.getContext('2d');  // the one context the game and the page draw with
const status = document.getElementById('status');
const messages = document.getElementById('messages');
const again = document.getElementById('again');
const fold = document.getElementById('fold');
const fullscreen = document.getElementById('fullscreen');
const gate = document.getElementById('gate');
let game = null;            // the game's module, once it has loaded
let running = false;        // the game takes keys
let ended = false;          // the player has quit and may play again
let failed = false;         // the game could not start or stopped
let gated = false;          // waiting for the key or tap that allows sound
let swallow = false;        // the press that opened the gate is not the game's
let touch = navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches;
let unfolded = false;       // the player opened the folded text
let audio = null;           // the page's sound, for the game's samples

function fit() {
  fit_page(touch, unfolded || !running || failed);
}

function say(text) {
  status.textContent = text;
  fit();
}

// Says why the game cannot go on; the first reason is the one that counts.
function fail(text) {
  running = false;
  again.hidden = true;
  if (!failed) say(text);
  failed = true;
  status.className = 'failed';
  fit();
}

// The page's sound, made at once so that it can tell whether the browser
// allows sound before the player has done anything.
function make_audio() {
  const Context = window.AudioContext || window.webkitAudioContext;
  if (Context) audio = new Context();
}

// Whether sound is allowed already (an installed app, a browser set to
// allow it); a page without Web Audio plays on, silent.
function sound_allowed() {
  if (navigator.getAutoplayPolicy) return navigator.getAutoplayPolicy('audiocontext') === 'allowed';
  return !audio || audio.state === 'running';
}

// Once the game has loaded: where the browser does not yet allow sound, a
// line over the black field asks for a key or a tap first, so that the
// title comes with its chime; otherwise the title comes at once.
function begin() {
  if (sound_allowed()) return play();
  gated = true;
  gate.hidden = false;
}

// Browsers start sound only after the player has done something; the
// press that opens the gate starts the game and goes no further. A
// browser whose sound never starts plays on, silent.
function wake() {
  if (audio && audio.state === 'suspended' && !document.hidden) audio.resume();
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

// While the page is hidden the game holds still in its wait (its sleep
// does not return while pageHidden says so), and its sound is silent.
document.addEventListener('visibilitychange', () => {
  if (!audio) return;
  if (document.hidden) audio.suspend();
  else audio.resume();
});

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
  again.focus();
}

function play() {
  running = true;
  ended = false;
  again.hidden = true;
  messages.hidden = true;
  messages.textContent = '';
  say('');
  canvas.focus();
  new Promise((resolve) => {
    resolve(game.ccall('main', 'number', ['number', 'number'], [0, 0], { async: true }));
  }).then(game_ended, (e) => {
    // The game leaves with exit() after a message such as a bad configuration.
    if (e && e.name === 'ExitStatus') game_ended();
    else fail('Vorlix stopped: ' + e + '.');
  });
}

again.addEventListener('click', () => { wake(); play(); });
fold.addEventListener('click', () => {
  unfolded = !unfolded;
  fit();
});
canvas.addEventListener('pointerdown', () => { wake(); canvas.focus(); });
gate.addEventListener('pointerdown', wake);

// Full screen, where the browser offers it: the field then grows to the
// largest whole multiple the screen allows. Escape leaves it, as always.
if (document.fullscreenEnabled) {
  fullscreen.hidden = false;
  fullscreen.addEventListener('click', () => {
    wake();
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(() => {});
  });
  document.addEventListener('fullscreenchange', () => {
    fullscreen.textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
    fit();
    if (running) canvas.focus();
  });
}

start_input({
  press,
  wake,
  touched() {
    if (!touch) {
      touch = true;
      fit();
    }
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
      onFirstFrame: keep_for_offline,
      onAbort: (what) => fail('Vorlix could not start: ' + what + '.'),
      setStatus: (text) => { if (!running && text) say(text); },
      pageHidden: () => document.hidden
    });
  } catch (e) {
    return fail('Vorlix could not start: ' + e + '.');
  }
  begin();
}

fit();
canvas.focus();
if (typeof WebAssembly !== 'object') {
  fail('This browser cannot run WebAssembly, which Vorlix needs.');
} else {
  make_audio();
  await take_newer_build(say);
  load();
}
