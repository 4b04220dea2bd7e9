#!/usr/bin/env python3
"""Draws the application icon: a small football pitch with a rising results
line across it, in several sizes, written as one .ico file.

    tools/make-icon.py [output]      (default: src/resources/app.ico)

Only Python's standard library is used. Each size is drawn from the same
shapes with 4 x 4 samples per pixel and stored as a 32-bit image with alpha
plus the 1-bit mask that older readers expect. The output is deterministic,
so re-running the script reproduces the committed file byte for byte.
"""

import math
import os
import struct
import sys

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # per pixel and axis

GRASS_DARK = (28, 110, 52)
GRASS_LIGHT = (44, 138, 68)
CHALK = (245, 248, 240)
LINE = (255, 196, 30)
LINE_EDGE = (90, 40, 10)


def rounded_square_inside(x, y, radius):
    """True when (x, y) in [0, 1] lies inside the square with rounded corners."""
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def polyline_distance(px, py, points):
    return min(segment_distance(px, py, *points[i], *points[i + 1]) for i in range(len(points) - 1))


def sample(x, y, size):
    """Colour (r, g, b, a) of one sample point; x and y in [0, 1], y downwards."""
    if not rounded_square_inside(x, y, 0.16):
        return (0, 0, 0, 0)
    colour = GRASS_LIGHT if int(x * 5) % 2 == 0 else GRASS_DARK

    # Chalk lines: touchline rectangle, halfway line, centre circle. The
    # straight lines sit on pixel centres so that they stay crisp, and they
    # are at least one pixel wide.
    chalk = max(1.0 / size, 0.045)
    inset = (math.floor(0.13 * size) + 0.5) / size
    halfway = (size // 2 - 0.5) / size if size < 32 else 0.5
    on_box = (inset - chalk / 2 <= x <= 1 - inset + chalk / 2 and inset - chalk / 2 <= y <= 1 - inset + chalk / 2
              and (abs(x - inset) <= chalk / 2 or abs(x - (1 - inset)) <= chalk / 2
                   or abs(y - inset) <= chalk / 2 or abs(y - (1 - inset)) <= chalk / 2))
    on_halfway = abs(x - halfway) <= chalk / 2 and inset <= y <= 1 - inset
    on_circle = size >= 24 and abs(math.hypot(x - 0.5, y - 0.5) - 0.15) <= chalk / 2
    if on_box or on_halfway or on_circle:
        colour = CHALK

    # The results line rising from the lower left to the upper right.
    points = [(0.17, 0.80), (0.38, 0.58), (0.56, 0.68), (0.85, 0.24)]
    width = 0.12 if size < 24 else 0.095
    d = polyline_distance(x, y, points)
    if d <= width / 2:
        colour = LINE
    elif d <= width / 2 + max(0.8 / size, 0.03):
        colour = LINE_EDGE
    return colour + (255,)


def render(size):
    """Rows of (r, g, b, a) from the top row down."""
    rows = []
    n = SAMPLES * SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    r, g, b, a = sample(x, y, size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / n
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
        rows.append(row)
    return rows


def dib(rows):
    """An icon image: BITMAPINFOHEADER, 32-bit BGRA pixels bottom-up, AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def ico(images):
    """The .ico container for (size, image data) pairs."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "resources", "app.ico")
    images = [(size, dib(render(size))) for size in SIZES]
    with open(target, "wb") as f:
        f.write(ico(images))
    print(f"{target}: {', '.join(str(s) for s in SIZES)} px")


if __name__ == "__main__":
    main()
