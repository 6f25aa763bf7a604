#!/usr/bin/env bash
# Starts or stops the private X display and Wine prefix of a build folder.
#   wine-session.sh start BUILD_DIR [WIDTHxHEIGHT]
#   wine-session.sh monitors BUILD_DIR [PRIMARY [SECONDARY]]
#   wine-session.sh stop BUILD_DIR
# start: every program of the prefix shares one Wine virtual desktop (with its
# own taskbar and notification area), so tests see each other's windows.
# monitors: two monitors, the secondary (800x600 unless given) left of the
# primary (1024x768; both sizes among the dummy driver's standard modes), on
# an Xorg display with the dummy driver, and no virtual desktop: Wine's
# desktop has one monitor and Xvfb's Xinerama puts every head at the same
# origin, so only this shows programs a virtual screen that reaches into
# negative x. Windows coordinates start at the primary's corner; in X root
# coordinates everything lies the secondary's width further right.
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
    local server pid
    for server in xvfb xorg; do
        if [ -f "$state/$server.pid" ]; then
            pid=$(cat "$state/$server.pid")
            kill "$pid" 2>/dev/null || true
            # The next session may want the same display number at once.
            for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
            rm -f "$state/$server.pid"
        fi
    done
    rm -f "$state/display"
}

# Starts an X server that reports its display number on descriptor 3 (it
# picks a free one itself) and records it; the server's own arguments follow
# its name for the pid file.
start_server() {
    local name=$1 fifo="$state/display.fifo" display=
    shift
    rm -f "$fifo" && mkfifo "$fifo"
    "$@" -displayfd 3 3>"$fifo" </dev/null >"$state/$name.log" 2>&1 &
    echo $! >"$state/$name.pid"
    # A loaded machine can take a while to start a server: wait generously.
    read -r -t 120 display <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$display" ]; then
        echo "$name did not start; see $state/$name.log" >&2
        stop_session
        exit 1
    fi
    echo "$display" >"$state/display"
}

# The Wine server and explorer for the session, started with no pipe of the
# caller's open: a daemon that inherits a test's output pipe keeps that test
# waiting for the end of its output forever. Explorer reads the monitors
# when it starts, so this comes after the display has its final layout.
start_wine() {
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
}

# The dummy driver's configuration: a frame buffer large enough for both
# monitors side by side, no input devices of the machine's (xdotool's come
# through XTEST), and no switch of the machine's virtual consoles.
write_xorg_conf() {
    cat >"$1" <<'CONF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 4096 2048
    EndSubSection
EndSection
CONF
}

case "$action" in
start)
    stop_session
    # The display is exactly as large as the desktop: with the pointer outside
    # the desktop window, Wine receives no key strokes.
    start_server xvfb Xvfb -screen 0 "${desktop}x24" -nolisten tcp -noreset
    display=$(cat "$state/display")
    wine_env "$build"
    wine_prefix_make
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null
    # The desktop's taskbar, with the notification area the tray icons live in.
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD \
        /d 1 /f >/dev/null
    mount_manager_for_emulation
    start_wine
    echo "wine session: display :$display, prefix $WINEPREFIX, desktop $desktop"
    ;;
monitors)
    primary=${3:-1024x768}
    secondary=${4:-800x600}
    stop_session
    write_xorg_conf "$state/xorg.conf"
    # Run as whoever calls: the dummy driver needs no privileges, nor the
    # caller's terminal or the machine's virtual consoles, which -keeptty and
    # -novtswitch leave alone.
    start_server xorg Xorg -config "$state/xorg.conf" -logfile "$state/xorg.verbose.log" \
        -noreset -nolisten tcp -keeptty -novtswitch
    display=$(cat "$state/display")
    wine_env "$build"
    # The second output knows no mode until it is given one of the driver's.
    DISPLAY=:$display xrandr --addmode DUMMY1 "$secondary"
    DISPLAY=:$display xrandr --output DUMMY0 --mode "$primary" --primary --pos 0x0 \
        --output DUMMY1 --mode "$secondary" --left-of DUMMY0
    # Wine asks for the outputs without having the server probe them, and the
    # dummy driver reports an output with an added mode as connected only
    # after a probe: without this Wine sees the primary alone.
    DISPLAY=:$display xrandr >/dev/null
    wine_prefix_make
    # A prefix used for a virtual desktop before would open one again.
    "$WINE64" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
    # No window manager runs here, so Wine places and sizes every window
    # itself: a managed window that is maximised waits for a window manager
    # to size it and stays 1 by 1 pixel.
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    mount_manager_for_emulation
    start_wine
    echo "wine session: display :$display, prefix $WINEPREFIX, monitors $primary and $secondary left of it"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: $0 start BUILD_DIR [WIDTHxHEIGHT] | monitors BUILD_DIR [PRIMARY [SECONDARY]] | stop BUILD_DIR" >&2
    exit 2
    ;;
esac
