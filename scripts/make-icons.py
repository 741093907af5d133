#!/usr/bin/env python3
"""Writes the alarm editor's icons, resources/icons/alarm-*.png, at 16 x 16
pixels and, for high-density screens, at 32 x 32 (name@2x.png). Each icon is a
list of shapes on a 16-unit square, painted in order and smoothed by sampling
every pixel 8 x 8 times."""

import math
import os
import struct
import zlib

UNITS = 16
SAMPLES = 8


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def line(x0, y0, x1, y1, width):
    """A stroke with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= width / 2
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


OUTLINE = (60, 60, 60)
GOLD = (232, 178, 36)
DARK_GOLD = (160, 112, 10)
GREEN = (46, 160, 67)
RED = (205, 45, 45)
BLUE = (40, 90, 170)
SKY = (120, 180, 235)
PAPER = (252, 252, 250)
GREY = (150, 150, 150)


def bell():
    return [(circle(8, 2.6, 1.2), DARK_GOLD),
            (circle(8, 13.4, 1.6), DARK_GOLD),
            (polygon([(3.5, 12), (4.5, 6.5), (6, 3.8), (8, 3.2), (10, 3.8), (11.5, 6.5), (12.5, 12)]), GOLD),
            (rect(2.5, 11.2, 13.5, 12.6), DARK_GOLD)]


ICONS = {
    # A bell with a plus: a new alarm.
    'alarm-new': bell() + [
        (circle(11.5, 11.5, 4.5), (255, 255, 255)),
        (circle(11.5, 11.5, 3.9), GREEN),
        (rect(10.7, 9, 12.3, 14), (255, 255, 255)),
        (rect(9, 10.7, 14, 12.3), (255, 255, 255)),
    ],
    # A red cross: delete.
    'alarm-delete': [
        (line(3.5, 3.5, 12.5, 12.5, 3.2), (150, 25, 25)),
        (line(12.5, 3.5, 3.5, 12.5, 3.2), (150, 25, 25)),
        (line(3.5, 3.5, 12.5, 12.5, 2.2), RED),
        (line(12.5, 3.5, 3.5, 12.5, 2.2), RED),
    ],
    # A pencil: edit.
    'alarm-edit': [
        (line(4.2, 11.8, 12.2, 3.8, 4.2), OUTLINE),
        (line(4.6, 11.4, 11.4, 4.6, 3.0), GOLD),
        (line(11.4, 4.6, 12.6, 3.4, 3.0), (230, 120, 140)),
        (polygon([(1.5, 14.5), (2.4, 10.2), (5.8, 13.6)]), (235, 205, 160)),
        (polygon([(1.5, 14.5), (1.9, 12.6), (3.4, 14.1)]), OUTLINE),
    ],
    # A play mark: try the alarm.
    'alarm-test': [
        (circle(8, 8, 7), (30, 120, 50)),
        (circle(8, 8, 6.2), GREEN),
        (polygon([(6.2, 4.6), (11.6, 8), (6.2, 11.4)]), (255, 255, 255)),
    ],
    # A framed landscape: the picture.
    'alarm-picture': [
        (rect(1, 2.5, 15, 13.5), OUTLINE),
        (rect(2, 3.5, 14, 12.5), SKY),
        (circle(11, 6.2, 1.5), (250, 215, 60)),
        (polygon([(2, 12.5), (2, 10), (6, 6.5), (10, 10.5), (12, 9), (14, 11), (14, 12.5)]), GREEN),
    ],
    # A note: the sound.
    'alarm-sound': [
        (union(line(6.5, 12.5, 6.5, 3.2, 1.4), line(13, 11, 13, 1.8, 1.4),
               polygon([(5.8, 2.6), (13.7, 1.0), (13.7, 3.6), (5.8, 5.2)])), BLUE),
        (circle(4.6, 12.6, 2.3), BLUE),
        (circle(11.1, 11.1, 2.3), BLUE),
    ],
    # A page with a folded corner: the document.
    'alarm-document': [
        (polygon([(2.5, 0.8), (10, 0.8), (13.5, 4.3), (13.5, 15.2), (2.5, 15.2)]), OUTLINE),
        (polygon([(3.5, 1.8), (9.5, 1.8), (12.5, 4.8), (12.5, 14.2), (3.5, 14.2)]), PAPER),
        (polygon([(9.5, 1.8), (9.5, 4.8), (12.5, 4.8)]), GREY),
        (union(*[rect(5, y, 11, y + 0.9) for y in (6.5, 8.7, 10.9)]), GREY),
    ],
}


def render(shapes, side):
    scale = UNITS / side
    pixels = []
    for py in range(side):
        row = []
        for px in range(side):
            red = green = blue = alpha = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = None
                    for shape, fill in shapes:
                        if shape(x, y):
                            colour = fill
                    if colour:
                        red += colour[0]
                        green += colour[1]
                        blue += colour[2]
                        alpha += 1
            if alpha:
                row.append((round(red / alpha), round(green / alpha), round(blue / alpha),
                            round(255 * alpha / SAMPLES ** 2)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def png(pixels):
    side = len(pixels)
    raw = b''.join(b'\0' + bytes(channel for pixel in row for channel in pixel) for row in pixels)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'icons')
    for name, shapes in ICONS.items():
        for side, suffix in ((16, ''), (32, '@2x')):
            with open(os.path.join(folder, f'{name}{suffix}.png'), 'wb') as out:
                out.write(png(render(shapes, side)))


if __name__ == '__main__':
    main()
