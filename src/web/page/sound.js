// The page's sound: one AudioContext for the game's samples (audio.js plays
// them), allowed by the browser only after the player has done something,
// silent while the page is held, and running before the first cue.

// How long the start of a game waits at the most for the sound to run, and
// for a browser to let it run at all.
const most_wait_ms = 2500;
const most_wait_to_allow_ms = 500;
// The audio clock counts as running once it has kept step with the page's
// clock for this long.
const in_step_ms = 250;
// How long the soft sound of the start goes on once the sound runs.
const warm_up_after_ms = 500;
// A sound too soft for any sound card to play (-120 dBFS), which keeps an
// engine's output running.
const soft_level = 1e-6;

export const audio = (() => {
  const Context = window.AudioContext || window.webkitAudioContext;
  // The shortest output the engine offers: a cue is heard sooner after the
  // frame that starts it.
  return Context ? new Context({ latencyHint: 0 }) : null;
})();

// Starts a sound too soft to be heard, which keeps the engine's output
// running until it is stopped; null where the engine cannot make one.
export function start_soft_sound(context) {
  if (!context.createConstantSource) return null;
  const soft = context.createConstantSource();
  soft.offset.value = soft_level;
  soft.connect(context.destination);
  soft.start();
  return soft;
}

// Whether sound is allowed already (an installed app, a browser set to
// allow it); a page without Web Audio plays on, silent.
export function sound_allowed() {
  if (navigator.getAutoplayPolicy) return navigator.getAutoplayPolicy('audiocontext') === 'allowed';
  return !audio || audio.state === 'running';
}

// Asks for the sound to run, as the player has just pressed something. A
// browser that will not run it leaves the game silent, never stopped.
export function wake_sound() {
  if (audio && audio.state === 'suspended' && !document.hidden) audio.resume().catch(() => {});
}

// Holds the sound still (a hidden page, a page that lost the keyboard), or
// lets it go on.
export function hold_sound(held) {
  if (!audio) return;
  if (held) audio.suspend().catch(() => {});
  else if (audio.state === 'suspended') audio.resume().catch(() => {});
}

// Settles once the sound really runs. An engine may take a second or more
// to open its output, and meanwhile keeps its clock still (Chromium) or
// lets it jump once the output is open (WebKit, which opens it only for a
// sound that is not silent), so that a cue started then would come late, cut
// or all at once with the cues after it. So the page plays a sound too soft
// for any sound card to play (-120 dBFS) until the audio clock has kept step
// with the page's for a moment. A page whose sound is not allowed, or never
// starts, goes on silent after a while.
export function sound_running() {
  if (!audio) return Promise.resolve();
  const warm_up = start_soft_sound(audio);
  const since = performance.now();
  let step_from = null;  // [page ms, audio ms] where the clock was last seen in step
  return new Promise((resolve) => {
    // The soft sound goes on a little longer, into the first cue.
    const done = () => {
      if (warm_up) setTimeout(() => warm_up.stop(), warm_up_after_ms);
      resolve();
    };
    (function look() {
      const now = performance.now(), clock = audio.currentTime * 1000;
      if (audio.state === 'running' && step_from && clock > step_from[1]) {
        const page = now - step_from[0], heard = clock - step_from[1];
        if (Math.abs(heard - page) > Math.max(25, page / 4)) step_from = [now, clock];
        else if (page >= in_step_ms) return done();
      } else if (audio.state === 'running' && !step_from) {
        step_from = [now, clock];
      }
      if (now - since > (audio.state === 'running' ? most_wait_ms : most_wait_to_allow_ms)) return done();
      setTimeout(look, 10);
    })();
  });
}
