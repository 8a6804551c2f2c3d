#!/bin/sh
# Renders the game's icon from its SVG into the PNG sizes the desktop uses
# (needs rsvg-convert: apt-get install librsvg2-bin).
set -eu
cd "$(dirname "$0")/../data/icons"
for size in 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" vorlix.svg -o "vorlix-$size.png"
done
