// Where everything goes on the page: the game's field at the largest whole
// multiple of its pixels that the window holds, each game pixel a whole
// square of device pixels, and around it, never over it nor over each other,
// the lines that say what the game waits for (lead), the page's buttons
// (tools), the keys (help), and on a touch screen the controls: beside the
// field when the phone is held sideways, below it when upright. Where the
// keys find no room they fold behind their button, so that the text never
// costs the field a step of scale.
import { field } from './constants.js';

const pad_room = 80;       // CSS px each touch column needs at the least
const upright_pads = 300;  // CSS px below the field for the lines and controls on an upright phone
const side_text = 220;     // CSS px of room beside the field that the text needs
const widest_text = 380;   // CSS px the text column grows to at the most
const below_text = 110;    // CSS px of room below the field that the text needs
const turn_note = 48;      // CSS px at the foot of an upright phone for the note to turn it

const el = (id) => document.getElementById(id);

// Places a fixed box, in CSS px; a height of null lets it take its own.
function place(box, left, top, width, height) {
  box.style.left = left + 'px';
  box.style.top = top + 'px';
  box.style.width = width + 'px';
  box.style.height = height === null ? '' : height + 'px';
}

// Places a box at a width and tells how tall its content makes it.
function place_and_measure(box, left, top, width) {
  place(box, left, top, width, null);
  return box.hidden ? 0 : box.offsetHeight;
}

// The largest whole number of device pixels a game pixel may take in this
// room; below one, the field shrinks to fit, no longer sharp, rather than
// leave the window.
function scale_for(width, height, ratio) {
  const s = Math.min(width * ratio / field.width, height * ratio / field.height);
  return s >= 1 ? Math.floor(s) : Math.max(s, 0.1);
}

// The field at a scale, with its top-left corner on a whole device pixel:
// a box on a fraction of one shows some game columns doubled and others halved.
function place_field(s, ratio, left, top) {
  const f = { width: field.width * s / ratio, height: field.height * s / ratio };
  f.x = Math.round(left * ratio) / ratio;
  f.y = Math.round(top * ratio) / ratio;
  el('screen').style.transform = 'translate(' + f.x + 'px, ' + f.y + 'px) scale(' + s / ratio + ')';
  return f;
}

// Shows the keys, or folds them behind their button; open keys that have
// no room of their own lie over the field, as the player asked for them.
function fold_help(folded, over) {
  const help = el('help'), fold = el('fold');
  help.hidden = folded;
  help.classList.toggle('over', over && !folded);
  fold.setAttribute('aria-expanded', String(!folded));
}

// A desktop: the text beside the field, below it, or, where neither has
// room, the lines and buttons in the field's top corner with the keys folded.
function fit_desktop(w, h, ratio, open) {
  const s = scale_for(w, h, ratio);
  const width = field.width * s / ratio, height = field.height * s / ratio;
  const lead = el('lead'), tools = el('tools'), help = el('help');
  el('fold').hidden = true;
  if (w - width >= side_text) {
    const column = Math.min(w - width, widest_text);
    const f = place_field(s, ratio, (w - width - column) / 2, (h - height) / 2);
    const x = Math.ceil(f.x + f.width), room = Math.min(column, w - x);
    fold_help(false, false);
    const lead_h = place_and_measure(lead, x, f.y, room);
    const tools_h = place_and_measure(tools, x, f.y + lead_h, room);
    place(help, x, f.y + lead_h + tools_h, room, Math.max(0, f.height - lead_h - tools_h));
  } else if (h - height >= below_text) {
    const text_w = Math.min(w, Math.max(width, 480)), left = Math.max(0, (w - text_w) / 2);
    fold_help(false, false);
    // Measured first, to centre the field and its text together.
    const text_h = place_and_measure(lead, 0, 0, text_w) + place_and_measure(tools, 0, 0, text_w) +
                   place_and_measure(help, 0, 0, text_w);
    const f = place_field(s, ratio, (w - width) / 2, Math.max(0, (h - height - Math.min(text_h, h - height)) / 2));
    const y = Math.ceil(f.y + f.height);
    const lead_h = place_and_measure(lead, left, y, text_w);
    const tools_h = place_and_measure(tools, left, y + lead_h, text_w);
    place(help, left, y + lead_h + tools_h, text_w, Math.max(0, h - y - lead_h - tools_h));
  } else {
    const f = place_field(s, ratio, (w - width) / 2, (h - height) / 2);
    const box_w = Math.min(w, 260);
    el('fold').hidden = false;
    fold_help(!open, true);
    const lead_h = place_and_measure(lead, w - box_w, 0, box_w);
    const tools_h = place_and_measure(tools, w - box_w, lead_h, box_w);
    place(help, f.x, Math.max(f.y, lead_h + tools_h), Math.min(f.width, w), null);
  }
}

// A phone or tablet held sideways: the controls in the columns either side
// of the field, the lines over the left ones, the buttons over the right.
function fit_sideways(w, h, ratio, open) {
  const s = scale_for(Math.max(w - 2 * pad_room, 1), h, ratio);
  const width = field.width * s / ratio, height = field.height * s / ratio;
  const f = place_field(s, ratio, (w - width) / 2, (h - height) / 2);
  const left_w = f.x, right_x = Math.ceil(f.x + f.width), right_w = w - right_x;
  el('fold').hidden = false;
  fold_help(!open, true);
  const lead_h = place_and_measure(el('lead'), 0, 0, left_w);
  const tools_h = place_and_measure(el('tools'), right_x, 0, right_w);
  place(el('left-pad'), 0, lead_h, left_w, h - lead_h);
  place(el('right-pad'), right_x, tools_h, right_w, h - tools_h);
  place(el('help'), f.x, f.y, f.width, null);
}

// A phone held upright: the field at the top, then the lines and the
// buttons, the controls side by side, and the note to turn it at the foot.
function fit_upright(w, h, ratio, open) {
  const s = scale_for(w, Math.max(h - upright_pads, 1), ratio);
  const width = field.width * s / ratio;
  const f = place_field(s, ratio, (w - width) / 2, 0);
  let y = Math.ceil(f.y + f.height);
  el('fold').hidden = false;
  fold_help(!open, true);
  y += place_and_measure(el('lead'), 0, y, w);
  y += place_and_measure(el('tools'), 0, y, w);
  const pads_h = Math.max(0, h - turn_note - y);
  place(el('left-pad'), 0, y, w / 2, pads_h);
  place(el('right-pad'), w / 2, y, w / 2, pads_h);
  place(el('help'), 0, f.y, w, null);
}

// Lays the page out for the window as it is. touch: the touch controls are
// shown; open: the keys are to be seen whatever the room (the player
// unfolded them).
export function fit(touch, open) {
  const ratio = window.devicePixelRatio || 1;
  const w = window.innerWidth, h = window.innerHeight;
  const upright = touch && h > w;
  el('left-pad').hidden = el('right-pad').hidden = !touch;
  el('turn').hidden = !upright;
  el('name').classList.toggle('unseen', touch);
  document.body.classList.toggle('touch', touch);
  el('keys').hidden = touch;
  el('touch-keys').hidden = !touch;
  for (const pad of [el('left-pad'), el('right-pad')]) pad.style.flexDirection = upright ? 'row' : 'column';
  if (!touch) fit_desktop(w, h, ratio, open);
  else if (upright) fit_upright(w, h, ratio, open);
  else fit_sideways(w, h, ratio, open);
  document.body.classList.remove('unfitted');
}
