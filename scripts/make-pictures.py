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


def stripes(colours, vertical=True, weights=None):
    weights = weights or [1] * len(colours)
    total = sum(weights)

    def pixel(x, y):
        if x in (0, 15) or y in (0, 10):
            return (60, 60, 60, 255)
        pos = (x - 1) / 14 if vertical else (y - 1) / 9
        acc = 0
        for colour, weight in zip(colours, weights):
            acc += weight / total
            if pos < acc:
                return colour + (255,)
        return colours[-1] + (255,)
    return pixel


def cross(field, bar):
    def pixel(x, y):
        if x in (0, 15) or y in (0, 10):
            return (60, 60, 60, 255)
        return (bar if x in (7, 8) or y == 5 else field) + (255,)
    return pixel


flags = Path("src/app/pictures")
flags.mkdir(parents=True, exist_ok=True)
# The language menu's picture list: Italian, French, English, Spanish.
png(flags / "lang_it.png", 16, 11, stripes([(0, 146, 70), (255, 255, 255), (206, 43, 55)]))
png(flags / "lang_fr.png", 16, 11, stripes([(0, 85, 164), (255, 255, 255), (239, 65, 53)]))
png(flags / "lang_en.png", 16, 11, cross((255, 255, 255), (200, 16, 46)))
png(flags / "lang_es.png", 16, 11, stripes([(170, 21, 27), (241, 191, 0), (170, 21, 27)], vertical=False, weights=[1, 2, 1]))


def arrow(pointing_right):
    def pixel(x, y):
        cx = x if pointing_right else 26 - x
        dy = abs(y - 13)
        inside = (6 <= cx <= 13 and dy <= 3) or (13 < cx <= 21 and dy <= 21 - cx)
        return (255, 255, 255, 255) if inside else (0, 0, 0, 255)
    return pixel


png(flags / "forward.png", 27, 27, arrow(True))
png(flags / "back.png", 27, 27, arrow(False))


def highlight(x, y):
    # A soft blue glow, brightest along the middle of the row.
    t = 1 - abs(y - 7) / 8
    edge = min(x, 129 - x) / 20
    a = max(0.0, min(1.0, t)) * min(1.0, edge)
    return (int(20 + 40 * a), int(40 + 90 * a), int(60 + 170 * a), 255)


def separator(x, y):
    if y == 1 and 6 <= x <= 123:
        fade = min(x - 6, 123 - x) / 30
        v = int(60 + 100 * min(1.0, fade))
        return (v, v, v, 255)
    return (0, 0, 0, 255)


png(out / "highlight.png", 130, 15, highlight)
png(out / "separator.png", 130, 3, separator)


def tray_icon(x, y):
    # A dark disc with three arcs of a radio wave.
    d = math.hypot(x - 15.5, y - 15.5)
    if d > 15.5:
        return (0, 0, 0, 0)
    wave = math.hypot(x - 8, y - 24)
    angle_ok = x >= 8 and y <= 24
    for radius in (7, 13, 19):
        if angle_ok and abs(wave - radius) < 1.4:
            return (255, 200, 40, 255)
    if math.hypot(x - 8, y - 24) < 3:
        return (255, 200, 40, 255)
    return (20, 40, 90, 255)


png(flags / "tray.png", 32, 32, tray_icon)
