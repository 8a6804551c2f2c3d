// The page's side of the browser layer: the canvas that shows the game's
// screen, and its samples through Web Audio. Module.canvas is set by the
// page; Module.audio is the page's AudioContext once a key or click has
// allowed sound.
mergeInto(LibraryManager.library, {
  vorlix_open_canvas: function (width, height) {
    var canvas = Module['canvas'];
    canvas.width = width;
    canvas.height = height;
    Module['screenImage'] = null;
    if (Module['onScreenOpened']) Module['onScreenOpened'](width, height);
  },

  // Copies the drawn area, left..right by top..bottom, to the canvas.
  vorlix_show: function (rgba, width, height, left, top, right, bottom) {
    var image = Module['screenImage'];
    if (!image || image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== rgba) {
      image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
      Module['screenImage'] = image;
    }
    Module['canvas'].getContext('2d').putImageData(image, 0, 0, left, top, right - left + 1, bottom - top + 1);
  },

  vorlix_sound_available: function () {
    return (typeof AudioContext !== 'undefined' || typeof webkitAudioContext !== 'undefined') ? 1 : 0;
  },

  // Starts one sample: volume 0..255, pan 0 (left)..255 (right), speed in
  // thousandths of the sample's own rate. Silent until sound is allowed.
  vorlix_play: function (spl, data, frames, bits, stereo, freq, vol, pan, speed, loop) {
    var audio = Module['audio'];
    if (!audio || frames <= 0) return;
    var channels = stereo ? 2 : 1;
    var buffer;
    try {
      buffer = audio.createBuffer(channels, frames, freq);
    } catch (e) {
      return;  // a rate the browser cannot play
    }
    for (var ch = 0; ch < channels; ch++) {
      var out = buffer.getChannelData(ch);
      for (var i = 0; i < frames; i++) {
        var at = i * channels + ch;
        out[i] = bits === 8 ? (HEAPU8[data + at] - 128) / 128 : (HEAPU16[(data >> 1) + at] - 32768) / 32768;
      }
    }
    var source = audio.createBufferSource();
    source.buffer = buffer;
    source.loop = loop !== 0;
    source.playbackRate.value = speed / 1000;
    var gain = audio.createGain();
    gain.gain.value = vol / 255;
    source.connect(gain);
    var last = gain;
    if (audio.createStereoPanner) {
      var panner = audio.createStereoPanner();
      panner.pan.value = Math.max(-1, Math.min(1, (pan - 128) / 127));
      gain.connect(panner);
      last = panner;
    }
    last.connect(audio.destination);
    source.start();
    var playing = Module['playing'] = Module['playing'] || {};
    (playing[spl] = playing[spl] || []).push(source);
  },

  vorlix_stop: function (spl) {
    var playing = Module['playing'] || {};
    (playing[spl] || []).forEach(function (source) { source.stop(); source.disconnect(); });
    delete playing[spl];
  },

  vorlix_stop_all: function () {
    var playing = Module['playing'] || {};
    Object.keys(playing).forEach(function (spl) {
      playing[spl].forEach(function (source) { source.stop(); source.disconnect(); });
    });
    Module['playing'] = {};
  }
});
