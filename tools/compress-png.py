#!/usr/bin/env python3
# Copies a PNG file that the demo wrote with uncompressed image data, compressed: compress-png.py <in> <out>.
import struct
import sys
import zlib

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
