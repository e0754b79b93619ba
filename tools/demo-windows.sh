#!/usr/bin/env bash
# The demo's tour under Wine: builds tal-demo.exe for 64-bit Windows (as tools/test-windows.sh does, in
# the same folder), runs its tour on a virtual X display against the real common controls, and copies
# the label edit step's picture, compressed, to demo/pictures/label-edit-wine.png. The tour's narration
# goes to standard output; every step's picture stays in <folder>/demo-pictures.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Absolute, as Wine wants its prefix inside it.
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
python3 "$root/tools/compress-png.py" "$pictures/04-edit-typing.png" "$root/demo/pictures/label-edit-wine.png"
echo "demo/pictures/label-edit-wine.png written"
