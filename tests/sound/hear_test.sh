# The reader of what was heard pairs every cue with its own sound over a
# whole session: sessions made up here, two games of a title, a candy, three
# lasers 60 ms apart and a crash, each heard 100 ms after its call (the
# second game 150 ms), with one fault each: none; a laser not heard; a click
# heard for no cue; a title broken by silence. The table gives each fault and
# what the reader must say of it, and every other cue must be heard with its
# own length and latency.
# Arguments: HEAR
set -u
hear=$1
work=$(mktemp -d /tmp/vorlix-hear-XXXXXX)
trap 'rm -rf "$work"' EXIT
failed=0
rate=44100

# A session: each line "CUE_MS AT_MS LATENCY_MS [missing | broken]" plays a
# cue at AT_MS and is heard LATENCY_MS later, whole, not at all, or broken by
# 10 ms of silence 100 ms in; "click AT_MS" is a 5 ms sound heard for no cue.
make_session() {
    rm -f "$work"/heard.* "$work/plays"
    echo "run 0 0" > "$work/heard.runs"
    local at=0 cue start ms latency how
    while read -r cue start latency how; do
        [ "$cue" = click ] && set -- "$start" 5 || set -- $((start + latency)) "$cue"
        [ "$cue" = click ] || echo "play $cue $((start * 1000000))" >> "$work/plays"
        [ "$how" = missing ] && continue
        silence $(( $1 * rate / 1000 - at ))
        if [ "$how" = broken ]; then
            sound $((100 * rate / 1000)); silence $((10 * rate / 1000)); sound $(( ($2 - 110) * rate / 1000 ))
        else
            sound $(( $2 * rate / 1000 ))
        fi
        at=$(( ($1 + $2) * rate / 1000 ))
    done
    silence "$rate"
}
# Frames of silence, or of a quiet sound on the left channel alone.
silence() { head -c $(( $1 * 4 )) /dev/zero >> "$work/heard.frames"; }
sound() { head -c $(( $1 * 4 )) /dev/zero | tr '\0' '\1' >> "$work/heard.frames"; }

# CASE NAME FAULT_LINE SAYS
expect() {
    local name=$1 fault=$2 says=$3
    {
        printf '225 1000 100\n50 2000 100\n32 3000 100 %s\n32 3060 100\n32 3120 100\n300 4000 100\n' \
            "$([ "$fault" = missing ] && echo missing)"
        [ "$fault" = click ] && printf 'click 2500\n'
        printf '225 6000 150 %s\n50 7000 150\n32 8000 150\n32 8060 150\n32 8120 150\n300 9000 150\n' \
            "$([ "$fault" = broken ] && echo broken)"
    } | sort -k2 -n | make_session
    out=$("$hear" "$work/heard" "$work/plays")
    faults=$(echo "$out" | grep "^FAIL" | grep -v "right channel\|latency is too long")
    paired=$(echo "$out" | awk '$1 ~ /^(title|candy|laser|crash)$/ && ($3 != 100.0 && $3 != 150.0) { print }')
    if [ "$faults" != "${says:+FAIL: $says}" ] || [ -n "$paired" ]; then
        echo "FAIL $name: said \"$faults\"; cues off their own sound: \"$paired\""
        failed=1
    fi
}

expect "every cue heard" none ""
expect "a laser not heard" missing "laser not heard"
expect "a click heard for no cue" click "a sound of 5.0 ms heard for no cue"
expect "a title broken by silence" broken "title broken by 10.0 ms of silence 100.0 ms in"
[ "$failed" = 0 ] && echo "every cue is paired with its own sound, whatever one fault of a session"
exit $failed
