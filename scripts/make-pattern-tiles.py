#!/usr/bin/env python3
"""Writes the twelve built-in pattern tiles, resources/tiles/TeeBrush1.bmp to
TeeBrush12.bmp: 16 x 16 monochrome bitmaps (one bit per pixel, palette black
then white) whose black pixels, the ink, lie exactly where the table below
says. x is the column from the left, y the row from the top; Python's % is
never negative, as the table requires."""

import os
import struct

SIDE = 16

INK = {
    1: lambda x, y: x % 2 == 1 or y % 2 == 1,                      # Fill 80%
    2: lambda x, y: (x + y) % 2 == 0,                              # Fill 60%
    3: lambda x, y: x % 2 == 1 and y % 2 == 1,                     # Fill 40%
    4: lambda x, y: y % 2 == 1 and x % 4 == y % 4,                 # Fill 20%
    5: lambda x, y: x % 4 == 0 and y % 4 == 0,                     # Fill 10%
    6: lambda x, y: abs(x % 6 - 3) == y % 4,                       # Zig zag
    7: lambda x, y: x % 4 == 1,                                    # Vertical small
    8: lambda x, y: y % 4 == 1,                                    # Horiz. small
    9: lambda x, y: (x - y) % 4 == 2,                              # Diag. small
    10: lambda x, y: (x + y) % 4 == 1,                             # Back Diag. small
    11: lambda x, y: x % 4 == 1 or y % 4 == 1,                     # Cross small
    12: lambda x, y: (x - y) % 4 == 1 or (x + y) % 4 == 1,         # Diag. Cross small
}


def bitmap(ink):
    """A 1-bit BMP: ink pixels take palette index 0 (black), the rest 1."""
    row_bytes = 4  # 16 bits padded to a multiple of 32
    rows = []
    for y in reversed(range(SIDE)):  # BMP rows run bottom-up
        bits = 0
        for x in range(SIDE):
            bits = bits << 1 | (0 if ink(x, y) else 1)
        rows.append(struct.pack(">H", bits) + b"\0" * (row_bytes - 2))
    pixels = b"".join(rows)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "tiles")
    os.makedirs(folder, exist_ok=True)
    for number, ink in INK.items():
        with open(os.path.join(folder, f"TeeBrush{number}.bmp"), "wb") as out:
            out.write(bitmap(ink))


if __name__ == "__main__":
    main()
