// The page's side of the sound: the game's samples through Web Audio.
// Module.audio is the page's AudioContext (sound.js); while the browser does
// not allow sound yet, every sample is silent. Each start and stop is
// scheduled on the audio clock, which places it to the sample: called "now",
// it would land wherever the engine's next block of sound fell.
mergeInto(LibraryManager.library, {
  vorlix_sound_available: function () {
    return (typeof AudioContext !== 'undefined' || typeof webkitAudioContext !== 'undefined') ? 1 : 0;
  },

  // The moment on the audio clock at which a cue asked for now starts: 20 ms
  // ahead of the clock, the same for every call made in one go, so that the
  // engine's output can start first (below).
  $vorlix_cue_time: function (audio) {
    return audio.currentTime + 0.02;
  },

  // Starts the engine's output ahead of a cue with the page's sound too soft
  // for any sound card to play (Module.startSoftSound, sound.js). An engine
  // that stops its output when nothing plays (WebKit) starts it again late,
  // and loses the start of what starts it: it loses this lead-in instead of
  // the cue's start.
  $vorlix_lead_in: function (audio, at) {
    var lead = Module['startSoftSound'](audio);
    if (lead) lead.stop(at + 0.005);
  },

  // The sample as a Web Audio buffer, made once for each sample.
  $vorlix_buffer: function (audio, spl, data, frames, bits, stereo, freq) {
    var made = Module['buffers'] = Module['buffers'] || {};
    var key = spl + ':' + data + ':' + frames;
    if (made[key] && made[key].context === audio) return made[key].buffer;
    var channels = stereo ? 2 : 1;
    var buffer = audio.createBuffer(channels, frames, freq);
    for (var ch = 0; ch < channels; ch++) {
      var out = buffer.getChannelData(ch);
      for (var i = 0; i < frames; i++) {
        var at = i * channels + ch;
        out[i] = bits === 8 ? (HEAPU8[data + at] - 128) / 128 : (HEAPU16[(data >> 1) + at] - 32768) / 32768;
      }
    }
    made[key] = { context: audio, buffer: buffer };
    return buffer;
  },

  // Plays one sample once: volume 0..255, pan 0 (left)..255 (right), speed
  // in thousandths of the sample's own rate. Silent until sound is allowed.
  vorlix_play__deps: ['$vorlix_cue_time', '$vorlix_lead_in', '$vorlix_buffer'],
  vorlix_play: function (spl, data, frames, bits, stereo, freq, vol, pan, speed) {
    var audio = Module['audio'];
    if (!audio || frames <= 0) return;
    var buffer;
    try {
      buffer = vorlix_buffer(audio, spl, data, frames, bits, stereo, freq);
    } catch (e) {
      return;  // a rate the browser cannot play
    }
    var source = audio.createBufferSource();
    source.buffer = buffer;
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
    var at = vorlix_cue_time(audio);
    vorlix_lead_in(audio, at);
    source.start(at);
    var playing = Module['playing'] = Module['playing'] || {};
    (playing[spl] = playing[spl] || []).push(source);
    source.onended = function () {
      var list = playing[spl] || [];
      var at = list.indexOf(source);
      if (at >= 0) list.splice(at, 1);
      source.disconnect();
    };
  },

  // Stops every playing copy of a sample where a start asked for now would begin.
  vorlix_stop__deps: ['$vorlix_cue_time'],
  vorlix_stop: function (spl) {
    var audio = Module['audio'];
    var playing = Module['playing'] || {};
    (playing[spl] || []).forEach(function (source) { source.stop(vorlix_cue_time(audio)); });
  },

  vorlix_stop_all: function () {
    var playing = Module['playing'] || {};
    Object.keys(playing).forEach(function (spl) {
      playing[spl].forEach(function (source) { source.stop(); source.disconnect(); });
    });
    Module['playing'] = {};
  }
});
