# Sound files the game cannot use, in every slot: it must start, play and end
# as usual, each unusable cue silent but still taking its time.
. "$(dirname "$0")/lib.sh"

good="$assets/candy.wav"
# Overwrites bytes of a file at an offset, given as printf escapes.
patch() { printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

make_bad() {  # NAME KIND
    local f="$work/$1"
    rm -rf "$f"
    case $2 in
        missing) ;;
        empty) : > "$f" ;;
        truncated) head -c 30 "$good" > "$f" ;;
        directory) mkdir "$f" ;;
        text) echo "this is not a sound" > "$f" ;;
        bits24) sox -R -n -r 22050 -b 24 -c 1 "$f" synth 0.1 sine 440 ;;
        float) sox -R -n -r 22050 -e floating-point -b 32 -c 1 "$f" synth 0.1 sine 440 ;;
        huge_length) cp "$good" "$f"; patch "$f" 40 '\360\377\377\177' ;;
        rate_zero) cp "$good" "$f"; patch "$f" 24 '\000\000\000\000' ;;
        rate_absurd) cp "$good" "$f"; patch "$f" 24 '\000\000\010\000' ;;
        two_data) cp "$good" "$f"; printf 'data\004\000\000\000\000\000\000\000' >> "$f" ;;
        random) head -c 4096 /dev/urandom > "$f" ;;
    esac
}

rounds="missing empty truncated directory
text bits24 float huge_length
rate_zero rate_absurd two_data random"
echo "$rounds" | while read -r a b c d; do
    make_bad start.wav "$a"
    make_bad laser.wav "$b"
    make_bad candy.wav "$c"
    make_bad hit.wav "$d"
    play_short_session
    echo "played with start=$a laser=$b candy=$c hit=$d"
done || exit 1
echo "window test passed: unusable sounds are silent"
