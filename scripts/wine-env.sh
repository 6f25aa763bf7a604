# Sourced by the scripts that run Windows programs: points Wine at the private
# prefix and the private X display of one build folder.
#   wine_env BUILD_DIR
# The tests run the 64-bit build with Wine's 64-bit loader, which works on every
# kernel; the 32-bit loader needs a kernel that can execute 32-bit code.
wine_env() {
    local build=$1
    export WINEPREFIX="$build/wine/prefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    export WINELOADER=/usr/lib/wine/wine64
    export WINESERVER=/usr/lib/wine/wineserver64
    WINE=$WINELOADER
    if [ -f "$build/wine/display" ]; then
        export DISPLAY=":$(cat "$build/wine/display")"
    fi
}
