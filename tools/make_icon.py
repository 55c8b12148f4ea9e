#!/usr/bin/env python3
"""Draws the application icon (src/app/haripon.ico): a yellow memo held by a red pin.

Run it again after changing the drawing; the .ico is committed so that a Windows build needs
no Python.
"""
import math
import struct
import sys

PAPER = (255, 226, 96)
PAPER_EDGE = (196, 150, 40)
FOLD = (235, 190, 70)
LINE = (170, 130, 60)
PIN = (220, 40, 50)
PIN_LIGHT = (255, 150, 150)
NEEDLE = (90, 90, 100)


def draw(size):
    """Returns rows (top first) of RGBA tuples."""
    s = size / 32.0
    pixels = [[(0, 0, 0, 0) for _ in range(size)] for _ in range(size)]

    def put(x, y, rgb, alpha=255):
        if 0 <= x < size and 0 <= y < size:
            pixels[y][x] = (*rgb, alpha)

    # Paper with its bottom-right corner folded over.
    left, top, right, bottom = round(4 * s), round(7 * s), round(28 * s), round(29 * s)
    fold = round(7 * s)
    for y in range(top, bottom):
        for x in range(left, right):
            dx, dy = x - (right - fold), y - (bottom - fold)
            if dx >= 0 and dy >= 0:
                if dx + dy > fold - 1:
                    continue  # cut off
                flap_edge = dx == 0 or dy == 0 or dx + dy == fold - 1
                put(x, y, PAPER_EDGE if flap_edge else FOLD)
                continue
            edge = x in (left, right - 1) or y in (top, bottom - 1)
            put(x, y, PAPER_EDGE if edge else PAPER)
    # Written lines.
    if size >= 24:
        for row in (15, 19, 23):
            for x in range(round(8 * s), round(23 * s) - (4 if row == 23 else 0)):
                put(x, round(row * s), LINE)
    else:
        for row in (16, 22):
            for x in range(round(8 * s), round(22 * s)):
                put(x, round(row * s), LINE)
    # Pin: a round head and a short needle.
    cx, cy, r = 16 * s, 7 * s, 4.6 * s
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                light = math.hypot(x + 0.5 - (cx - r / 3), y + 0.5 - (cy - r / 3)) < r / 2.5
                put(x, y, PIN_LIGHT if light else PIN)
    for y in range(round(cy + r), round(cy + r + 3 * s)):
        put(round(cx), y, NEEDLE)
    return pixels


def bitmap(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    color = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + color + bytes(mask)


def main(path):
    sizes = (16, 20, 24, 32, 48)  # the small icon at 100 to 150 % display scale, and larger
    images = [bitmap(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "src/app/haripon.ico")
