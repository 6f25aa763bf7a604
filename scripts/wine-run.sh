#!/usr/bin/env bash
# Runs a Windows test program of a build folder through Wine, in that folder's
# private prefix and display, with the loader of the program's own width.
# CMake uses it as the cross-compiling emulator.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
build=${VANTACLE_BUILD:-}
if [ -z "$build" ]; then
    dir=$(cd "$(dirname "$1")" && pwd)
    while [ "$dir" != / ] && [ ! -d "$dir/wine" ]; do dir=$(dirname "$dir"); done
    build=$dir
fi
wine_env "$build" "$(pe_arch "$1")"
exec "$WINE" "$@"
