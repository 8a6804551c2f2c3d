// Where everything goes on the page: the game's field at the largest whole
// multiple of its pixels that the window holds, each game pixel a whole
// square of device pixels; the touch controls beside it (or below it on a
// phone held upright); and the text beside or below the field where there is
// room for it, and folded behind a button where there is not, so that the
// text never costs the field a step of scale.
import { field } from './field.js';

const pad_room = 80;       // CSS px each touch column needs at the least
const upright_pads = 190;  // CSS px below the field for the controls on an upright phone
const side_text = 220;     // CSS px of room beside the field that the text needs
const widest_text = 380;   // CSS px the text column grows to at the most
const below_text = 110;    // CSS px of room below the field that the text needs

const el = (id) => document.getElementById(id);

// Places a fixed box, in CSS px.
function place(box, left, top, width, height) {
  box.style.left = left + 'px';
  box.style.top = top + 'px';
  box.style.width = width + 'px';
  box.style.height = height === null ? '' : height + 'px';
}

// The largest whole number of device pixels a game pixel may take in this
// room; below one, the field shrinks to fit, no longer sharp, rather than
// leave the window.
function scale_for(width, height, ratio) {
  const s = Math.min(width * ratio / field.width, height * ratio / field.height);
  return s >= 1 ? Math.floor(s) : Math.max(s, 0.1);
}

// Places the text beside the field, below it, behind its button (folded),
// or, when it is open with no room for it, over the middle of the field.
function place_text(f, open) {
  const info = el('info'), fold = el('fold');
  const folded = !f.beside && !f.below && !open;
  info.classList.toggle('folded', folded);
  fold.hidden = f.beside || f.below;
  fold.setAttribute('aria-expanded', String(!folded));
  const right = Math.ceil(f.x + f.field_w), bottom = Math.ceil(f.y + f.field_h);
  const centred = Math.max(0, f.x + (f.field_w - f.text_w) / 2);
  if (f.beside) place(info, right, f.y, Math.min(f.text_w, f.window_w - right), f.field_h);
  else if (f.below) place(info, centred, bottom, f.text_w, f.window_h - bottom);
  else if (folded) place(info, Math.max(0, f.window_w - 200), 0, Math.min(f.window_w, 200), null);
  else place(info, centred, Math.max(0, f.y + f.field_h / 6), f.text_w, null);
  info.style.background = f.beside || f.below || folded ? '' : 'rgba(0, 0, 0, 0.88)';
}

// Places the touch controls beside the field, or below it on an upright phone.
function place_pads(f, touch) {
  const left_pad = el('left-pad'), right_pad = el('right-pad');
  left_pad.hidden = right_pad.hidden = !touch;
  el('turn').hidden = !f.upright;
  if (touch && !f.upright) {
    place(left_pad, 0, 0, f.x, f.window_h);
    place(right_pad, f.x + f.field_w, 0, f.window_w - f.x - f.field_w, f.window_h);
  } else if (f.upright) {
    place(left_pad, 0, f.field_h, f.window_w / 2, f.window_h - f.field_h - 48);
    place(right_pad, f.window_w / 2, f.field_h, f.window_w / 2, f.window_h - f.field_h - 48);
  }
  left_pad.style.flexDirection = right_pad.style.flexDirection = f.upright ? 'row' : 'column';
}

// Lays the page out for the window as it is. touch: the touch controls
// are shown; open: the text is to be seen whatever the room (the game is
// loading, has failed or has ended, or the player unfolded it).
export function fit(touch, open) {
  const ratio = window.devicePixelRatio || 1;
  const window_w = window.innerWidth, window_h = window.innerHeight;
  const upright = touch && window_h > window_w;
  const s = scale_for(Math.max(touch && !upright ? window_w - 2 * pad_room : window_w, 1),
                      Math.max(upright ? window_h - upright_pads : window_h, 1), ratio);
  const f = { window_w, window_h, upright, field_w: field.width * s / ratio, field_h: field.height * s / ratio };
  f.beside = !touch && window_w - f.field_w >= side_text;
  f.below = !touch && !f.beside && window_h - f.field_h >= below_text;
  f.text_w = f.beside ? Math.min(window_w - f.field_w, widest_text) : Math.min(window_w, Math.max(f.field_w, 480));
  const left = (window_w - f.field_w - (f.beside ? f.text_w : 0)) / 2;
  let top = upright ? 0 : (window_h - f.field_h) / 2;
  if (f.below) {
    place(el('info'), 0, 0, f.text_w, null);  // to learn how tall the text is
    top = Math.max(0, (window_h - f.field_h - Math.min(el('info').scrollHeight, window_h - f.field_h)) / 2);
  }
  // On whole device pixels: a box on a fraction of one shows some game
  // columns doubled and others halved.
  f.x = Math.round(left * ratio) / ratio;
  f.y = Math.round(top * ratio) / ratio;
  el('screen').style.transform = 'translate(' + f.x + 'px, ' + f.y + 'px) scale(' + s / ratio + ')';
  place_text(f, open);
  place(el('gate'), f.x, f.y + f.field_h / 2 - 12, f.field_w, null);  // across the middle of the field
  place_pads(f, touch);
}
