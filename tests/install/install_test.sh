# Installs the game into a scratch prefix and checks it as a player and a
# packager would: the installed tree, the desktop entry, the metadata, the
# manual page, and the launcher run from elsewhere with a fresh home (twice,
# the second time with the player's own settings).
# Arguments: BUILD_DIR READ_SCREEN
build=$1
prefix=$(mktemp -d /tmp/vorlix-prefix-XXXXXX)
. "$(dirname "$0")/../e2e/lib.sh" "$prefix/games/vorlix" "$2" -
trap 'kill $game_pid 2>/dev/null; rm -rf "$work" "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null || fail "install failed"
for f in games/vorlix libexec/vorlix/vorlix share/games/vorlix/vorlix.cfg \
         share/games/vorlix/start.wav share/games/vorlix/laser.wav share/games/vorlix/candy.wav \
         share/games/vorlix/hit.wav share/applications/org.vorlix.Vorlix.desktop \
         share/metainfo/org.vorlix.Vorlix.metainfo.xml share/icons/hicolor/scalable/apps/vorlix.svg \
         share/icons/hicolor/48x48/apps/vorlix.png share/icons/hicolor/256x256/apps/vorlix.png \
         share/man/man6/vorlix.6; do
    [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/games/vorlix" ] && [ -x "$prefix/libexec/vorlix/vorlix" ] || fail "programs not executable"
desktop-file-validate "$prefix/share/applications/org.vorlix.Vorlix.desktop" || fail "desktop entry"
grep -qx "Exec=$prefix/games/vorlix" "$prefix/share/applications/org.vorlix.Vorlix.desktop" || fail "Exec="
appstreamcli validate --no-net "$prefix/share/metainfo/org.vorlix.Vorlix.metainfo.xml" || fail "metadata"
warnings=$(groff -man -Tutf8 -ww -z "$prefix/share/man/man6/vorlix.6" 2>&1)
[ -z "$warnings" ] || fail "manual page: $warnings"
lint=$(mandoc -T lint -W warning "$prefix/share/man/man6/vorlix.6" 2>&1) || fail "manual page: $lint"
grep -q "^\.TH VORLIX 6 [0-9-]* \"Vorlix $version\"" "$prefix/share/man/man6/vorlix.6" || fail "manual page version"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/org.vorlix.Vorlix.metainfo.xml" || fail "metadata version"
MANWIDTH=80 man -l "$prefix/share/man/man6/vorlix.6" 2>/dev/null | grep -q "vorlix.cfg" || fail "manual page does not render"
echo "installed tree, desktop entry, metadata and manual page are good"

# A home where the game's directory cannot be made: the launcher says which and why.
touch "$work/not-a-directory"
said=$(HOME="$work/not-a-directory" XDG_CONFIG_HOME= "$prefix/games/vorlix" 2>&1) && fail "the launcher went on"
[ "$said" = "vorlix: cannot make the game's directory $work/not-a-directory/.config/vorlix: Not a directory" ] ||
    fail "the launcher said: $said"

# First run, from an unrelated directory with a fresh home.
export HOME="$work/home"
unset XDG_CONFIG_HOME
mkdir -p "$HOME"
play_short_session
config="$HOME/.config/vorlix"
[ -f "$config/vorlix.cfg" ] && [ ! -L "$config/vorlix.cfg" ] || fail "no copy of the configuration"
[ "$(cat "$config/vorlix.cfg")" = "1 0" ] || fail "the copied configuration differs"
for s in start laser candy hit; do
    [ -L "$config/$s.wav" ] && [ -f "$config/$s.wav" ] || fail "no link to $s.wav"
done
echo "first run made $config"

# The player edits the configuration; the second run keeps and uses it.
printf '1 1\n' > "$config/vorlix.cfg"
title_on_white() { text_is 220 200 "Vorlix version $version" && pixel_is 5 5 FFFFFF; }
frame_on_white() { pixel_is 638 15 FF00FF && pixel_is 638 400 FFFFFF; }  # columns no candy reaches
start_game
wait_until "the title on white" title_on_white
key a
wait_until "the playfield on white" frame_on_white
key b
wait_until "the game-over prompt" prompt_shown
quit_key n
expect_exit_0
[ "$(cat "$config/vorlix.cfg")" = "1 1" ] || fail "the player's configuration was not kept"
echo "second run kept and used the player's configuration"

echo "install test passed"
