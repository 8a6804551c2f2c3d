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

  // Places the text beside the field, below it, behind its button (folded),
  // or, when it is open with no room for it, over the middle of the field.
  function place_text(f, open) {
    var info = el('info'), fold = el('fold');
    var folded = !f.beside && !f.below && !open;
    info.classList.toggle('folded', folded);
    fold.hidden = f.beside || f.below;
    fold.setAttribute('aria-expanded', String(!folded));
    var right = Math.ceil(f.x + f.width), bottom = Math.ceil(f.y + f.height);
    var centred = Math.max(0, f.x + (f.width - f.text_w) / 2);
    if (f.beside) place(info, right, f.y, Math.min(f.text_w, f.w - right), f.height);
    else if (f.below) place(info, centred, bottom, f.text_w, f.h - bottom);
    else if (folded) place(info, Math.max(0, f.w - 200), 0, Math.min(f.w, 200), null);
    else place(info, centred, Math.max(0, f.y + f.height / 6), f.text_w, null);
    info.style.background = f.beside || f.below || folded ? '' : 'rgba(0, 0, 0, 0.88)';
  }

  // Places the touch controls beside the field, or below it on an upright phone.
  function place_pads(f, touch) {
    var left_pad = el('left-pad'), right_pad = el('right-pad');
    left_pad.hidden = right_pad.hidden = !touch;
    el('turn').hidden = !f.upright;
    if (touch && !f.upright) {
      place(left_pad, 0, 0, f.x, f.h);
      place(right_pad, f.x + f.width, 0, f.w - f.x - f.width, f.h);
    } else if (f.upright) {
      place(left_pad, 0, f.height, f.w / 2, f.h - f.height - 48);
      place(right_pad, f.w / 2, f.height, f.w / 2, f.h - f.height - 48);
    }
    left_pad.style.flexDirection = right_pad.style.flexDirection = f.upright ? 'row' : 'column';
  }

  // Lays the page out for the window as it is. touch: the touch controls
  // are shown; open: the text is to be seen whatever the room (the game is
  // loading, has failed or has ended, or the player unfolded it).
  function fit(touch, open) {
    var ratio = window.devicePixelRatio || 1;
    var w = window.innerWidth, h = window.innerHeight;
    var upright = touch && h > w;
    var s = scale_for(Math.max(touch && !upright ? w - 2 * pad_room : w, 1),
                      Math.max(upright ? h - upright_pads : h, 1), ratio);
    var f = { w: w, h: h, upright: upright, width: game_w * s / ratio, height: game_h * s / ratio };
    f.beside = !touch && w - f.width >= side_text;
    f.below = !touch && !f.beside && h - f.height >= below_text;
    f.text_w = f.beside ? Math.min(w - f.width, widest_text) : Math.min(w, Math.max(f.width, 480));
    var left = (w - f.width - (f.beside ? f.text_w : 0)) / 2;
    var top = upright ? 0 : (h - f.height) / 2;
    if (f.below) {
      place(el('info'), 0, 0, f.text_w, null);  // to learn how tall the text is
      top = Math.max(0, (h - f.height - Math.min(el('info').scrollHeight, h - f.height)) / 2);
    }
    // On whole device pixels: a box on a fraction of one shows some game
    // columns doubled and others halved.
    f.x = Math.round(left * ratio) / ratio;
    f.y = Math.round(top * ratio) / ratio;
    el('screen').style.transform = 'translate(' + f.x + 'px, ' + f.y + 'px) scale(' + s / ratio + ')';
    place_text(f, open);
    place(el('gate'), f.x, f.y + f.height / 2 - 12, f.width, null);  // across the middle of the field
    place_pads(f, touch);
  }

  return { fit: fit };
})();
