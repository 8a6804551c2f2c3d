// The site kept for playing with no network, through its service worker
// (sw.js). A returning player's page comes from what the worker kept, at
// once; whether there is a newer build is asked once the game is up, and a
// newer build is fetched whole in the background and taken at the start of
// the next load, before the game's files are asked for, so that the files of
// two builds never mix.

// Settles once the worker has reached the state (true) or gone redundant.
function reached(worker, state) {
  return new Promise((resolve) => {
    (function check() {
      if (worker.state === state || worker.state === 'redundant') resolve(worker.state === state);
      else worker.addEventListener('statechange', check, { once: true });
    })();
  });
}

// How long the page waits for the worker's answers, and for a newer build
// to take over, before it goes on with the build it has.
const most_wait_ms = 3000;

// Settles with what the promise gives, or with otherwise after ms.
const within = (promise, ms, otherwise) =>
  Promise.race([promise, new Promise((resolve) => setTimeout(() => resolve(otherwise), ms))]);

// Takes a newer build that an earlier visit fetched and left waiting: the
// page loads again from it, before the game starts. Otherwise settles at
// once, and the kept build plays; so it does when the newer build does not
// take over in time. say(text) tells the player.
export async function take_waiting_build(say) {
  const workers = navigator.serviceWorker;
  if (!workers || !workers.controller) return;
  const registration = await within(workers.getRegistration().catch(() => null), most_wait_ms, null);
  const next = registration && registration.waiting;
  if (!next) return;
  say('Updating Vorlix\u2026');
  let reloading = false;
  workers.addEventListener('controllerchange', () => {
    reloading = true;
    location.reload();
  });
  next.postMessage('take over');
  // The page loads again; should the new build not take over, the kept one plays.
  await new Promise((resolve) => setTimeout(resolve, most_wait_ms));
  if (reloading) await new Promise(() => {});
}

let kept = false;  // the worker is registered, or being

// Once the game is ready (its title is up, or the line that asks for a key
// to allow sound), a service worker keeps the site for playing with no
// network (registered earlier, it would slow the game's first start), and
// asks whether there is a newer build. ready() is called once a newer build
// is fetched whole and waits for the next load. Called again, it does
// nothing.
export async function keep_for_offline(ready) {
  if (kept || !('serviceWorker' in navigator)) return;
  kept = true;
  let registration;
  try {
    registration = await navigator.serviceWorker.register('sw.js');
  } catch (e) {
    console.warn('Vorlix will not play offline: ' + e);
    return;
  }
  const watch = async (worker) => {
    if (worker && navigator.serviceWorker.controller && (await reached(worker, 'installed'))) ready();
  };
  registration.addEventListener('updatefound', () => watch(registration.installing));
  if (registration.waiting) ready();
  // With no network there is nothing newer to learn of, and the kept build plays on.
  if (navigator.serviceWorker.controller) registration.update().catch(() => {});
}
