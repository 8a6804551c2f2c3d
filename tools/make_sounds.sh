#!/bin/sh
# Synthesises the game's four sound cues into assets/ (or the folder given),
# byte for byte the same on every run (sox -R). Each lasts as long as its cue or a little longer, so
# that the game, which makes every cue's sound exactly its length, never
# repeats one; each peaks at -3 dBFS. Several tones are made as channels of
# their own and mixed down, since sox's synth keeps only the first tone of a
# one-channel output.
set -eu
mkdir -p "${1:-$(dirname "$0")/../assets}"
cd "${1:-$(dirname "$0")/../assets}"
out="-R -r 22050 -b 16 -c 1 -e signed-integer"

# A rising chime for the title: C, E, G and the octave, each ringing on.
sox -R -n -r 22050 -c 4 -p synth 0.24 sine 523.25 sine 659.25 sine 783.99 sine 1046.5 \
    fade q 0.004 0.24 0.06 delay 0 0.05 0.1 0.15 trim 0 0.24 |
    sox -p $out start.wav remix - fade q 0 0.24 0.03 norm -3
# A laser zap: a square wave falling from 2400 to 500 Hz within the 32 ms it sounds.
sox -R -n -r 22050 -c 1 -p synth 0.032 square 2400:500 fade q 0.002 0.032 0.004 |
    sox -p $out laser.wav norm -3
# A short bright blip for a new candy: two tones, E and B, sounding together.
sox -R -n -r 22050 -c 2 -p synth 0.05 sine 1318.5 sine 1975.5 |
    sox -p $out candy.wav remix - fade q 0.002 0.05 0.02 norm -3
# A low crash for the snake hitting something: noise throbbing at 55 Hz,
# with no offset from silence.
sox -R -n -r 22050 -c 1 -p synth 0.3 brownnoise synth 0.3 sine amod 55 |
    sox -p $out hit.wav lowpass 1200 highpass 40 fade q 0.003 0.3 0.25 norm -3
[ -n "${1:-}" ] || printf '1 0\n' > vorlix.cfg
