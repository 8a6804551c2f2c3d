// The site kept for playing with no network, through its service worker
// (sw.js), and a newer build taken without ever mixing two builds' files.

// How long a load waits to learn of a newer build.
const update_wait_ms = 3000;

// Settles once the worker has reached the state (true) or gone redundant.
function reached(worker, state) {
  return new Promise((resolve) => {
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
// say(text) tells the player.
export async function take_newer_build(say) {
  const workers = navigator.serviceWorker;
  if (!workers || !workers.controller) return;
  try {
    const registration = await workers.getRegistration();
    if (!registration) return;
    const asked = new Promise((resolve) => setTimeout(resolve, update_wait_ms));
    await Promise.race([registration.update(), asked]);
    const next = registration.installing || registration.waiting;
    if (!next) return;
    say('Updating Vorlix\u2026');
    if (!(await reached(next, 'installed'))) return;
    workers.addEventListener('controllerchange', () => location.reload());
    next.postMessage('take over');
    await new Promise(() => {});  // the page loads again
  } catch (e) {
    // No network, or no worker: the kept build plays.
  }
}

// Once the title is up, a service worker keeps the site for playing with
// no network; registered earlier, it would slow the game's first start.
export function keep_for_offline() {
  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch((e) => console.warn('Vorlix will not play offline: ' + e));
}
