// The page's side of the sound: the game's samples through Web Audio.
// Module.audio is the page's AudioContext once a key or a tap has allowed
// sound; until then every sample is silent.
mergeInto(LibraryManager.library, {
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
