#!/usr/bin/env bash
# Prints the benchmarks' figures: the colour conversion natively and under
# Wine, and the tool activation, lens moves and the information panel's zoom
# view under Wine at two screen sizes.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

# Sanitizers would measure themselves; the figures come from a plain build.
cmake -S "$here/.." -B "$build/bench-native" -G Ninja -DVANTACLE_SANITIZE=OFF \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build/bench-native" colour_bench >/dev/null
echo "== colour, native"
"$build/bench-native/bench/colour/colour_bench"

for size in 1024x768 1920x1080; do
    session="$build/bench-$size"
    "$here/wine-session.sh" start "$session" "$size" >/dev/null
    wine_env "$session"
    if [ "$size" = 1024x768 ]; then
        echo "== colour, under Wine"
        "$WINE" "$build/win64/bench/colour/colour_bench.exe"
    fi
    echo "== activation, under Wine at $size"
    "$WINE" "$build/win64/bench/activation/activation_bench.exe"
    echo "== lens moves, under Wine at $size"
    "$WINE" "$build/win64/bench/lens/lens_bench.exe"
    echo "== zoom view and panel mouse moves, under Wine at $size"
    "$WINE" "$build/win64/bench/zoom/zoom_bench.exe"
    "$here/wine-session.sh" stop "$session"
done
