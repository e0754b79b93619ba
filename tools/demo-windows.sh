#!/usr/bin/env bash
# The demo host's tour under Wine: builds tal-demo.exe for 64-bit Windows (as tools/test-windows.sh does,
# in the same folder), runs its tour on a virtual X display against the real common controls, and copies
# the label edit step's picture, compressed, to demo/pictures/label-edit-wine.png. The tour's narration
# goes to standard output; every step's picture stays in <folder>/demo-pictures.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Absolute, since Wine takes only an absolute WINEPREFIX.
build="$(realpath -m "${1:-$root/build/windows}")"
source "$root/tools/wine-session.sh"

"$root/tools/install-packages.sh" "${windows_packages[@]}" python3
build_windows64 tal-demo
start_wine_session

pictures="$build/demo-pictures"
rm -rf "$pictures"
mkdir -p "$pictures"
# The program runs in the pictures' folder, so that it names that folder with a relative path.
(cd "$pictures" && timeout 300 "$root/tools/wine-run.sh" "$build/win64/bin/tal-demo.exe" .)
# The program writes its image data uncompressed; the copy kept in the repository is compressed.
python3 - "$pictures/04-edit-typing.png" "$root/demo/pictures/label-edit-wine.png" << 'END'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
chunks, at = [], 8
while at < len(data):
    (length,) = struct.unpack(">I", data[at:at + 4])
    chunks.append((data[at + 4:at + 8], data[at + 8:at + 8 + length]))
    at += 12 + length
image = zlib.compress(zlib.decompress(b"".join(d for t, d in chunks if t == b"IDAT")), 9)
out = data[:8]
for kind, body in [c for c in chunks if c[0] == b"IHDR"] + [(b"IDAT", image), (b"IEND", b"")]:
    out += struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
open(sys.argv[2], "wb").write(out)
END
echo "demo/pictures/label-edit-wine.png written"
