// Where everything goes on the page: the game's field as large as the
// window holds it with room for everything else around it, at a whole
// multiple of its pixels (each game pixel a square of device pixels) or,
// where even one does not leave the room, as large as fits; and around it,
// never over it nor over each other and wholly inside the window, the lines
// that say what the game waits for (lead), the page's buttons (tools), the
// keys (help), and on a touch screen the controls. Where the keys find no
// room they fold behind their button, so that the text never costs the
// field a step of scale; keys the player unfolds with no room of their own
// lie over the field, as the player asked for them. The page's boxes stand
// in the page in the order the player reads them, so that the focus moves
// through them in that order too.
import { field } from './constants.js';

const side_least = 220;   // CSS px the text column beside the field needs at the least
const side_most = 380;    // CSS px it grows to at the most
const below_least = 480;  // CSS px the text below the field is wide at the least, where the window allows
const pad_least = 64;     // CSS px a column of touch controls needs at the least: a 48 px control and its margins
const least_scale = 0.05; // the smallest the field ever gets
const fraction_steps = 12;  // halvings that find the largest fraction of a game pixel that fits

const el = (id) => document.getElementById(id);

// Places a fixed box, in CSS px; a height of null lets it take its own.
function place(box, left, top, width, height) {
  box.style.left = left + 'px';
  box.style.top = top + 'px';
  box.style.width = width + 'px';
  box.style.height = height === null ? '' : height + 'px';
}

// How tall a box's content makes it at a width, and more than any window
// when its content is wider than that. Measuring places the box; only the
// plan that is chosen places it for good (apply).
function height_at(box, width) {
  const hidden = box.hidden;
  box.hidden = false;
  place(box, 0, 0, width, null);
  const height = box.scrollWidth > box.clientWidth ? Infinity : box.offsetHeight;
  box.hidden = hidden;
  return height;
}

// The field at a scale (device pixels a game pixel), in CSS px.
function field_size(s, ratio) {
  return { width: field.width * s / ratio, height: field.height * s / ratio };
}

// The field at a scale with its top-left corner on a whole device pixel: a
// box on a fraction of one shows some game columns doubled and others halved.
function field_at(s, ratio, left, top) {
  const f = field_size(s, ratio);
  f.s = s;
  f.ratio = ratio;
  f.x = Math.round(left * ratio) / ratio;
  f.y = Math.round(top * ratio) / ratio;
  return f;
}

// A plan of the page at one scale: the field (f), where each box shown goes
// (boxes: [box, left, top, width, height]), how the keys and help are shown
// (help: beside, in their own room; folded, behind their button; over, over
// the field, where the player unfolded them with no room beside it),
// whether the fold button shows, how the touch controls line up, whether
// the note to turn the phone shows, and whether it all fits the window.
function plan_of(f, boxes, fits, more = {}) {
  return { f, boxes, fits, help: 'folded', fold_shown: true, pads_in: 'row', turn: false, ...more };
}

// Keys folded behind their button (always, on a touch screen; for want of
// room, on a desktop) lie over the field when the player unfolds them: at
// its top-left corner, as wide as the field or the window.
function unfold_over(plan, w, h, open) {
  if (!open) return plan;
  const f = plan.f, help = el('help');
  const width = Math.min(Math.max(f.width, Math.min(w, side_least)), w);
  const left = Math.min(f.x, w - width);
  const height = height_at(help, width);
  plan.help = 'over';
  plan.boxes.push([help, left, Math.max(0, Math.min(f.y, h - height)), width, null]);
  return plan;
}

// Lays the page out as planned, all at once.
function apply(plan) {
  const f = plan.f, help = el('help');
  el('screen').style.transform = 'translate(' + f.x + 'px, ' + f.y + 'px) scale(' + f.s / f.ratio + ')';
  help.hidden = plan.help === 'folded';
  help.classList.toggle('over', plan.help === 'over');
  el('fold').hidden = !plan.fold_shown;
  el('fold').setAttribute('aria-expanded', String(plan.help !== 'folded'));
  el('turn').hidden = !plan.turn;
  for (const pad of [el('left-pad'), el('right-pad')]) pad.style.flexDirection = plan.pads_in;
  for (const [box, left, top, width, height] of plan.boxes) place(box, left, top, width, height);
}

// The largest scale at which an arrangement fits the window: whole
// multiples first, from the largest the window alone allows down to one,
// then the largest fraction of one. arrange(s, forced) plans the page at s,
// or gives null where it plainly cannot fit and is not forced to plan.
function largest_fit(arrangements, w, h, ratio) {
  const fits = (arrange, s) => {
    const plan = arrange(s, false);
    return plan && plan.fits ? plan : null;
  };
  const whole = Math.floor(Math.min(w * ratio / field.width, h * ratio / field.height));
  for (let s = whole; s >= 1; s--)
    for (const arrange of arrangements) {
      const plan = fits(arrange, s);
      if (plan) return plan;
    }
  // Below one game pixel a device pixel, the largest fraction that fits,
  // whichever arrangement gives it.
  let best = null, best_s = 0;
  for (const arrange of arrangements) {
    let low = least_scale, high = Math.min(1, w * ratio / field.width, h * ratio / field.height);
    if (!fits(arrange, low)) continue;
    for (let i = 0; i < fraction_steps; i++) {
      const mid = (low + high) / 2;
      if (fits(arrange, mid)) low = mid;
      else high = mid;
    }
    if (low > best_s) [best, best_s] = [arrange, low];
  }
  return best ? best(best_s, true) : arrangements[arrangements.length - 1](least_scale, true);
}

// The lines, the buttons and, with_help, the keys at a width: the boxes
// shown, each one's height, and all of theirs. The fold button, among the
// buttons, shows only where the keys do not.
function text_at(width, with_help) {
  el('fold').hidden = with_help;
  const boxes = with_help ? [el('lead'), el('tools'), el('help')] : [el('lead'), el('tools')];
  const heights = boxes.map((box) => height_at(box, width - 1));
  return { with_help, boxes, heights, height: heights.reduce((a, b) => a + b) };
}

// A desktop: the text in a column beside the field, or below it. The keys
// come along where there is room, and fold behind their button where not.
function plan_desktop(w, h, ratio, open) {
  // The plan with the text laid out from (x, y), one box under another; keys
  // folded for want of room come out over the field when unfolded.
  const with_text = (f, text, x, y, width, fits) => {
    const boxes = text.boxes.map((box, i) => {
      const placed = [box, x, y, width, null];
      y += text.heights[i];
      return placed;
    });
    const plan = plan_of(f, boxes, fits, { help: text.with_help ? 'beside' : 'folded', fold_shown: !text.with_help });
    return text.with_help ? plan : unfold_over(plan, w, h, open);
  };
  // Beside the field: the column as wide as the room allows, up to its most.
  const side = (with_help) => (s, forced) => {
    const size = field_size(s, ratio);
    const room = w - size.width;
    if (!forced && (room < side_least || size.height > h)) return null;
    const column = Math.min(room, side_most);
    const text = text_at(column, with_help);
    const f = field_at(s, ratio, (room - column) / 2, (h - size.height) / 2);
    const x = Math.ceil(f.x + f.width);
    return with_text(f, text, x, Math.max(0, Math.min(f.y, h - text.height)), Math.min(column, w - x),
                     text.height <= h);
  };
  // Below the field: the text as wide as the field, or wider where it can be.
  const below = (with_help) => (s, forced) => {
    const size = field_size(s, ratio);
    if (!forced && size.width > w) return null;
    const width = Math.min(w, Math.max(size.width, below_least));
    const text = text_at(width, with_help);
    const f = field_at(s, ratio, (w - size.width) / 2, (h - size.height - text.height) / 2);
    return with_text(f, text, (w - width) / 2, Math.ceil(f.y + f.height), width, size.height + text.height <= h);
  };
  return largest_fit([side(true), below(true), side(false), below(false)], w, h, ratio);
}

// A phone or tablet held sideways: the controls in the columns either side
// of the field, the lines over the left ones, the buttons over the right;
// where the columns find no room, everything below the field as upright.
function plan_sideways(w, h, ratio, open) {
  const lead = el('lead'), tools = el('tools'), left_pad = el('left-pad'), right_pad = el('right-pad');
  const columns = (s, forced) => {
    const size = field_size(s, ratio);
    const column = (w - size.width) / 2;
    if (!forced && (column < pad_least || size.height > h)) return null;
    const [lead_h, tools_h] = text_at(column, false).heights;
    const left_h = pad_need(left_pad, column - 1, false).height, right_h = pad_need(right_pad, column - 1, false).height;
    const f = field_at(s, ratio, column, (h - size.height) / 2);
    const right_x = Math.ceil(f.x + f.width);
    const plan = plan_of(f, [[lead, 0, 0, f.x, null], [tools, right_x, 0, w - right_x, null],
                             [left_pad, 0, lead_h, f.x, h - lead_h], [right_pad, right_x, tools_h, w - right_x, h - tools_h]],
                         lead_h + left_h <= h && tools_h + right_h <= h, { pads_in: 'column' });
    return unfold_over(plan, w, h, open);
  };
  return largest_fit([columns, stacked(w, h, ratio, open, false)], w, h, ratio);
}

// A phone held upright: the field at the top, then the lines and the
// buttons, the controls, and the note to turn it at the foot, where there
// is room for it.
function plan_upright(w, h, ratio, open) {
  const with_turn = stacked(w, h, ratio, open, true);
  const turn_fits = with_turn(least_scale, false);
  return largest_fit([turn_fits && turn_fits.fits ? with_turn : stacked(w, h, ratio, open, false)], w, h, ratio);
}

// The field at the top and the rest below it: the lines and the buttons,
// the controls side by side (one above the other where the window is too
// narrow), and at the foot, with_turn, the note to turn the phone.
function stacked(w, h, ratio, open, with_turn) {
  const lead = el('lead'), tools = el('tools'), left_pad = el('left-pad'), right_pad = el('right-pad');
  const turn = el('turn');
  return (s, forced) => {
    const size = field_size(s, ratio);
    if (!forced && size.width > w) return null;
    const [lead_h, tools_h] = text_at(w, false).heights;
    const turn_h = with_turn ? height_at(turn, w - 1) : 0;
    const left_half = pad_need(left_pad, w / 2 - 1, true), right_half = pad_need(right_pad, w / 2 - 1, true);
    const beside = left_half.fits && right_half.fits;
    const pads_h = beside ? Math.max(left_half.height, right_half.height)
                          : pad_need(left_pad, w - 1, true).height + pad_need(right_pad, w - 1, true).height;
    const f = field_at(s, ratio, (w - size.width) / 2, 0);
    let y = Math.ceil(f.y + f.height);
    const boxes = [[lead, 0, y, w, null], [tools, 0, y + lead_h, w, null]];
    y += lead_h + tools_h;
    // The controls take what room is left above the note.
    const room = h - turn_h - y;
    if (beside) boxes.push([left_pad, 0, y, w / 2, room], [right_pad, w / 2, y, w / 2, room]);
    else boxes.push([left_pad, 0, y, w, room / 2], [right_pad, 0, y + room / 2, w, room / 2]);
    if (with_turn) boxes.push([turn, 0, h - turn_h, w, null]);
    const plan = plan_of(f, boxes, size.height + lead_h + tools_h + pads_h + turn_h <= h, { turn: with_turn });
    return unfold_over(plan, w, h, open);
  };
}

// What a pad of controls needs at a width, its controls one above the other
// or in a row: whether they find room side by side, and how tall it is at
// the least.
function pad_need(pad, width, row) {
  pad.classList.add('measuring');
  pad.style.flexDirection = row ? 'row' : 'column';
  place(pad, 0, 0, width, null);
  const need = { fits: pad.scrollWidth <= pad.clientWidth, height: pad.offsetHeight };
  pad.classList.remove('measuring');
  return need;
}

// The order in which the player reads the page's boxes, for each layout.
const reading_order = {
  desktop: ['screen', 'lead', 'tools', 'help', 'left-pad', 'right-pad', 'turn'],
  sideways: ['lead', 'left-pad', 'screen', 'tools', 'help', 'right-pad', 'turn'],
  upright: ['screen', 'lead', 'tools', 'help', 'left-pad', 'right-pad', 'turn']
};
let order_now = 'desktop';  // as the page is written

// Puts the page's boxes in the order the player reads them; whatever has
// the focus keeps it.
function put_in_order(layout) {
  if (layout === order_now) return;
  order_now = layout;
  const focused = document.activeElement;
  const boxes = reading_order[layout].map(el);
  const after = boxes[boxes.length - 1].nextSibling;
  for (const box of boxes) box.parentNode.insertBefore(box, after);
  if (focused && focused !== document.activeElement) focused.focus({ preventScroll: true });
}

// Lays the page out for the window as it is. touch: the touch controls are
// shown; open: the keys are to be seen whatever the room (the player
// unfolded them).
export function fit(touch, open) {
  const ratio = window.devicePixelRatio || 1;
  const w = window.innerWidth, h = window.innerHeight;
  const layout = !touch ? 'desktop' : h > w ? 'upright' : 'sideways';
  el('left-pad').hidden = el('right-pad').hidden = !touch;
  el('name').classList.toggle('unseen', touch);
  document.body.classList.toggle('touch', touch);
  el('keys').hidden = touch;
  el('touch-keys').hidden = !touch;
  put_in_order(layout);
  const plan = layout === 'desktop' ? plan_desktop(w, h, ratio, open)
             : layout === 'upright' ? plan_upright(w, h, ratio, open) : plan_sideways(w, h, ratio, open);
  apply(plan);
  document.body.classList.remove('unfitted');
}

// Calls back whenever the window's pixel ratio changes (a zoom, a move to
// another screen), which a resize does not always tell.
export function on_ratio_change(callback) {
  const watch = () => matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
    .addEventListener('change', () => { callback(); watch(); }, { once: true });
  watch();
}
