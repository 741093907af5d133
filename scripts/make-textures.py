#!/usr/bin/env python3
"""Writes the shipped texture pictures, resources/textures/*.bmp: paper, linen,
wood, brushed metal, marble, slate, sand and carbon weave.

Every texture is a shade from 0 to 1 at each pixel, made of value noise whose
lattice repeats across the picture, so that the picture tiles without a seam
(the clock repeats it over its face from the top-left corner). The shade is
then coloured along a ramp of colours and written as an 8-bit palette BMP,
which keeps each file near 17 KB (128 x 128) or 65 KB (256 x 256).

Only the standard library is used; the noise is seeded, so a run writes the
same bytes every time. Run it after changing a texture; the pictures are kept
in the repository."""

import math
import os
import random
import struct


class PeriodicNoise:
    """Smooth value noise on a lattice of columns x rows cells that repeats
    exactly across one picture; fewer columns than rows stretch it along x."""

    def __init__(self, columns, rows, seed):
        generator = random.Random(seed)
        self.columns = columns
        self.rows = rows
        self.values = [[generator.random() for _ in range(columns)] for _ in range(rows)]

    def at(self, u, v):
        """The noise at (u, v), both in picture sides (0..1 spans one period)."""
        x = u * self.columns
        y = v * self.rows
        x0 = math.floor(x)
        y0 = math.floor(y)
        fx = x - x0
        fy = y - y0
        sx = fx * fx * (3 - 2 * fx)
        sy = fy * fy * (3 - 2 * fy)
        left = x0 % self.columns
        right = (x0 + 1) % self.columns
        row0 = self.values[y0 % self.rows]
        row1 = self.values[(y0 + 1) % self.rows]
        top = row0[left] + (row0[right] - row0[left]) * sx
        bottom = row1[left] + (row1[right] - row1[left]) * sx
        return top + (bottom - top) * sy


class Fractal:
    """Octaves of periodic noise, each of twice the frequency and half the
    weight of the one before; the result lies in 0..1."""

    def __init__(self, period, octaves, seed, rows=None):
        rows = rows or period
        self.layers = [PeriodicNoise(period << octave, rows << octave, seed * 31 + octave)
                       for octave in range(octaves)]

    def at(self, u, v):
        total = 0.0
        weight = 1.0
        weights = 0.0
        for layer in self.layers:
            total += layer.at(u, v) * weight
            weights += weight
            weight /= 2
        return total / weights


def clamp(value):
    return 0.0 if value < 0 else 1.0 if value > 1 else value


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def ramp(stops, steps=256):
    """A palette of `steps` colours running through the stops (shade, "#rrggbb")."""
    parsed = [(shade, hex_colour(colour)) for shade, colour in stops]
    palette = []
    for index in range(steps):
        shade = index / (steps - 1)
        for (s0, c0), (s1, c1) in zip(parsed, parsed[1:]):
            if s0 <= shade <= s1:
                t = 0 if s1 == s0 else (shade - s0) / (s1 - s0)
                palette.append(tuple(round(a + (b - a) * t) for a, b in zip(c0, c1)))
                break
    return palette


def paper(u, v, noise):
    fibres = noise["fine"].at(u, v)
    cloud = noise["cloud"].at(u, v)
    return clamp(0.35 + 0.45 * cloud + 0.35 * (fibres - 0.5))


def linen(u, v, noise, threads=32):
    # Threads over and under each other: the shade of a thread's crossing
    # follows the weave, with slubs of uneven thickness along each thread.
    x = u * threads
    y = v * threads
    warp = 0.5 + 0.5 * math.cos(2 * math.pi * x)
    weft = 0.5 + 0.5 * math.cos(2 * math.pi * y)
    over = (math.floor(x) + math.floor(y)) % 2 == 0
    thread = warp if over else weft
    slub = noise["slub"].at(u, v)
    return clamp(0.25 + 0.5 * thread + 0.3 * (slub - 0.5) + 0.15 * (noise["fine"].at(u, v) - 0.5))


def wood(u, v, noise, rings=6):
    # Rings along the picture's width, bent by low noise; the grain's fine
    # streaks run along the rings.
    bend = noise["bend"].at(u, v)
    phase = (v + 0.18 * bend) * rings
    ring = phase - math.floor(phase)
    ring = ring ** 3
    streak = noise["streak"].at(u, v)
    return clamp(0.15 + 0.55 * ring + 0.3 * streak)


def brushed_metal(u, v, noise):
    # Streaks along the rows: noise with thirty-two times more rows than
    # columns.
    streaks = noise["streak"].at(u, v)
    sheen = 0.5 + 0.5 * math.cos(2 * math.pi * (v + 0.1 * noise["cloud"].at(u, v)))
    return clamp(0.3 + 0.5 * streaks + 0.2 * sheen)


def marble(u, v, noise, veins=3):
    turbulence = noise["turbulence"].at(u, v)
    vein = abs(math.sin(math.pi * ((u + v) * veins + 3.0 * turbulence)))
    return clamp(0.15 + 0.85 * vein ** 0.35)


def slate(u, v, noise):
    layers = noise["cloud"].at(u, v)
    grit = noise["fine"].at(u, v)
    return clamp(0.2 + 0.55 * layers + 0.3 * (grit - 0.5))


def sand(u, v, noise):
    # Grains: high-frequency noise, with ripples drawn by the wind.
    grains = noise["fine"].at(u, v)
    ripple = 0.5 + 0.5 * math.sin(2 * math.pi * (4 * v + 0.3 * noise["cloud"].at(u, v)))
    return clamp(0.2 + 0.6 * grains + 0.25 * (ripple - 0.5))


def carbon(u, v, noise, tows=16):
    # A two-over-two twill of fibre bundles, each lit along its length.
    x = u * tows
    y = v * tows
    column = math.floor(x)
    row = math.floor(y)
    along_x = (column + row) % 4 < 2
    across = (y - row) if along_x else (x - column)
    light = math.sin(math.pi * across)
    fibres = noise["fine"].at(u, v)
    return clamp(0.1 + 0.6 * light * (0.75 if along_x else 0.55) + 0.15 * (fibres - 0.5))


TEXTURES = {
    "Paper": (128, paper, {"fine": Fractal(32, 2, 1), "cloud": Fractal(4, 3, 2)},
              [(0, "#cfc4ad"), (0.6, "#eee6d3"), (1, "#fbf7ee")]),
    "Linen": (128, linen, {"slub": Fractal(8, 3, 3), "fine": Fractal(64, 1, 4)},
              [(0, "#8e8068"), (0.55, "#cdbf9f"), (1, "#efe6cf")]),
    "Wood": (256, wood, {"bend": Fractal(2, 3, 5), "streak": Fractal(4, 2, 6, rows=64)},
             [(0, "#5a3514"), (0.45, "#9a6430"), (0.8, "#c48c4e"), (1, "#dcae72")]),
    "Metal": (128, brushed_metal, {"streak": Fractal(2, 2, 7, rows=64), "cloud": Fractal(2, 2, 8)},
              [(0, "#6f757c"), (0.5, "#aeb4ba"), (1, "#e6e9ec")]),
    "Marble": (256, marble, {"turbulence": Fractal(4, 4, 9)},
               [(0, "#6d6a66"), (0.35, "#b9b4ac"), (0.7, "#e8e4dc"), (1, "#f8f6f1")]),
    "Slate": (128, slate, {"cloud": Fractal(4, 4, 10), "fine": Fractal(64, 1, 11)},
              [(0, "#22272c"), (0.5, "#3b4249"), (1, "#5d666f")]),
    "Sand": (128, sand, {"fine": Fractal(64, 2, 12), "cloud": Fractal(2, 2, 13)},
             [(0, "#a7895a"), (0.5, "#d4b683"), (1, "#f0dcb2")]),
    "Carbon": (128, carbon, {"fine": Fractal(64, 1, 14)},
               [(0, "#0c0c0d"), (0.5, "#2b2d30"), (1, "#6a6e74")]),
}


def palette_bitmap(side, shades, palette):
    """An 8-bit palette BMP of side x side pixels; shades[y][x] in 0..1."""
    row_bytes = (side + 3) // 4 * 4
    rows = []
    for y in reversed(range(side)):  # BMP rows run bottom-up
        indexes = bytes(round(shade * (len(palette) - 1)) for shade in shades[y])
        rows.append(indexes + b"\0" * (row_bytes - side))
    pixels = b"".join(rows)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, side, side, 1, 8, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "textures")
    os.makedirs(folder, exist_ok=True)
    for name, (side, shade, noise, stops) in TEXTURES.items():
        shades = [[shade(x / side, y / side, noise) for x in range(side)] for y in range(side)]
        with open(os.path.join(folder, f"{name}.bmp"), "wb") as out:
            out.write(palette_bitmap(side, shades, ramp(stops)))


if __name__ == "__main__":
    main()
