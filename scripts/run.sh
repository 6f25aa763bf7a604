#!/usr/bin/env bash
# Starts the program of a build folder under Wine, in a virtual desktop window
# on the current display, or on a private Xvfb display when there is none.
# Whatever ends it (the program's own exit, Ctrl+C, a kill of this script), it
# leaves no Wine process of its prefix and no display of its own behind.
#   run.sh BUILD_DIR
# VANTACLE_RUN_DIR moves the prefix (and private display) away from
# BUILD_DIR/run; VANTACLE_ARCH=win64 runs the 64-bit build.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

arch=$(wine_arch)
exe="$build/$arch/Vantacle.exe"
if [ "$arch" = win64 ]; then
    echo "Running the 64-bit build: Wine's 32-bit loader does not run here (or VANTACLE_ARCH=win64)."
elif [ "$(wine_runs win32)" = emulated ]; then
    echo "This kernel cannot run 32-bit code; qemu emulates the program, whose start takes about a minute."
fi
# Prefixes are copies of one made once for the build folder.
export VANTACLE_PREFIX_TEMPLATE=${VANTACLE_PREFIX_TEMPLATE:-$build/wine-template}
run_dir=${VANTACLE_RUN_DIR:-$build/run}
mkdir -p "$run_dir/wine"
run_dir=$(cd "$run_dir" && pwd)

private_display=
cleanup() {
    trap - EXIT INT TERM
    if [ -n "$private_display" ]; then
        "$here/wine-session.sh" stop "$run_dir"
    else
        "$WINESERVER" -k 2>/dev/null || true
        "$WINESERVER" -w 2>/dev/null || true
    fi
}
trap cleanup EXIT
# A signal ends the script through its exit, and so through the clean-up.
trap 'exit 130' INT
trap 'exit 143' TERM

wine_env "$run_dir" "$arch"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: starting a private Xvfb; the program runs there, out of sight."
    private_display=yes
    "$here/wine-session.sh" start "$run_dir" >/dev/null
    wine_env "$run_dir" "$arch"
    echo "Vantacle runs on display $DISPLAY; quit it from its tray menu (E&xit) or with Ctrl+C."
    # In the background, so that a signal reaches the traps at once.
    "$WINE" "$exe" </dev/null &
else
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (the first time takes a while)."
        wine_prefix_make
    fi
    # One desktop window for every program of this prefix, with a taskbar whose
    # notification area holds the program's icons. The name of the desktop
    # goes in last: a Wine process started once it is there brings the
    # desktop up, and must find its size and shell already set.
    desktops='HKCU\Software\Wine\Explorer\Desktops'
    "$WINE64" reg add "$desktops" /v Vantacle /d 1024x768 /f >/dev/null 2>&1
    "$WINE64" reg add "$desktops\Vantacle" /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Vantacle /f >/dev/null 2>&1
    mount_manager_for_emulation
    echo "Vantacle runs in the Wine desktop window; quit it from its tray menu (E&xit) or with Ctrl+C."
    # The program's own loader starts it, as the tests do; its first window
    # brings up the desktop that the setting above names.
    "$WINE" "$exe" </dev/null &
fi
status=0
wait $! || status=$?
# Ctrl+C and kills end the script through its traps, never here.
echo "Vantacle ended (exit status $status)."
exit $status
