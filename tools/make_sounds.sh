#!/bin/sh
# Synthesises the game's four sound cues into assets/, reproducibly (sox -R).
# Each sample lasts at least as long as its cue holds the game, so the loop
# that keeps a cue sounding never has to repeat it.
set -eu
cd "$(dirname "$0")/../assets"
fmt="-R -r 22050 -b 16 -c 1 -e signed-integer"

# A rising two-note chime for the title: a fifth, then the octave.
sox $fmt -n start.wav synth 0.24 sine 523.25 sine 783.99 sine 1046.5 \
    remix - fade q 0.004 0.24 0.08 vol 0.5
# A short falling zap for the laser.
sox $fmt -n laser.wav synth 0.04 square 2400:500 fade q 0.002 0.04 0.01 vol 0.3
# A bright blip for a new candy.
sox $fmt -n candy.wav synth 0.06 sine 1318.5 sine 1975.5 remix - fade q 0.002 0.06 0.03 vol 0.5
# A low crash for the snake hitting something.
sox $fmt -n hit.wav synth 0.32 brownnoise synth 0.32 sine amod 55 lowpass 1200 \
    fade q 0.003 0.32 0.25 vol 0.9
printf '1 0\n' > vorlix.cfg
