#!/usr/bin/env python3
"""Draws the launcher's icon: five images (32x32 and 16x16 with 256 colours, 48x48, 32x32 and
16x16 with 32 bits) in that order. The full and the mini build differ only in colours."""
import math
import struct
import sys

THEMES = {
    "full": ((0x1e, 0x5a, 0xc8), (0xff, 0xff, 0xff)),
    "mini": ((0xe0, 0x6a, 0x10), (0xff, 0xf4, 0xd0)),
}
IMAGES = ((32, 8), (16, 8), (48, 32), (32, 32), (16, 32))


def pixel(x, y, size, disc, mark):
    """A disc with a play triangle; None outside the disc (transparent)."""
    c = (size - 1) / 2
    if math.hypot(x - c, y - c) > size * 0.47:
        return None
    u, v = (x - c) / size, (y - c) / size
    inside = -0.16 <= u <= 0.24 and abs(v) <= (0.24 - u) * 0.6
    return mark if inside else disc


def palette_of(colours):
    pal = sorted(set(colours))
    return pal + [(0, 0, 0)] * (256 - len(pal))


def and_mask(size, opaque):
    row_bytes = ((size + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(row_bytes)
        for x in range(size):
            if not opaque[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def image(size, bits, theme):
    disc, mark = THEMES[theme]
    grid = [[pixel(x, y, size, disc, mark) for x in range(size)] for y in range(size)]
    opaque = [[p is not None for p in row] for row in grid]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         256 if bits == 8 else 0, 0)
    body = bytearray()
    if bits == 8:
        pal = palette_of([p for row in grid for p in row if p] + [(0, 0, 0)])
        for r, g, b in pal:
            body += bytes((b, g, r, 0))
        row_bytes = (size + 3) // 4 * 4
        for y in reversed(range(size)):
            row = bytearray(row_bytes)
            for x in range(size):
                row[x] = pal.index(grid[y][x] or (0, 0, 0))
            body += row
    else:
        for y in reversed(range(size)):
            for x in range(size):
                p = grid[y][x]
                body += bytes((p[2], p[1], p[0], 255)) if p else bytes(4)
    return header + bytes(body) + and_mask(size, opaque)


def main():
    theme, out = sys.argv[1], sys.argv[2]
    blobs = [image(size, bits, theme) for size, bits in IMAGES]
    data = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (size, bits), blob in zip(IMAGES, blobs):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1,  # a colour count of 256 is written as 0
                             bits, len(blob), offset)
        offset += len(blob)
    with open(out, "wb") as f:
        f.write(data + b"".join(blobs))


main()
