#!/usr/bin/env bash
# Prints the benchmarks' figures: the colour conversion natively and under
# Wine; the tool activation, lens moves, selection drags, Measurer and
# Dropper moves and the information panel's zoom view under Wine at two screen
# sizes; copying and saving the whole screen; and a soak of 1,000 activations
# of the real program.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
# Under Wine, the figures are those of the build the tests prove: the shipped
# 32-bit one wherever Wine's 32-bit loader runs.
arch=$(wine_arch)

# Sanitizers would measure themselves; the figures come from a plain build.
cmake -S "$here/.." -B "$build/bench-native" -G Ninja -DVANTACLE_SANITIZE=OFF \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build/bench-native" colour_bench >/dev/null
echo "== colour, native"
"$build/bench-native/bench/colour/colour_bench"

for size in 1024x768 1920x1080; do
    session="$build/bench-$size"
    "$here/wine-session.sh" start "$session" "$size" >/dev/null
    wine_env "$session" "$arch"
    if [ "$size" = 1024x768 ]; then
        echo "== colour, under Wine, $arch build"
        "$WINE" "$build/$arch/bench/colour/colour_bench.exe"
    fi
    echo "== activation, under Wine at $size, $arch build"
    "$WINE" "$build/$arch/bench/activation/activation_bench.exe"
    echo "== lens moves, under Wine at $size, $arch build"
    "$WINE" "$build/$arch/bench/lens/lens_bench.exe"
    echo "== selection drags, under Wine at $size, $arch build"
    "$WINE" "$build/$arch/bench/selection/selection_bench.exe"
    echo "== Measurer and Dropper moves, under Wine at $size, $arch build"
    "$WINE" "$build/$arch/bench/measure/measure_bench.exe"
    if [ "$size" = 1920x1080 ]; then
        echo "== copying and saving the whole screen, under Wine, $arch build"
        "$WINE" "$build/$arch/bench/export/export_bench.exe"
    fi
    echo "== zoom view and panel mouse moves, under Wine at $size, $arch build"
    "$WINE" "$build/$arch/bench/zoom/zoom_bench.exe"
    "$here/wine-session.sh" stop "$session"
done

echo "== soak of the real program, $arch build"
VANTACLE_ARCH=$arch VANTACLE_BUILD="$build/$arch" /usr/bin/python3 "$here/../bench/soak/soak.py"
