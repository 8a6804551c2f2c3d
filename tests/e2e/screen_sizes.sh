# The game on screens from 1024 x 768 to 4K, in a window and full screen,
# each in an X server of that size, and on a Wayland desktop (sway, headless,
# through XWayland) with one output of 2560 x 1440 and with two side by side:
# the field at the largest whole scale that fits, centred, every k x k block
# one colour, full screen black all around it on its one output while the
# other shows its own background; the title, the field and the panel pixel
# for pixel as the library draws them at 640 x 480; and the player's choice
# of scale, where it fits and where it does not. The table gives each
# display, the window type, the scale and the field's top-left corner
# expected there (a window on the Wayland desktop has the compositor's own
# frame around it), and the game's arguments.
# Arguments: PROGRAM READ_SCREEN ASSETS DRAW_SCREENS
#   (and, run by itself on each display: DISPLAY TYPE K LEFT TOP [ARGS])
if [ $# -eq 4 ]; then
    here=$(cd "$(dirname "$0")" && pwd)
    # sway will not run as root: as root, the Wayland desktop and the game
    # on it run as nobody.
    as_player=
    [ "$(id -u)" -eq 0 ] && as_player="setpriv --reuid=65534 --regid=65534 --clear-groups"
    # Runs the case on a headless sway of OUTPUTS outputs, each 2560 x 1440
    # and of the same background colour, and stops it again.
    on_sway() {
        local outputs=$1 run status=1 sway x_before x_socket
        shift
        run=$(mktemp -d /tmp/vorlix-sway-XXXXXX)
        printf 'xwayland enable\n' > "$run/config"
        for n in $(seq "$outputs"); do
            printf 'output HEADLESS-%d resolution 2560x1440 position %d 0 scale 1 bg #305080 solid_color\n' \
                "$n" $(((n - 1) * 2560)) >> "$run/config"
        done
        [ -n "$as_player" ] && chown 65534 "$run"
        chmod 700 "$run"
        x_before=$(ls /tmp/.X11-unix 2>/dev/null)
        $as_player env XDG_RUNTIME_DIR="$run" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
            WLR_HEADLESS_OUTPUTS="$outputs" sway -c "$run/config" > "$run/sway.log" 2>&1 &
        sway=$!
        # sway takes an X display for XWayland as it starts.
        for _ in $(seq 300); do
            x_socket=$(ls /tmp/.X11-unix 2>/dev/null | grep -vxF "$x_before" | head -n 1)
            [ -n "$x_socket" ] && [ -S "$run/wayland-1" ] && break
            sleep 0.1
        done
        if [ -n "$x_socket" ]; then
            $as_player env XDG_RUNTIME_DIR="$run" WAYLAND_DISPLAY=wayland-1 DISPLAY=":${x_socket#X}" \
                VORLIX_OUTPUTS="$outputs" bash "$here/screen_sizes.sh" "$@"
            status=$?
        else
            echo "FAIL: sway did not start: $(tail -n 5 "$run/sway.log")"
        fi
        kill "$sway" 2>/dev/null
        wait "$sway" 2>/dev/null
        rm -rf "$run"
        return $status
    }
    failed=0
    while read -r display type k left top args <&3; do
        echo "== $display, $type${args:+, $args}: scale $k at ($left, $top)"
        case $display in
        sway*) on_sway "${display#sway}" "$@" "$display" "$type" "$k" "$left" "$top" "$args" ;;
        *) xvfb-run -a -s "-screen 0 ${display}x24" bash "$0" "$@" "$display" "$type" "$k" "$left" "$top" "$args" ;;
        esac || failed=1
    done 3<<EOF
1024x768 window 1 192 144
1024x768 full 1 192 144
1920x1080 window 2 320 60
1920x1080 full 2 320 60
2560x1440 window 3 320 0
2560x1440 full 3 320 0
3840x2160 window 4 640 120
3840x2160 full 4 640 120
1920x1080 window 1 640 300 --scale 1
1024x768 full 1 192 144 --scale 3
sway1 window 2 640 240
sway1 full 3 320 0
sway2 full 3 320 0
EOF
    [ "$failed" = 0 ] && echo "window test passed: sharp, whole and centred on every screen, in a window and full screen"
    exit $failed
fi
. "$(dirname "$0")/lib.sh"
draw=$4 display=$5 type=$6 expected="$7 $8 $9" game_args=${10}
[ "$type" = full ] && printf '0 0\n' > "$work/vorlix.cfg"
# Around a window on the Wayland desktop lie its frame and the background.
around=black
[ -n "${WAYLAND_DISPLAY:-}" ] && [ "$type" = window ] && around=

# Takes the display as it is: the X server's whole screen, or the Wayland
# desktop's first output.
take_display() {
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        grim -t ppm -o HEADLESS-1 "$work/display.xwd"
    else
        xwd -root -silent > "$work/display.xwd"
    fi 2>/dev/null
}
# The Wayland desktop's second output shows nothing but its own background.
check_display() {
    [ "${VORLIX_OUTPUTS:-1}" -lt 2 ] && return 0
    grim -t ppm -o HEADLESS-2 "$work/second.ppm" 2>/dev/null &&
        [ "$("$reader" "$work/second.ppm" pixel 1280 720)" = 305080 ] && return 0
    echo "the second output does not show its own background" > "$work/field"
    return 1
}
shot() { scaled_shot; }
# The window takes the keyboard; full screen has it already. Keys go where
# the keyboard is.
take_window() {
    [ "$type" = full ] && return 0
    for _ in $(seq 1200); do
        window=$(xdotool search --onlyvisible --name '^vorlix$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "no game window appeared and took the focus"
}
key() { xdotool key "$@"; }
quit_key() { xdotool key "$@"; }

play_short_session_as_drawn "$draw"
[ "$(head -n 1 "$work/field")" = "$expected" ] ||
    fail "the field is at scale, left, top $(head -n 1 "$work/field"), not $expected"
echo "$display, $type: scale, left, top $expected; each screen as the library draws it"
