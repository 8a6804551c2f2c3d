// The page around the game: loads it, lays the page out (layout.js), hands
// it the player's presses (input.js), allows sound with the first of them,
// holds the game while the page is hidden, shows what the game prints, and
// offers another game once the player has answered n. Everything stays
// inside this function: the game's own script defines globals of its own.
(function () {
  'use strict';
  var canvas = document.getElementById('screen');
  var status = document.getElementById('status');
  var messages = document.getElementById('messages');
  var again = document.getElementById('again');
  var fold = document.getElementById('fold');
  var fullscreen = document.getElementById('fullscreen');
  var update_wait_ms = 3000;  // how long a load waits to learn of a newer build
  var running = false;        // the game takes keys
  var ended = false;          // the player has quit and may play again
  var failed = false;         // the game could not start or stopped
  var gated = false;          // waiting for the key or tap that allows sound
  var swallow = false;        // the press that opened the gate is not the game's
  var touch = navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches;
  var unfolded = false;       // the player opened the folded text
  // The game's module: its settings here, its functions once its script has run.
  var game = {
    canvas: canvas,
    print: show_message,
    printErr: function (text) { console.warn(text); },
    onRuntimeInitialized: begin,
    onFirstFrame: keep_for_offline,
    onAbort: function (what) { fail('Vorlix could not start: ' + what + '.'); },
    setStatus: function (text) { if (!running && text) say(text); },
    pageHidden: function () { return document.hidden; }
  };

  function fit() {
    return VorlixLayout.fit(touch, unfolded || !running || failed);
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
    var Context = window.AudioContext || window.webkitAudioContext;
    if (Context) game.audio = new Context();
  }

  // Whether sound is allowed already (an installed app, a browser set to
  // allow it); a page without Web Audio plays on, silent.
  function sound_allowed() {
    if (navigator.getAutoplayPolicy) return navigator.getAutoplayPolicy('audiocontext') === 'allowed';
    return !game.audio || game.audio.state === 'running';
  }

  // Once the game has loaded: where the browser does not yet allow sound, a
  // line over the black field asks for a key or a tap first, so that the
  // title comes with its chime; otherwise the title comes at once.
  function begin() {
    if (sound_allowed()) return play();
    gated = true;
    document.getElementById('gate').hidden = false;
  }

  // Browsers start sound only after the player has done something; the
  // press that opens the gate starts the game and goes no further. A
  // browser whose sound never starts plays on, silent.
  function wake() {
    if (game.audio && game.audio.state === 'suspended' && !document.hidden) game.audio.resume();
    if (!gated) return;
    gated = false;
    swallow = true;
    setTimeout(function () { swallow = false; }, 0);
    document.getElementById('gate').hidden = true;
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
  document.addEventListener('visibilitychange', function () {
    if (!game.audio) return;
    if (document.hidden) game.audio.suspend();
    else game.audio.resume();
  });

  function show_message(text) {
    messages.hidden = false;
    messages.textContent += text + '\n';
    fit();
  }

  // The canvas no longer offers a new game once the game is over: the
  // prompt's line is painted over in the panel's own background.
  function cover_prompt() {
    var context = canvas.getContext('2d');
    var bg = context.getImageData(215, 185, 1, 1).data;
    context.fillStyle = 'rgb(' + bg[0] + ',' + bg[1] + ',' + bg[2] + ')';
    context.fillRect(220, 250, 15 * 8, 8);
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
    new Promise(function (resolve) {
      resolve(game.ccall('main', 'number', ['number', 'number'], [0, 0], { async: true }));
    }).then(game_ended, function (e) {
      // The game leaves with exit() after a message such as a bad configuration.
      if (e && e.name === 'ExitStatus') game_ended();
      else fail('Vorlix stopped: ' + e + '.');
    });
  }

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

  again.addEventListener('click', function () { wake(); play(); });
  fold.addEventListener('click', function () {
    unfolded = !unfolded;
    fit();
  });
  canvas.addEventListener('mousedown', function () { wake(); canvas.focus(); });
  document.getElementById('gate').addEventListener('mousedown', wake);

  // Full screen, where the browser offers it: the field then grows to the
  // largest whole multiple the screen allows. Escape leaves it, as always.
  if (document.fullscreenEnabled) {
    fullscreen.hidden = false;
    fullscreen.addEventListener('click', function () {
      wake();
      if (document.fullscreenElement) document.exitFullscreen();
      else document.documentElement.requestFullscreen().catch(function () {});
    });
    document.addEventListener('fullscreenchange', function () {
      fullscreen.textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
      fit();
      if (running) canvas.focus();
    });
  }

  VorlixInput.start({
    press: press,
    wake: wake,
    touched: function () {
      if (!touch) {
        touch = true;
        fit();
      }
    }
  });
  // The page fits itself anew to every resize, turn and zoom.
  window.addEventListener('resize', fit);
  window.addEventListener('orientationchange', fit);

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
  make_audio();
  take_newer_build().then(function () {
    var script = document.createElement('script');
    script.src = 'vorlix.js';
    script.onerror = function () { fail('Vorlix could not load its script, vorlix.js.'); };
    document.body.appendChild(script);
  });
})();
