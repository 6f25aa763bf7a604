#!/usr/bin/env bash
# Runs every test of a build folder: native unit tests (sanitizers), the
# Windows-side tests under Wine, a check that every build computes the same
# Dropper numbers, what make dist makes, and the end-to-end tests of the real
# program (its installer under msiexec among them).
# What proves the shipped 32-bit build depends on how Wine's 32-bit loader
# runs here (scripts/wine-env.sh decides):
# - natively: the Windows-side tests on both builds, the complete end-to-end
#   suite on the 32-bit one;
# - emulated by qemu (kernels without 32-bit support; scripts/setup.sh sets
#   that up), where every start of a 32-bit process costs about a minute: the
#   Windows-side tests on both builds, the complete end-to-end suite on the
#   64-bit twin, and the one-start suite (tests/e2e/test_one_start.py) on the
#   32-bit build;
# - not at all: everything on the 64-bit build.
# VANTACLE_ARCH=win64 forces the last path, VANTACLE_ARCH=win32 the complete
# suite on the 32-bit build however it runs. Runs all stages even when one
# fails, then exits non-zero on any failure; the last lines say what each
# stage proved, how, and how long it took.
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
arch=$(wine_arch) || exit 2
if wine_runs_32bit; then wine_builds=(win32 win64); else wine_builds=(win64); fi
# Every prefix of the run is a copy of one made once.
export VANTACLE_PREFIX_TEMPLATE=${VANTACLE_PREFIX_TEMPLATE:-$build/wine-template}
failed=()
summary=()

# How the programs of a build ran, for the summary.
how() {
    if [ "$(wine_runs "$1")" = emulated ]; then echo "emulated by qemu-i386-static"
    else echo natively; fi
}
shipped() { [ "$1" = win32 ] && echo "the shipped 32-bit build" || echo "the 64-bit build"; }

#   stage NAME WHAT_IT_PROVES FUNCTION [ARGUMENT...]
# A stage's function may leave words for its summary line in stage_remark.
stage() {
    local name=$1 proves=$2 start=$SECONDS status=0 result=passed
    shift 2
    echo "== $name"
    stage_remark=
    "$@" || status=$?
    if [ $status -ne 0 ]; then failed+=("$name"); result=FAILED; fi
    summary+=("$(printf '%-6s %5d s  %s: %s%s' "$result" $((SECONDS - start)) "$name" "$proves" \
        "${stage_remark:+; $stage_remark}")")
}

setup_paths() {
    /usr/bin/python3 -m pytest -q -p no:cacheprovider "$root/tests/setup"
}
stage "Setup's failure paths" "scripts/setup.sh against an apt that fails as mirrors do" setup_paths

native_units() {
    rm -f "$build/native/colour_digest.txt"
    (cd "$build/native" && ctest --output-on-failure)
}
stage "Native unit tests" "the portable code, natively, under AddressSanitizer and UndefinedBehaviorSanitizer" \
    native_units

windows_side() {
    local jobs=1 status=0
    # Emulated, the tests spend their time starting up, one processor each.
    if [ "$(wine_runs "$1")" = emulated ]; then jobs=2; fi
    rm -f "$build/$1/colour_digest.txt" "$build/$1/windows-side.xml"
    # The report keeps what passing tests printed too: their skip lines.
    (cd "$build/$1" && ctest --output-on-failure -j"$jobs" --output-junit windows-side.xml \
        --test-output-size-passed 65536) || status=$?
    skipped_under_emulation "$build/$1/windows-side.xml"
    return $status
}
# Prints the lines of tests that skipped themselves for a fault of the
# emulator (tests/EmulatorFaults.h) and counts them into the summary.
skipped_under_emulation() {
    local lines
    lines=$(/usr/bin/python3 -c '
import sys, xml.etree.ElementTree as tree
for out in tree.parse(sys.argv[1]).iter("system-out"):
    for line in (out.text or "").splitlines():
        if line.startswith("skipped under emulation: "): print(line)
' "$1" 2>/dev/null) || return 0
    [ -n "$lines" ] || return 0
    printf '%s\n' "$lines"
    stage_remark="$(grep -c . <<<"$lines") skipped under emulation"
}
for b in "${wine_builds[@]}"; do
    stage "Windows-side tests, $b" "$(shipped "$b"), $(how "$b")" windows_side "$b"
done

same_digests() {
    # Windows programs end their lines with CR LF.
    local native_digest digest b status=0
    native_digest=$(tr -d '\r\n' <"$build/native/colour_digest.txt" 2>/dev/null)
    for b in "${wine_builds[@]}"; do
        digest=$(tr -d '\r\n' <"$build/$b/colour_digest.txt" 2>/dev/null)
        if [ -n "$native_digest" ] && [ "$digest" = "$native_digest" ]; then
            echo "$b: $digest, as native"
        else
            echo "$b: '${digest}' but native: '${native_digest}'"
            status=1
        fi
    done
    return $status
}
stage "Dropper digests" "the same numbers natively and in ${wine_builds[*]}" same_digests

pe32_gui() {
    local headers
    headers=$(i686-w64-mingw32-objdump -p "$build/win32/Vantacle.exe" 2>&1)
    if ! grep -q 'Magic.*(PE32)' <<<"$headers" || ! grep -q 'file format pei-i386' <<<"$headers" ||
        ! grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
        echo "Vantacle.exe is not a PE32 GUI program"
        return 1
    fi
    # IMAGE_FILE_LARGE_ADDRESS_AWARE (0x20) and IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE
    # (0x8000): all 4 GB on 64-bit Windows, no terminal server shims.
    local file dll
    file=$(awk '/^Characteristics/ {print $2}' <<<"$headers")
    dll=$(awk '/^DllCharacteristics/ {print $2}' <<<"$headers")
    if (( (file & 0x20) == 0 || (0x$dll & 0x8000) == 0 )); then
        echo "Vantacle.exe is not large-address-aware and terminal-server-aware ($file, 0x$dll)"
        return 1
    fi
    echo "Vantacle.exe: PE32 i386, GUI subsystem, large-address-aware, terminal-server-aware"
}
stage "PE32 header" "build/win32/Vantacle.exe is a 32-bit Windows GUI program with 4 GB" pe32_gui

packages() {
    VANTACLE_EXE="$build/win32/Vantacle.exe" /usr/bin/python3 -m pytest -q -p no:cacheprovider \
        "$root/tests/dist"
}
stage "Packages" "make dist's winget manifests and sums, from the shipped 32-bit exe" \
    packages

#   end_to_end BUILD [TEST FILE...]
end_to_end() {
    local b=$1
    shift
    (cd "$root/tests/e2e" && VANTACLE_ARCH=$b VANTACLE_BUILD="$build/$b" \
        /usr/bin/python3 -m pytest -q -p no:cacheprovider "$@")
}
if [ "$arch" = win32 ] && [ -z "${VANTACLE_ARCH:-}" ] && [ "$(wine_runs win32)" = emulated ]; then
    stage "End-to-end, complete suite, win64" "the 64-bit build, natively" end_to_end win64
    stage "End-to-end, one start, win32" \
        "the shipped 32-bit build, emulated by qemu-i386-static: every tool, the tray, dialogs, clipboard, files" \
        end_to_end win32 test_one_start.py
else
    stage "End-to-end, complete suite, $arch" "$(shipped "$arch"), $(how "$arch")" end_to_end "$arch"
fi

echo "== Summary"
printf '%s\n' "${summary[@]}"
status=0
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED stages: ${failed[*]}"
    status=1
fi
echo "stages: $((${#summary[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
# What setup could not install, and why (scripts/setup.sh wrote it).
unavailable=$(grep -v '^wine32:i386:' "$build/setup-unavailable" 2>/dev/null)
[ -z "$unavailable" ] || echo "setup could not install: ${unavailable//$'\n'/; }"
# The last line: which build the run proved, or which it could not and why.
if [ "$(wine_32bit_mode)" != none ] && [ "${VANTACLE_ARCH:-}" != win64 ]; then
    echo "proved: the shipped 32-bit build, $build/win32/Vantacle.exe, $(how win32)"
else
    why="Wine's 32-bit loader does not run here"
    if [ "${VANTACLE_ARCH:-}" = win64 ]; then
        why="VANTACLE_ARCH=win64 asked for the 64-bit build"
    elif wine32=$(grep -m1 '^wine32:i386:' "$build/setup-unavailable" 2>/dev/null); then
        why="setup could not install ${wine32}"
    elif other=$(grep -m1 '^32-bit programs:' "$build/setup-unavailable" 2>/dev/null); then
        why=${other#32-bit programs: }
    fi
    echo "not proved: the shipped 32-bit build, $build/win32/Vantacle.exe ($why); proved the 64-bit one"
fi
exit $status
