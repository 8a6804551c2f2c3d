# The Windows packages as a player meets them, under wine: the zip unpacked
# and played where it lies, its program telling Windows that it scales
# itself sharply at each monitor's own pixels; the installer run silently, for the player alone,
# its Start-menu entry played, the player's edit of the configuration kept by
# a reinstall, and a silent uninstall that leaves nothing of the game behind.
# Arguments: BUILD_WINDOWS READ_SCREEN (under in_wine.sh)
build=$1
. "$(dirname "$0")/../e2e/lib.sh" - "$2" -
version=$("$(dirname "$0")/../../tools/version.sh")
zip=$build/vorlix-$version-win64.zip
setup=$build/vorlix-$version-setup.exe

# A Windows folder of the prefix's, as a Unix path.
folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
# Runs a Windows program and waits for all it started, the uninstaller's
# copy of itself too.
run_and_wait() { wine "$@" && wineserver --wait; }

# The zip: one folder, which plays where it is unpacked.
unzip -q "$zip" -d "$work/unpacked" || fail "unzip"
[ "$(ls "$work/unpacked")" = "vorlix-$version" ] || fail "the zip holds more than its folder: $(ls "$work/unpacked")"
game_dir=$work/unpacked/vorlix-$version
program=$game_dir/vorlix.exe
wrestool -x --raw -t 24 "$program" | grep -q "<dpiAwareness[^>]*>PerMonitorV2</dpiAwareness>" ||
    fail "the program's manifest does not say it is aware of each monitor's scaling"
play_short_session
echo "the zip plays where it is unpacked"

# The installer, silently, for this player alone.
run_and_wait "$setup" /S || fail "the installer failed"
dir=$(folder LOCALAPPDATA)/Programs/Vorlix
for f in vorlix.exe vorlix.cfg start.wav laser.wav candy.wav hit.wav LICENSE.txt ALLEGRO-LICENSE.txt \
         RUNTIME-NOTICES.txt uninstall.exe; do
    [ -f "$dir/$f" ] || fail "not installed: $f"
done
shortcut=$(folder APPDATA)/Microsoft/Windows/Start\ Menu/Programs/Vorlix.lnk
[ -f "$shortcut" ] || fail "no Start-menu entry"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlix'
wine reg query "$key" /v UninstallString 2>/dev/null | grep -q 'uninstall.exe' || fail "no entry under installed apps"
echo "installed in $dir, with a Start-menu entry and an entry under installed apps"

# The Start-menu entry starts the game in its folder, where it finds its
# files. Windows hands back nothing of a program started through a shortcut,
# so the game is followed by its process.
wine start /unix "$shortcut" || fail "the Start-menu entry did not start"
for _ in $(seq 600); do
    game_pid=$(pgrep -f 'Programs.Vorlix.vorlix\.exe' | head -n 1)
    [ -n "$game_pid" ] && break
    sleep 0.1
done
[ -n "$game_pid" ] || fail "the Start-menu entry started no game"
take_window
play_shortest_game
wait_for_end "the game did not end"
game_pid=
echo "the installed game plays from its Start-menu entry"

# The player's edit of the configuration survives a reinstall.
printf '1 1\n' > "$dir/vorlix.cfg"
run_and_wait "$setup" /S || fail "the reinstall failed"
[ "$(cat "$dir/vorlix.cfg")" = "1 1" ] || fail "a reinstall overwrote the player's configuration"
echo "a reinstall keeps the player's configuration"

# A silent uninstall leaves nothing of the game behind.
run_and_wait "$dir/uninstall.exe" /S || fail "the uninstaller failed"
[ ! -e "$dir" ] || fail "left behind: $(ls -A "$dir")"
[ ! -e "$shortcut" ] || fail "the Start-menu entry was left behind"
wine reg query "$key" > /dev/null 2>&1 && fail "the entry under installed apps was left behind"
echo "windows test passed: the zip plays; the installer installs, keeps the player's edit, and uninstalls cleanly"
