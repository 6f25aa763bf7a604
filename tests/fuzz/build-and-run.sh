#!/usr/bin/env bash
# Builds the icon-list fuzz target with clang's libFuzzer and runs it.
#   build-and-run.sh BUILD_DIR [SECONDS]
# Not part of the default build: it needs clang and its fuzzer runtime.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
seconds=${2:-600}
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -I"$root/src")
clang++ "${flags[@]}" -o "$out/IconListFuzz" "$here/IconListFuzz.cpp" \
    "$root/src/tray/IconListStream.cpp" "$root/src/framework/Error.cpp"
mkdir -p "$out/corpus"
# Seeds: a stored list with two real icons and an empty slot.
python3 - "$out/corpus" "$root/res" <<'PY'
import struct, sys
from pathlib import Path
sys.path.insert(0, sys.argv[2])
import artwork
out = Path(sys.argv[1])
entries = []
for size in (16, 32):
    blob = artwork.icon_image(artwork.app_icon(size))
    ico = struct.pack('<HHHBBBBHHII', 0, 1, 1, size, size, 0, 0, 1, 32, len(blob), 22) + blob
    entries.append(ico)
    (out / f'icon{size}.ico').write_bytes(ico)
stream = struct.pack('<i', 3) + b''.join(struct.pack('<i', len(e)) + e for e in entries[:1]) \
    + struct.pack('<i', 0) + struct.pack('<i', len(entries[1])) + entries[1]
(out / 'list.bin').write_bytes(stream)
PY
cd "$out"
./IconListFuzz -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 corpus
