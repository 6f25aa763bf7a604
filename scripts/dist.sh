#!/usr/bin/env bash
# Makes what a Windows user downloads, from one Vantacle.exe:
#   OUT_DIR/Vantacle-VERSION.msi           the per-user installer (msitools' wixl)
#   OUT_DIR/Vantacle-VERSION-portable.zip  the exe and a text file about it
#   OUT_DIR/SHA256SUMS                     of both
#   OUT_DIR/winget/manifests/q/Quillmont/Vantacle/VERSION/
#                                          the manifests of Windows' package
#                                          manager, with the MSI's SHA-256
#
#   dist.sh EXE OUT_DIR
#
# VERSION is the project's (CMakeLists.txt); VANTACLE_VERSION packages the
# same exe as another one (the upgrade tests build an older installer).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=$2
version=${VANTACLE_VERSION:-$(sed -nE 's/^project\(Vantacle VERSION ([0-9.]+).*/\1/p' \
    "$root/CMakeLists.txt")}
[ -f "$exe" ] || { echo "dist: no $exe; build it first" >&2; exit 1; }
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }
for tool in wixl wrestool zip sha256sum; do
    command -v "$tool" >/dev/null || { echo "dist: needs $tool (make setup installs it)" >&2; exit 1; }
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every version has a product code of its own, and the same version always
# the same one: derived from the upgrade code, which never changes.
upgrade_code=$(sed -nE 's/.*UpgradeCode="([0-9A-Fa-f-]{36})".*/\1/p' "$root/packaging/Vantacle.wxs")
product_code=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), "Vantacle " + sys.argv[2])).upper())' \
    "$upgrade_code" "$version")

# "Apps & features" shows the program's own icon, taken from the exe.
wrestool -x -t 14 -n MAINICON "$exe" >"$work/Vantacle.ico"
[ -s "$work/Vantacle.ico" ] || { echo "dist: $exe has no MAINICON" >&2; exit 1; }

# wixl finds sources only by paths relative to the descriptor's folder.
msi="Vantacle-$version.msi"
mkdir "$work/msi"
cp "$root/packaging/Vantacle.wxs" "$exe" "$work/Vantacle.ico" "$work/msi/"
rm -f "$out/$msi"
(cd "$work/msi" && wixl -a x86 -D Version="$version" -D ProductCode="$product_code" \
    -D Exe="$(basename "$exe")" -D Icon=Vantacle.ico -o "$out/$msi" Vantacle.wxs)
# wixl may report a failure to write a table and still end with 0.
[ -s "$out/$msi" ] || { echo "dist: wixl made no $msi" >&2; exit 1; }

# The zip: the exe and its text, with Windows line ends.
zipped="Vantacle-$version-portable.zip"
mkdir "$work/zip"
cp "$exe" "$work/zip/Vantacle.exe"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/packaging/Readme.txt" >"$work/zip/Readme.txt"
rm -f "$out/$zipped"
(cd "$work/zip" && zip -q -X "$out/$zipped" Vantacle.exe Readme.txt)

(cd "$out" && sha256sum "$msi" "$zipped" >SHA256SUMS)

manifests="$out/winget/manifests/q/Quillmont/Vantacle/$version"
rm -rf "$manifests"
mkdir -p "$manifests"
msi_sha256=$(sha256sum "$out/$msi" | cut -d' ' -f1 | tr a-f A-F)
for template in "$root"/packaging/winget/*.yaml; do
    sed -e "s/@VERSION@/$version/g" -e "s/@MSI_SHA256@/$msi_sha256/g" \
        -e "s/@PRODUCT_CODE@/{$product_code}/g" -e "s/@UPGRADE_CODE@/{$upgrade_code}/g" \
        -e '/^# yaml-language-server/!{/^#/d}' "$template" >"$manifests/$(basename "$template")"
done
echo "dist: $out/$msi, $out/$zipped, SHA256SUMS, winget manifests (version $version)"
