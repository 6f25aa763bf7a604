#!/usr/bin/env bash
# Starts or stops the private X display and Wine prefix of a build folder.
#   wine-session.sh start BUILD_DIR [WIDTHxHEIGHT]
#   wine-session.sh stop BUILD_DIR
# Every program of the prefix shares one Wine virtual desktop (with its own
# taskbar and notification area), so tests see each other's windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
action=$1
build=$(mkdir -p "$2" && cd "$2" && pwd)
desktop=${3:-1024x768}
state="$build/wine"
mkdir -p "$state"

stop_session() {
    wine_env "$build"
    if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
        rm -f "$state/xvfb.pid" "$state/display"
    fi
}

case "$action" in
start)
    stop_session
    # Xvfb picks a free display number itself and reports it through a fifo.
    fifo="$state/display.fifo"
    rm -f "$fifo" && mkfifo "$fifo"
    # The display is exactly as large as the desktop: with the pointer outside
    # the desktop window, Wine receives no key strokes.
    Xvfb -displayfd 3 -screen 0 "${desktop}x24" -nolisten tcp -noreset \
        3>"$fifo" >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    # A loaded machine can take a while to start a server: wait generously.
    display=
    read -r -t 120 display <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$display" ]; then
        echo "Xvfb did not start; see $state/xvfb.log" >&2
        stop_session
        exit 1
    fi
    echo "$display" >"$state/display"
    wine_env "$build"
    wine_prefix_make
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null
    # The desktop's taskbar, with the notification area the tray icons live in.
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD \
        /d 1 /f >/dev/null
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w
    # Keep the server and the desktop up for the whole session, started here
    # with no pipe of the caller's open: a daemon that inherits a test's output
    # pipe keeps that test waiting for the end of its output forever.
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
    echo "wine session: display :$display, prefix $WINEPREFIX, desktop $desktop"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: $0 start|stop BUILD_DIR [WIDTHxHEIGHT]" >&2
    exit 2
    ;;
esac
