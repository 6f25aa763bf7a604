#!/usr/bin/env bash
# Runs every test of a build folder: native unit tests (sanitizers), the
# Windows-side tests under Wine, and the end-to-end tests of the real program.
# Runs all stages even when one fails, then exits non-zero on any failure.
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
failed=()

echo "== Native unit tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
(cd "$build/native" && ctest --output-on-failure) || failed+=(native)

echo "== Windows-side tests under Wine"
(cd "$build/win64" && ctest --output-on-failure) || failed+=(wine)

echo "== The shipped program is a 32-bit Windows GUI executable"
headers=$(i686-w64-mingw32-objdump -p "$build/win32/Vantacle.exe" 2>&1)
if grep -q 'Magic.*(PE32)' <<<"$headers" && grep -q 'file format pei-i386' <<<"$headers" &&
   grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
    echo "Vantacle.exe: PE32 i386, GUI subsystem"
else
    echo "Vantacle.exe is not a PE32 GUI program"; failed+=(pe32)
fi

echo "== End-to-end tests of the real program"
(cd "$root/tests/e2e" && VANTACLE_BUILD="$build/win64" /usr/bin/python3 -m pytest -q -p no:cacheprovider) ||
    failed+=(e2e)

stages=4
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED stages: ${failed[*]}"
    echo "stages: $((stages - ${#failed[@]})) passed, ${#failed[@]} failed"
    exit 1
fi
echo "stages: $stages passed, 0 failed"
