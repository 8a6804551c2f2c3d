# The Windows program under wine in a 1920 x 1080 virtual desktop, with
# wine's LogPixels at 96, 144 and 192 (a desktop scaled to 100 %, 150 % and
# 200 %): in a window and full screen, the field at scale 2, every 2 x 2
# block one colour, centred, full screen over the whole desktop with black
# around it and the desktop's mode unchanged; the title, the field and the
# panel pixel for pixel as the library draws them on Linux. The table gives
# the scaling, the window type, and the scale and the field's top-left
# corner expected there.
# Arguments: PROGRAM READ_SCREEN ASSETS DRAW_SCREENS (under in_wine.sh)
. "$(dirname "$0")/../e2e/lib.sh"
draw=$4
launcher="wine explorer /desktop=vorlix-screen,1920x1080"

# Sets the desktop's scaling for the programs started from now on; the
# prefix goes back to 100 % however the test ends.
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f > /dev/null 2>&1; }
trap 'kill $game_pid 2>/dev/null; set_dpi 96; rm -rf "$work"' EXIT

# Wine's desktop, while it is there.
desktop_window() { xdotool search --name '^vorlix-screen - Wine desktop$' 2>/dev/null | head -n 1; }
# A shot is the whole desktop, which keeps its size, and the field in it.
take_display() {
    local desktop
    desktop=$(desktop_window)
    [ -n "$desktop" ] || return 1
    xwininfo -id "$desktop" | grep -q "Width: 1920" || fail "the desktop is no longer 1920 x 1080"
    xwd -id "$desktop" -silent > "$work/display.xwd" 2>/dev/null
}
shot() { scaled_shot; }

while read -r dpi type expected <&3; do
    set_dpi "$dpi"
    if [ "$type" = full ]; then
        printf '0 0\n' > "$work/vorlix.cfg"
        around=black
    else
        printf '1 0\n' > "$work/vorlix.cfg"
        around=
    fi
    # The last game's desktop goes with it, a moment after: a game started
    # meanwhile would go to that desktop, and its launcher end at once.
    for _ in $(seq 600); do
        [ -z "$(desktop_window)" ] && break
        sleep 0.1
    done
    play_short_session_as_drawn "$draw"
    got=$(head -n 1 "$work/field")
    case "$got" in
    $expected) ;;
    *) fail "at LogPixels $dpi, $type: the field is at scale, left, top $got, not $expected" ;;
    esac
    echo "LogPixels $dpi, $type: scale, left, top $got; each screen as the library draws it"
done 3<<EOF
96 window 2 320 *
96 full 2 320 60
144 window 2 320 *
144 full 2 320 60
192 window 2 320 *
192 full 2 320 60
EOF
echo "windows test passed: sharp, whole and centred at every scaling, in a window and full screen"
