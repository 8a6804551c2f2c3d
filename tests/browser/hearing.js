// What a page's sound sounds like where it reaches a sound device: a private
// PulseAudio server whose one sink, a null sink, plays at the real rate, and
// a recording of that sink's monitor with every chunk stamped on the
// monotonic clock as it arrives. The recording is written the way the
// desktop's test device writes what it hears (tests/sound/heard_pcm.c), and
// the page's plays the way play_log.c writes the desktop's, so that one
// reader (hear) tells each cue's heard length and latency for both.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { wait_until } = require('./harness');

const RATE = 44100, CHANNELS = 2, FRAME_BYTES = 2 * CHANNELS;
// The silence that ends a sound for the reader (hear): 2 ms.
const GAP_FRAMES = 88;

// The monotonic clock, in ns.
const mono_ns = () => Number(process.hrtime.bigint());

// The server, the silence that keeps its sink going and the recorder stand
// in for a sound card, which plays on whatever else the machine does; a
// desktop runs its sound server at a realtime priority for that. So they
// run round-robin realtime where the machine lets them. Left to share the
// cores with the load, the server's main thread, which takes every stream's
// sound in, was held up to 90 ms at a time with both cores busy, and every
// stream, the silence too, ran dry at once. (The server sets its main
// thread back to an ordinary one as it starts, so it is raised once up.)
const realtime = (child) => childProcess.spawnSync('chrt', ['-a', '-r', '-p', '8', String(child.pid)]);

class Pulse {
  // Starts a server of the test's own, in a folder of its own.
  static async start() {
    const self = new Pulse();
    self.dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vorlix-pulse-'));
    self.server = 'unix:' + path.join(self.dir, 'native');
    self.log = path.join(self.dir, 'pulse.log');
    self.process = childProcess.spawn('pulseaudio', [
      '-n', '--daemonize=no', '--exit-idle-time=-1', '--disallow-exit', '--use-pid-file=no',
      '--log-target=file:' + self.log, '--log-level=info',
      '-L', `module-null-sink sink_name=heard rate=${RATE} channels=${CHANNELS}`,
      '-L', `module-native-protocol-unix socket=${path.join(self.dir, 'native')} auth-anonymous=1`],
      { env: { PATH: process.env.PATH, HOME: self.dir, XDG_RUNTIME_DIR: self.dir }, stdio: 'ignore' });
    process.on('exit', () => self.stop());
    await wait_until('the sound server', () =>
      childProcess.spawnSync('pactl', ['--server', self.server, 'info']).status === 0, 20000);
    realtime(self.process);
    // A sound card keeps playing in small blocks; a null sink that nothing
    // asks for a short latency renders two seconds at a time, and holds a
    // new stream back that long. Silence played all the while keeps it to
    // the blocks of a card.
    self.silence = childProcess.spawn('pacat', ['--server', self.server, '--raw', '--latency-msec=40', '/dev/zero'],
                                      { stdio: 'ignore' });
    realtime(self.silence);
    return self;
  }

  // What a browser needs to play through this server.
  env() { return { PULSE_SERVER: this.server }; }

  // Starts recording what the sink plays into LOG.frames and LOG.runs.
  record(log) { return new Recording(this.server, log); }

  // Stops the server (it ignores a polite request while it has clients).
  stop() {
    if (this.silence) this.silence.kill('SIGKILL');
    this.process.kill('SIGKILL');
    fs.rmSync(this.dir, { recursive: true, force: true });
  }
}

class Recording {
  constructor(server, log) {
    this.log = log;
    this.frames = fs.openSync(log + '.frames', 'w');
    this.chunks = [];       // [first frame, frames, when it arrived, whether it starts between two sounds] of each chunk
    this.written = 0;
    this.last_sound = 0;    // when a frame that was not silent last arrived
    this.quiet_frames = 0;  // silent frames since the last that was not
    this.process = childProcess.spawn('parec', ['--server', server, '-d', 'heard.monitor', '--raw',
      '--format=s16le', `--rate=${RATE}`, `--channels=${CHANNELS}`, '--latency-msec=10'], { stdio: ['ignore', 'pipe', 'ignore'] });
    realtime(this.process);
    this.left = Buffer.alloc(0);
    this.process.stdout.on('data', (chunk) => {
      const at = mono_ns();
      const data = Buffer.concat([this.left, chunk]);
      const whole = data.length - data.length % FRAME_BYTES;
      this.left = data.subarray(whole);
      const count = whole / FRAME_BYTES;
      if (!count) return;
      const quiet_before = this.quiet_frames;
      for (let i = 0; i < whole; i += FRAME_BYTES) {
        if (data.readInt16LE(i) !== 0) {
          this.last_sound = at;
          this.quiet_frames = 0;
        } else {
          this.quiet_frames++;
        }
      }
      // A new run may begin at a chunk with silence enough on both sides of
      // its start that no sound the reader finds goes across it.
      const between_sounds = quiet_before >= GAP_FRAMES && this.quiet_frames === quiet_before + count && count >= GAP_FRAMES;
      this.chunks.push([this.written, count, at, between_sounds]);
      fs.writeSync(this.frames, data.subarray(0, whole));
      this.written += count;
    });
  }

  // Waits until what was played since the last wait has ended: nothing but
  // silence heard for a while, and a moment has gone by (a cue that is
  // never heard leaves silence too, and the reader counts it missing).
  async quiet(ms = 200) {
    const since = mono_ns();
    await wait_until('the sound to end', () => mono_ns() - since > 400e6 && mono_ns() - this.last_sound > ms * 1e6);
  }

  // Writes when the sink played the frames, as runs: the first frame of
  // each and when it was heard. The silence keeps the sink playing all
  // through and the server keeps what the recorder has not read yet, so the
  // frames follow one another at the sink's rate; each chunk arrives as its
  // last frame is heard or later (read late while the machine is busy or a
  // browser starts, at times by over 100 ms), and the earliest start that a
  // run's chunks tell is when it was heard. The sink's clock draws away from
  // the machine's by some milliseconds a minute, so a new run begins every
  // second or so, always between two sounds.
  write_runs() {
    const runs = [];
    for (const [first, count, at, between_sounds] of this.chunks) {
      let run = runs[runs.length - 1];
      if (!run || (between_sounds && first - run.first >= RATE)) runs.push(run = { first, start: Infinity });
      run.start = Math.min(run.start, at - (first + count - run.first) * 1e9 / RATE);
    }
    fs.writeFileSync(this.log + '.runs', runs.map((r) => `run ${r.first} ${Math.round(r.start)}\n`).join(''));
  }

  async stop() {
    if (this.stopped) return;
    this.stopped = true;
    this.process.kill();
    await new Promise((resolve) => this.process.exitCode !== null ? resolve() : this.process.once('exit', resolve));
    fs.closeSync(this.frames);
    this.write_runs();
  }
}

// A script for a page's head that notes, on the page's clock, each sound the
// page starts (its length) and each frame the game puts on the canvas.
const WATCH_PLAYS = `
window.heardNotes = { starts: [], frames: [] };
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (...args) {
  window.heardNotes.starts.push([performance.timeOrigin + performance.now(), this.buffer.duration * 1000]);
  return start.apply(this, args);
};
const put = CanvasRenderingContext2D.prototype.putImageData;
CanvasRenderingContext2D.prototype.putImageData = function (...args) {
  put.apply(this, args);
  window.heardNotes.frames.push(performance.timeOrigin + performance.now());
};
`;

// Writes the page's plays as play_log.c writes the desktop's: "play MS AT_NS"
// for each sound, at the frame that the game showed as it started it, on
// the monotonic clock.
function write_plays(notes, file) {
  const wall_ms = performance.timeOrigin + performance.now(), now = mono_ns();
  const to_mono = (ms) => Math.round(now - (wall_ms - ms) * 1e6);
  const lines = notes.starts.map(([at, ms]) => {
    const frame = notes.frames.find((f) => f >= at) || at;
    return `play ${ms.toFixed(3)} ${to_mono(frame)}\n`;
  });
  fs.writeFileSync(file, lines.join(''));
}

module.exports = { Pulse, WATCH_PLAYS, write_plays };

// As a program: a sound server of its own, its sink recorded into LOG until
// the program is stopped, for the shell's hearing test of the Windows
// program under wine (tests/sound/heard_game.sh).
//   node hearing.js LOG     prints the server's address once it records
if (require.main === module) {
  (async () => {
    const pulse = await Pulse.start();
    const recording = pulse.record(process.argv[2]);
    const stop = async () => {
      await recording.stop();
      pulse.stop();
      process.exit(0);
    };
    process.on('SIGTERM', stop);
    process.on('SIGINT', stop);
    console.log(pulse.server);
  })();
}
