#!/usr/bin/env bash
# Prints the benchmarks' figures: the colour conversion natively and under
# Wine; the tool activation, lens moves, selection drags, Measurer and Dropper
# moves and the information panel's zoom view under Wine at two screen sizes,
# and the activation on two monitors; copying and saving the whole screen;
# the idle program's memory against an empty program's; and a soak of 1,000
# activations of the real program. Each figure of a Windows build is taken
# for both builds where Wine's 32-bit loader runs natively, the shipped
# 32-bit one first; where qemu emulates it, a figure would time qemu, so
# there they are the 64-bit build's (VANTACLE_ARCH picks one build, and
# VANTACLE_ARCH=win32 times the emulated one all the same, and says so).
# Beside every line whose figures changed stands the same line of the last
# run of another build (build/bench-figures/, one record per commit and
# changes).
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ -n "${VANTACLE_ARCH:-}" ]; then
    archs=("$(wine_arch)")
elif [ "$(wine_bench_arch)" = win32 ]; then
    archs=(win32 win64)
else
    archs=(win64)
    if [ "$(wine_32bit_mode)" = emulated ]; then
        echo "bench: the shipped 32-bit build is emulated here; these figures are the 64-bit build's"
    fi
fi
export VANTACLE_PREFIX_TEMPLATE=${VANTACLE_PREFIX_TEMPLATE:-$build/wine-template}

label() {
    if [ "$(wine_runs "$1")" = emulated ]; then
        echo "$1 build EMULATED by qemu-i386-static (not its native speed)"
    else
        echo "$1 build"
    fi
}

# The commit the build was made from, and a digest of its uncommitted
# changes if it has any: another set of changes is another build.
build_id() {
    local source id
    source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/${archs[0]}/CMakeCache.txt")
    id=$(git -C "$source" rev-parse --short HEAD 2>/dev/null) || { echo unknown; return; }
    if [ -n "$(git -C "$source" status --porcelain --untracked-files=no)" ]; then
        id="$id-changed-$(git -C "$source" diff HEAD | sha1sum | cut -c1-8)"
    fi
    echo "$id"
}

#   under_wine TITLE PROGRAM: one benchmark program, each build in turn.
under_wine() {
    local title=$1 program=$2 arch
    for arch in "${archs[@]}"; do
        wine_env "$session" "$arch"
        echo "== $title, $(label "$arch")"
        "$WINE" "$build/$arch/bench/$program"
    done
}

figures() {
    # Sanitizers would measure themselves; the figures come from a plain build.
    cmake -S "$here/.." -B "$build/bench-native" -G Ninja -DVANTACLE_SANITIZE=OFF \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    ninja -C "$build/bench-native" colour_bench >/dev/null
    echo "== colour, native"
    "$build/bench-native/bench/colour/colour_bench"

    for size in 1024x768 1920x1080; do
        session="$build/bench-$size"
        "$here/wine-session.sh" start "$session" "$size" >/dev/null
        if [ "$size" = 1024x768 ]; then
            under_wine "colour, under Wine" colour/colour_bench.exe
        fi
        under_wine "activation, under Wine at $size" activation/activation_bench.exe
        under_wine "lens moves, under Wine at $size" lens/lens_bench.exe
        under_wine "selection drags, under Wine at $size" selection/selection_bench.exe
        under_wine "Measurer and Dropper moves, under Wine at $size" measure/measure_bench.exe
        if [ "$size" = 1920x1080 ]; then
            under_wine "copying and saving the whole screen, under Wine" export/export_bench.exe
        fi
        under_wine "zoom view and panel mouse moves, under Wine at $size" zoom/zoom_bench.exe
        "$here/wine-session.sh" stop "$session"
    done

    # The tool start over two monitors (800x600 left of 1024x768), on an Xorg
    # display without a virtual desktop, against the bare sequence over the
    # same virtual screen.
    session="$build/bench-monitors"
    "$here/wine-session.sh" monitors "$session" >/dev/null
    under_wine "activation, under Wine on two monitors" activation/activation_bench.exe
    "$here/wine-session.sh" stop "$session"

    local arch
    for arch in "${archs[@]:1}"; do
        echo "== idle memory of the real program, $(label "$arch")"
        VANTACLE_ARCH=$arch VANTACLE_BUILD="$build/$arch" /usr/bin/python3 \
            "$here/../bench/soak/soak.py" 0
    done
    echo "== idle memory and soak of the real program, $(label "${archs[0]}")"
    VANTACLE_ARCH=${archs[0]} VANTACLE_BUILD="$build/${archs[0]}" /usr/bin/python3 \
        "$here/../bench/soak/soak.py"
    echo "bench: complete"
}

figures | /usr/bin/python3 -u "$here/bench-figures.py" "$build/bench-figures" "$(build_id)"
