#!/usr/bin/env python3
"""Draws the 32 x 32 window icon: a stopwatch with a red wedge of time left.

Usage: make_icon.py [output.png]   (default: assets/icons/zentriq.png beside this tool's repository root)
Only the standard library is used; shapes are sampled 8 x 8 per pixel for smooth edges.
"""
import math
import os
import struct
import sys
import zlib

SIZE = 32
SAMPLES = 8

CENTRE = (16.0, 18.0)
RIM_OUTER = 13.0
RIM_INNER = 11.0
FACE = (250, 243, 222)
RIM = (31, 72, 86)
WEDGE = (214, 64, 52)
HAND = (24, 32, 38)


def in_rect(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom


def near_segment(x, y, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= half_width ** 2


def colour_at(x, y):
    """The colour of one sample point, or None where the icon is transparent."""
    cx, cy = CENTRE
    r = math.hypot(x - cx, y - cy)
    # Angle clockwise from twelve o'clock, in degrees.
    angle = math.degrees(math.atan2(x - cx, cy - y)) % 360.0
    hand_tip = (cx + 8.0 * math.sin(math.radians(110)), cy - 8.0 * math.cos(math.radians(110)))
    if near_segment(x, y, cx, cy, hand_tip[0], hand_tip[1], 1.0) or r <= 1.6:
        if r <= RIM_INNER:
            return HAND
    if near_segment(x, y, cx, cy, cx, cy - 9.0, 0.8) and r <= RIM_INNER:
        return HAND
    if r <= RIM_INNER:
        return WEDGE if angle <= 110.0 and r <= RIM_INNER - 1.5 else FACE
    if r <= RIM_OUTER:
        return RIM
    # Crown and its stem on top, a small pusher at one o'clock.
    if in_rect(x, y, 13.0, 1.0, 19.0, 3.5) or in_rect(x, y, 14.5, 3.5, 17.5, 6.0):
        return RIM
    if near_segment(x, y, cx + 9.2, cy - 9.2, cx + 11.0, cy - 11.0, 1.3):
        return RIM
    return None


def render():
    rows = []
    for py in range(SIZE):
        row = bytearray([0])  # filter type: none
        for px in range(SIZE):
            rs = gs = bs = hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c is not None:
                        rs += c[0]
                        gs += c[1]
                        bs += c[2]
                        hits += 1
            if hits:
                row += bytes([rs // hits, gs // hits, bs // hits, hits * 255 // (SAMPLES * SAMPLES)])
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b"".join(rows)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(raw):
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def main():
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "icons", "zentriq.png")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(png(render()))
    print(out)


if __name__ == "__main__":
    main()
