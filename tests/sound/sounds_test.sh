# The shipped sounds are the ones tools/make_sounds.sh makes, byte for byte,
# and each is clean: it peaks between -6 and -1 dBFS, so clips nowhere, and
# carries no offset from silence.
#   tests/sound/sounds_test.sh ASSETS
set -eu
assets=$1
made=$(mktemp -d /tmp/vorlix-sounds-XXXXXX)
trap 'rm -rf "$made"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
"$(dirname "$0")/../../tools/make_sounds.sh" "$made"
for sound in start laser candy hit; do
    cmp -s "$made/$sound.wav" "$assets/$sound.wav" || fail "$sound.wav is not what make_sounds.sh makes"
    stats=$(sox "$assets/$sound.wav" -n stats 2>&1)
    peak=$(echo "$stats" | awk '/^Pk lev dB/ { print $4 }')
    offset=$(echo "$stats" | awk '/^DC offset/ { print $3 }')
    awk -v p="$peak" 'BEGIN { exit !(p >= -6 && p <= -1) }' || fail "$sound.wav peaks at $peak dBFS"
    awk -v d="$offset" 'BEGIN { exit !(d > -0.001 && d < 0.001) }' || fail "$sound.wav is offset by $offset"
    echo "$sound.wav: peak $peak dBFS, offset $offset"
done
echo "the shipped sounds are made by make_sounds.sh and clean"
