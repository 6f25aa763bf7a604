#!/usr/bin/env bash
# Runs every test of a build folder: native unit tests (sanitizers), the
# Windows-side tests under Wine, a check that every build computes the same
# Dropper numbers, and the end-to-end tests of the real program.
# The Windows-side and end-to-end tests prove the shipped 32-bit build wherever
# Wine's 32-bit loader runs (the Windows-side tests then run on the 64-bit
# build as well), the 64-bit build only where it cannot; VANTACLE_ARCH=win64
# forces that path. Runs all stages even when one fails, then exits non-zero
# on any failure.
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
arch=$(wine_arch) || exit 2
if wine_runs_32bit; then wine_builds=(win32 win64); else wine_builds=(win64); fi
failed=()
stages=0

stage() {
    stages=$((stages + 1))
    echo "== $1"
}

stage "Native unit tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
rm -f "$build/native/colour_digest.txt"
(cd "$build/native" && ctest --output-on-failure) || failed+=(native)

for b in "${wine_builds[@]}"; do
    stage "Windows-side tests under Wine, $b build"
    rm -f "$build/$b/colour_digest.txt"
    (cd "$build/$b" && ctest --output-on-failure) || failed+=("wine-$b")
done

stage "The Dropper's numbers are the same in every build"
# Windows programs end their lines with CR LF.
digest_of() { tr -d '\r\n' <"$build/$1/colour_digest.txt" 2>/dev/null; }
native_digest=$(digest_of native)
for b in "${wine_builds[@]}"; do
    digest=$(digest_of "$b")
    if [ -n "$native_digest" ] && [ "$digest" = "$native_digest" ]; then
        echo "$b: $digest, as native"
    else
        echo "$b: '${digest}' but native: '${native_digest}'"
        failed+=("digest-$b")
    fi
done

stage "The shipped program is a 32-bit Windows GUI executable"
headers=$(i686-w64-mingw32-objdump -p "$build/win32/Vantacle.exe" 2>&1)
if grep -q 'Magic.*(PE32)' <<<"$headers" && grep -q 'file format pei-i386' <<<"$headers" &&
   grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
    echo "Vantacle.exe: PE32 i386, GUI subsystem"
else
    echo "Vantacle.exe is not a PE32 GUI program"; failed+=(pe32)
fi

stage "End-to-end tests of the real program, $arch build"
(cd "$root/tests/e2e" && VANTACLE_ARCH=$arch VANTACLE_BUILD="$build/$arch" \
    /usr/bin/python3 -m pytest -q -p no:cacheprovider) || failed+=(e2e)

if [ "$arch" = win32 ]; then
    echo "proved: the shipped 32-bit build, $build/win32/Vantacle.exe, with $(wine_loader win32)"
else
    echo "proved: the 64-bit build, $build/win64/Vantacle.exe, with $(wine_loader win64)" \
        "(not the shipped 32-bit one: Wine's 32-bit loader does not run here or VANTACLE_ARCH=win64)"
fi
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED stages: ${failed[*]}"
    echo "stages: $((stages - ${#failed[@]})) passed, ${#failed[@]} failed"
    exit 1
fi
echo "stages: $stages passed, 0 failed"
