#!/bin/sh
# Renders the game's icon from its SVG into the PNG sizes the desktop and the
# web app use, and a maskable one for the web app: the same icon on a black
# field reaching every edge, shrunk into the middle so that any mask a system
# cuts it with leaves it whole (needs rsvg-convert: apt-get install librsvg2-bin).
set -eu
cd "$(dirname "$0")/../data/icons"
for size in 32 48 64 128 192 256 512; do
    rsvg-convert -w "$size" -h "$size" vorlix.svg -o "vorlix-$size.png"
done
maskable=$(mktemp /tmp/vorlix-maskable-XXXXXX.svg)
trap 'rm -f "$maskable"' EXIT
{
    echo '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">'
    echo '<rect width="64" height="64" fill="#000000"/><g transform="translate(12.8 12.8) scale(0.6)">'
    sed -n '/<svg /,/<\/svg>/p' vorlix.svg | sed '1d;$d'
    echo '</g></svg>'
} > "$maskable"
rsvg-convert -w 512 -h 512 "$maskable" -o vorlix-maskable-512.png
