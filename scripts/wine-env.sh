# Sourced by the scripts that run Windows programs: which build Wine runs, and
# the private prefix and X display of one build folder.
#
# The shipped program is the 32-bit build, so that is the one the tests prove
# wherever Wine's 32-bit loader runs. Kernels that cannot execute 32-bit code
# cannot run that loader; there the 64-bit build of the same sources is proved.
# VANTACLE_ARCH=win64 forces the 64-bit path on any machine (VANTACLE_ARCH=win32
# forces the 32-bit one); this is the only place the choice is made.

# Prints win32 or win64: the build this machine proves.
wine_arch() {
    case "${VANTACLE_ARCH:-}" in
    win32 | win64) echo "$VANTACLE_ARCH" ;;
    "")
        if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
        ;;
    *)
        echo "VANTACLE_ARCH must be win32 or win64, not '$VANTACLE_ARCH'" >&2
        return 1
        ;;
    esac
}

# True when Wine's 32-bit loader runs here, so both builds can be run.
wine_runs_32bit() {
    [ "${VANTACLE_ARCH:-}" != win64 ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Prints the loader that runs the programs of one build.
wine_loader() {
    case "$1" in
    win32) echo /usr/lib/wine/wine ;;
    *) echo /usr/lib/wine/wine64 ;;
    esac
}

#   wine_env BUILD_DIR [win32|win64]
# Points Wine at the prefix and display of BUILD_DIR; WINE is the loader of
# the given build (by default the one this machine proves). Prefixes are
# always 64-bit ones (WoW64): created by WINE64, they run programs of both
# builds, and one 64-bit server serves them all. Each loader starts the other
# for a program of the other width by adding or dropping the "64".
wine_env() {
    local build=$1 arch=${2:-}
    [ -n "$arch" ] || arch=$(wine_arch) || return 1
    export WINEPREFIX="$build/wine/prefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    export WINELOADER
    WINELOADER=$(wine_loader "$arch")
    export WINESERVER=/usr/lib/wine/wineserver64
    WINE=$WINELOADER
    WINE64=/usr/lib/wine/wine64
    if [ -f "$build/wine/display" ]; then
        export DISPLAY=":$(cat "$build/wine/display")"
    fi
}

# Prints win32 or win64: the width of a Windows program, from its PE header.
pe_arch() {
    local header machine
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')
    case "$machine" in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) echo "$1 is not a 32- or 64-bit x86 Windows program" >&2; return 1 ;;
    esac
}
