// The page around the game: loads it, fits the canvas to the window at a
// whole multiple of its size, hands keys to the game, unlocks sound with the
// first key or click, shows what the game prints, and offers another game
// once the player has answered n. Everything stays inside this function: the
// game's own script defines globals of its own.
(function () {
  'use strict';
  var canvas = document.getElementById('screen');
  var below = document.getElementById('below');
  var status = document.getElementById('status');
  var messages = document.getElementById('messages');
  var again = document.getElementById('again');
  var update_wait_ms = 3000;  // how long a load waits to learn of a newer build
  var running = false;
  var failed = false;
  // The game's module: its settings here, its functions once its script has run.
  var game = {
    canvas: canvas,
    print: show_message,
    printErr: function (text) { console.warn(text); },
    onRuntimeInitialized: play,
    onFirstFrame: keep_for_offline,
    onAbort: function (what) { fail('Vorlix could not start: ' + what + '.'); },
    setStatus: function (text) { if (!running && text) say(text); }
  };

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
  }

  // The largest whole multiple of the game's size that fits the window, in
  // device pixels, so that every game pixel stays a sharp square.
  function fit() {
    var ratio = window.devicePixelRatio || 1;
    var room = window.innerHeight - below.offsetHeight;
    var scale = Math.max(1, Math.floor(Math.min(window.innerWidth * ratio / canvas.width,
                                                room * ratio / canvas.height)));
    canvas.style.width = (canvas.width * scale / ratio) + 'px';
    canvas.style.height = (canvas.height * scale / ratio) + 'px';
  }

  // The key as the library's readkey gives it: the character in the low byte
  // and, for keys without one, the library's scan code above it. Keys with
  // Ctrl, Alt or Meta, and the function keys, stay the browser's.
  var named = { Enter: 67 << 8 | 13, Escape: 59 << 8 | 27, Backspace: 63 << 8 | 8, Tab: 64 << 8 | 9,
                Delete: 77 << 8 | 127, ArrowLeft: 82 << 8, ArrowRight: 83 << 8, ArrowUp: 84 << 8,
                ArrowDown: 85 << 8, Insert: 76 << 8, Home: 78 << 8, End: 79 << 8, PageUp: 80 << 8,
                PageDown: 81 << 8 };
  function game_key(event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return 0;
    var key = event.key;
    if (key.length === 1 || (key.length === 2 && key.codePointAt(0) > 0xffff)) {
      var code = key.codePointAt(0);
      return code <= 255 ? code : 94;  // the library gives '^' for what its font lacks
    }
    return named[key] || 0;
  }

  // Browsers start sound only after the player has done something.
  function unlock_sound() {
    if (!game.audio) {
      var Context = window.AudioContext || window.webkitAudioContext;
      if (Context) game.audio = new Context();
    }
    if (game.audio && game.audio.state === 'suspended') game.audio.resume();
  }

  window.addEventListener('keydown', function (event) {
    if (event.target === again) return;
    var key = game_key(event);
    if (!key) return;
    event.preventDefault();  // space must not scroll the page, nor Tab move the focus
    unlock_sound();
    if (running) game._vorlix_key(key);
  });
  canvas.addEventListener('mousedown', function () { unlock_sound(); canvas.focus(); });
  window.addEventListener('resize', fit);

  // Settles once the worker has reached the state (true) or gone redundant.
  function reached(worker, state) {
    return new Promise(function (resolve) {
      (function check() {
        if (worker.state === state || worker.state === 'redundant') resolve(worker.state === state);
        else worker.addEventListener('statechange', check, { once: true });
      })();
    });
  }

  // A page that the kept site served asks first whether there is a newer
  // build. If there is, its worker fetches all of it and takes over, and the
  // page loads again from it, before the game starts: the files of two
  // builds never mix. With no network, or none newer, the kept build plays.
  function take_newer_build() {
    var workers = navigator.serviceWorker;
    if (!workers || !workers.controller) return Promise.resolve();
    return workers.getRegistration().then(function (registration) {
      if (!registration) return;
      var asked = new Promise(function (resolve) { setTimeout(resolve, update_wait_ms); });
      return Promise.race([registration.update(), asked]).then(function () {
        var next = registration.installing || registration.waiting;
        if (!next) return;
        say('Updating Vorlix\u2026');
        return reached(next, 'installed').then(function (installed) {
          if (!installed) return;
          workers.addEventListener('controllerchange', function () { location.reload(); });
          next.postMessage('take over');
          return new Promise(function () {});  // the page loads again
        });
      });
    }).catch(function () {});
  }

  // Once the title is up, a service worker keeps the site for playing with
  // no network; registered earlier, it would slow the game's first start.
  function keep_for_offline() {
    if ('serviceWorker' in navigator)
      navigator.serviceWorker.register('sw.js').catch(function (e) {
        console.warn('Vorlix will not play offline: ' + e);
      });
  }

  function show_message(text) {
    messages.hidden = false;
    messages.textContent += text + '\n';
    fit();
  }

  function game_ended() {
    running = false;
    say('The game has ended.');
    again.hidden = false;
  }

  function play() {
    running = true;
    again.hidden = true;
    messages.hidden = true;
    messages.textContent = '';
    say('');
    canvas.focus();
    new Promise(function (resolve) {
      resolve(game.ccall('main', 'number', ['number', 'number'], [0, 0], { async: true }));
    }).then(game_ended, function (e) {
      // The game leaves with exit() after a message such as a bad configuration.
      if (e && e.name === 'ExitStatus') game_ended();
      else fail('Vorlix stopped: ' + e + '.');
    });
  }

  again.addEventListener('click', function () { unlock_sound(); play(); });

  window.addEventListener('error', function (event) {
    fail('Vorlix could not run: ' + (event.message || 'a file failed to load') + '.');
  });
  window.addEventListener('unhandledrejection', function (event) {
    fail('Vorlix could not run: ' + event.reason + '.');
  });

  fit();
  canvas.focus();
  if (typeof WebAssembly !== 'object') {
    fail('This browser cannot run WebAssembly, which Vorlix needs.');
    return;
  }

  window.Module = game;
  take_newer_build().then(function () {
    var script = document.createElement('script');
    script.src = 'vorlix.js';
    script.onerror = function () { fail('Vorlix could not load its script, vorlix.js.'); };
    document.body.appendChild(script);
  });
})();
