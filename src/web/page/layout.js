// Where everything goes on the page: the game's field at the largest whole
// multiple of its 640 x 480 pixels that the window holds, each game pixel a
// whole square of device pixels; the touch controls beside it (or below it
// on a phone held upright); and the text beside or below the field where
// there is room for it, and folded behind a button where there is not, so
// that the text never costs the field a step of scale.
var VorlixLayout = (function () {
  'use strict';
  var game_w = 640, game_h = 480;
  var pad_room = 80;     // CSS px each touch column needs at the least
  var upright_pads = 190;  // CSS px below the field for the controls on an upright phone
  var side_text = 220;   // CSS px of room beside the field that the text needs
  var widest_text = 380; // CSS px the text column grows to at the most
  var below_text = 110;  // CSS px of room below the field that the text needs

  function el(id) { return document.getElementById(id); }

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
    var s = Math.min(width * ratio / game_w, height * ratio / game_h);
    return s >= 1 ? Math.floor(s) : Math.max(s, 0.1);
  }

  // Lays the page out for the window as it is. touch: the touch controls
  // are shown; open: the text is to be seen whatever the room (the game is
  // loading, has failed or has ended, or the player unfolded it).
  function fit(touch, open) {
    var ratio = window.devicePixelRatio || 1;
    var w = window.innerWidth, h = window.innerHeight;
    var upright = touch && h > w;
    var room_w = touch && !upright ? w - 2 * pad_room : w;
    var room_h = upright ? h - upright_pads : h;
    var s = scale_for(Math.max(room_w, 1), Math.max(room_h, 1), ratio);
    var field_w = game_w * s / ratio, field_h = game_h * s / ratio;

    // The text goes beside the field, below it, or behind its button.
    var info = el('info'), fold = el('fold');
    var beside = !touch && w - field_w >= side_text;
    var below = !touch && !beside && h - field_h >= below_text;
    var info_w = beside ? Math.min(w - field_w, widest_text) : Math.min(w, Math.max(field_w, 480));
    var left = (w - field_w - (beside ? info_w : 0)) / 2;
    var top = upright ? 0 : (h - field_h) / 2;
    if (below) {
      place(info, 0, 0, info_w, null);
      top = Math.max(0, (h - field_h - Math.min(info.scrollHeight, h - field_h)) / 2);
    }
    // On whole device pixels: a box on a fraction of one shows some game
    // columns doubled and others halved.
    var x = Math.round(left * ratio) / ratio, y = Math.round(top * ratio) / ratio;
    el('screen').style.transform = 'translate(' + x + 'px, ' + y + 'px) scale(' + s / ratio + ')';
    var right = Math.ceil(x + field_w), bottom = Math.ceil(y + field_h);

    var folded = !beside && !below && !open;
    info.classList.toggle('folded', folded);
    fold.hidden = beside || below;
    fold.setAttribute('aria-expanded', String(!folded));
    if (beside) place(info, right, y, Math.min(info_w, w - right), field_h);
    else if (below) place(info, Math.max(0, x + (field_w - info_w) / 2), bottom, info_w, h - bottom);
    else if (folded) place(info, Math.max(0, w - 200), 0, Math.min(w, 200), null);
    else place(info, Math.max(0, x + (field_w - info_w) / 2), Math.max(0, y + field_h / 6), info_w, null);
    info.style.background = beside || below || folded ? '' : 'rgba(0, 0, 0, 0.88)';

    // The line that waits for the first key, across the middle of the field.
    place(el('gate'), x, y + field_h / 2 - 12, field_w, null);

    // The touch controls, beside the field or below it.
    var left_pad = el('left-pad'), right_pad = el('right-pad');
    left_pad.hidden = right_pad.hidden = !touch;
    el('turn').hidden = !upright;
    if (touch && !upright) {
      place(left_pad, 0, 0, x, h);
      place(right_pad, x + field_w, 0, w - x - field_w, h);
    } else if (upright) {
      place(left_pad, 0, field_h, w / 2, h - field_h - 48);
      place(right_pad, w / 2, field_h, w / 2, h - field_h - 48);
    }
    left_pad.style.flexDirection = right_pad.style.flexDirection = upright ? 'row' : 'column';
    return { scale: s, left: x, top: y, width: field_w, height: field_h, text: beside ? 'beside' : below ? 'below' : 'folded' };
  }

  return { fit: fit };
})();
