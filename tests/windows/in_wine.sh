# Runs a test of the Windows program under wine: in a prefix of the tests'
# own (VORLIX_WINEPREFIX, made on first use), without wine's own chatter, its
# first-run offers of .NET and a web engine, or menu entries made on the
# machine, and with its windows activated as the X server's focus moves, as
# no window manager does it here; the window tests run the program through
# it (VORLIX_LAUNCHER).
# Wine's server is stopped afterwards, so that the next test starts afresh
# on its own X display.
#   in_wine.sh COMMAND [ARG...]   (under an X server)
set -u
export WINEPREFIX=${VORLIX_WINEPREFIX:?set VORLIX_WINEPREFIX to the tests\' wine prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export VORLIX_LAUNCHER=wine
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.made" ]; then
        rm -rf "$WINEPREFIX"
        wineboot --init > /dev/null 2>&1 &&
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /t REG_SZ /d N /f > /dev/null 2>&1 &&
            wineserver --wait && touch "$WINEPREFIX/.made"
    fi
) 9> "$WINEPREFIX.lock"
[ -f "$WINEPREFIX/.made" ] || { echo "FAIL: wine could not make its prefix in $WINEPREFIX"; exit 1; }
"$@"
status=$?
wineserver --kill 2> /dev/null
wineserver --wait 2> /dev/null
exit $status
