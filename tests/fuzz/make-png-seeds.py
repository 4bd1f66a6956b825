#!/usr/bin/env python3
"""Writes the PNG seed corpus: one small image of each colour type and bit depth, an interlaced
one and one with transparency, so that the fuzzer starts from every decoding path of libpng."""
import struct
import sys
import zlib
from pathlib import Path


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(width, height, depth, colour, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def rows_for(width, height, depth, channels):
    bits = width * depth * channels
    size = (bits + 7) // 8
    return [bytes((17 * (x + 3 * y)) & 0xff for x in range(size)) for y in range(height)]


def main(folder):
    out = Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    width, height = 5, 3
    kinds = {0: (1, [1, 2, 4, 8, 16]), 2: (3, [8, 16]), 3: (1, [1, 2, 4, 8]),
             4: (2, [8, 16]), 6: (4, [8, 16])}
    palette = chunk(b"PLTE", bytes(range(48)))
    for colour, (channels, depths) in kinds.items():
        for depth in depths:
            extra = palette if colour == 3 else b""
            data = png(width, height, depth, colour, rows_for(width, height, depth, channels), extra)
            (out / f"type{colour}-{depth}bit.png").write_bytes(data)
    (out / "rgb8-interlaced.png").write_bytes(adam7(width, height))
    trns = palette + chunk(b"tRNS", bytes([0, 128, 255]))
    (out / "palette-trns.png").write_bytes(
        png(width, height, 8, 3, rows_for(width, height, 8, 1), trns))


def adam7(width, height):
    """An 8-bit RGB image stored interlaced: the seven passes, each its own filtered rows."""
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
              (0, 1, 1, 2)]
    raw = b""
    for x0, y0, dx, dy in passes:
        xs = range(x0, width, dx)
        ys = range(y0, height, dy)
        if not xs or not ys:
            continue
        for y in ys:
            raw += b"\0" + b"".join(bytes([(40 * x) & 0xff, (60 * y) & 0xff, 99]) for x in xs)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 1)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "corpus/png")
