#!/usr/bin/env python3
"""Draws the small pictures of the windows (mirror lamps) as PNG files.

Run from the repository root: python3 scripts/make-pictures.py
The pictures are committed; run this again only to change them.
"""
import math
import struct
import zlib
from pathlib import Path


def png(path, width, height, pixel):
    rows = b""
    for y in range(height):
        rows += b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n"
    data += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(rows, 9))
    data += chunk(b"IEND", b"")
    Path(path).write_bytes(data)


def lamp(colour_centre, colour_edge):
    def pixel(x, y):
        d = math.hypot(x - 3, y - 3)
        if d > 3.4:
            return (0, 0, 0, 255)
        t = min(d / 3.4, 1.0)
        return tuple(int(c0 + (c1 - c0) * t) for c0, c1 in zip(colour_centre, colour_edge)) + (255,)
    return pixel


out = Path("src/service/pictures")
out.mkdir(parents=True, exist_ok=True)
png(out / "lamp_on.png", 7, 7, lamp((190, 255, 150), (20, 160, 20)))
png(out / "lamp_off.png", 7, 7, lamp((90, 90, 90), (40, 40, 40)))
