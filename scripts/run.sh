#!/usr/bin/env bash
# Starts the program of a build folder under Wine, in a virtual desktop window
# on the current display, or on a private Xvfb display when there is none.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

# Wine's 32-bit loader runs the shipped 32-bit program where the kernel can
# execute 32-bit code; elsewhere the same program built for 64 bits runs.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    exe="$build/win32/Vantacle.exe"
    loader=/usr/lib/wine/wine
else
    exe="$build/win64/Vantacle.exe"
    loader=/usr/lib/wine/wine64
    echo "This kernel cannot run 32-bit programs: running the 64-bit build."
fi

run_dir="$build/run"
mkdir -p "$run_dir"
wine_env "$run_dir"
export WINELOADER=$loader
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: starting a private Xvfb; the program runs there, out of sight."
    "$here/wine-session.sh" start "$run_dir" >/dev/null
    wine_env "$run_dir"
    export WINELOADER=$loader
    trap '"$here/wine-session.sh" stop "$run_dir"' EXIT
    # Ctrl+C or a kill ends the script through its exit, so the display goes too.
    trap 'exit 130' INT TERM
elif [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$loader" wineboot -i >/dev/null 2>&1 || true
fi
# The desktop gets a taskbar, whose notification area holds the program's icons.
"$loader" reg add 'HKCU\Software\Wine\Explorer\Desktops\Vantacle' /v EnableShell /t REG_DWORD \
    /d 1 /f >/dev/null 2>&1
echo "Vantacle runs in the Wine desktop window; quit it from its tray menu (E&xit)."
exec_status=0
"$loader" explorer /desktop=Vantacle,1024x768 "$exe" || exec_status=$?
exit $exec_status
