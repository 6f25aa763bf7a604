#!/usr/bin/env bash
# Prints the benchmarks' figures: the colour conversion natively and under
# Wine; the tool activation, lens moves, selection drags, Measurer and
# Dropper moves and the information panel's zoom view under Wine at two screen
# sizes, and the activation on two monitors; copying and saving the whole screen; and a soak of 1,000 activations
# of the real program.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
# Under Wine, the figures are those of the shipped 32-bit build wherever Wine's
# 32-bit loader runs natively; where qemu emulates it they would time qemu, so
# there they are the 64-bit build's (VANTACLE_ARCH=win32 times the emulated
# one all the same, and says so).
arch=$(wine_bench_arch)
runs=$(wine_runs "$arch")
label="$arch build"
if [ "$runs" = emulated ]; then
    label="$arch build EMULATED by qemu-i386-static (not its native speed)"
elif [ "$arch" = win64 ] && [ "$(wine_32bit_mode)" = emulated ]; then
    echo "bench: the shipped 32-bit build is emulated here; these figures are the 64-bit build's"
fi
export VANTACLE_PREFIX_TEMPLATE=${VANTACLE_PREFIX_TEMPLATE:-$build/wine-template}

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
        echo "== colour, under Wine, $label"
        "$WINE" "$build/$arch/bench/colour/colour_bench.exe"
    fi
    echo "== activation, under Wine at $size, $label"
    "$WINE" "$build/$arch/bench/activation/activation_bench.exe"
    echo "== lens moves, under Wine at $size, $label"
    "$WINE" "$build/$arch/bench/lens/lens_bench.exe"
    echo "== selection drags, under Wine at $size, $label"
    "$WINE" "$build/$arch/bench/selection/selection_bench.exe"
    echo "== Measurer and Dropper moves, under Wine at $size, $label"
    "$WINE" "$build/$arch/bench/measure/measure_bench.exe"
    if [ "$size" = 1920x1080 ]; then
        echo "== copying and saving the whole screen, under Wine, $label"
        "$WINE" "$build/$arch/bench/export/export_bench.exe"
    fi
    echo "== zoom view and panel mouse moves, under Wine at $size, $label"
    "$WINE" "$build/$arch/bench/zoom/zoom_bench.exe"
    "$here/wine-session.sh" stop "$session"
done

# The tool start over two monitors (800x600 left of 1024x768), on an Xorg
# display without a virtual desktop, against the bare sequence over the same
# virtual screen.
session="$build/bench-monitors"
"$here/wine-session.sh" monitors "$session" >/dev/null
wine_env "$session" "$arch"
echo "== activation, under Wine on two monitors, $label"
"$WINE" "$build/$arch/bench/activation/activation_bench.exe"
"$here/wine-session.sh" stop "$session"

echo "== soak of the real program, $label"
VANTACLE_ARCH=$arch VANTACLE_BUILD="$build/$arch" /usr/bin/python3 "$here/../bench/soak/soak.py"
