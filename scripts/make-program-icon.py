#!/usr/bin/env python3
"""Writes the program's icon as SVG: the clock's own face at ten past ten, a
minute ring and an hour disc whose colours sweep once around the centre from
their hand, with a dark band of twelve tics between them.

    make-program-icon.py full OUT.svg    the icon for 32 pixels and up
    make-program-icon.py small OUT.svg   fewer, bolder parts for 16 to 24
                                         pixels and the tray

SVG has no sweeping gradient, so each band is drawn as narrow wedges of
plain colour that overlap a little, which leaves no hairline between them."""

import math
import sys

SIZE = 256
CENTRE = SIZE / 2

# Clockwise from the hand: first colour, middle colour, last colour.
MINUTE_COLOURS = ("#bfe3ff", "#3f8fe0", "#0b2a6e")
HOUR_COLOURS = ("#fff4d6", "#f59a3c", "#a3261b")
BAND = "#141820"
TICS = "#ffffff"
RIM = "#0a0d14"

HOUR = 10
MINUTE = 8


def mix(first, second, t):
    a = [int(first[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(second[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * t):02x}" for x, y in zip(a, b))


def sweep_colour(colours, t):
    """The colour t (0..1) of the way clockwise round from the hand."""
    first, middle, last = colours
    return mix(first, middle, t * 2) if t < 0.5 else mix(middle, last, t * 2 - 1)


def point(radius, angle):
    """The point at radius and clock angle (0 at twelve, clockwise)."""
    return (CENTRE + radius * math.sin(angle), CENTRE - radius * math.cos(angle))


def wedge(inner, outer, start, end):
    x0, y0 = point(outer, start)
    x1, y1 = point(outer, end)
    if inner == 0:
        return f"M{CENTRE:.2f},{CENTRE:.2f}L{x0:.2f},{y0:.2f}A{outer},{outer} 0 0 1 {x1:.2f},{y1:.2f}Z"
    x2, y2 = point(inner, end)
    x3, y3 = point(inner, start)
    return (f"M{x0:.2f},{y0:.2f}A{outer},{outer} 0 0 1 {x1:.2f},{y1:.2f}"
            f"L{x2:.2f},{y2:.2f}A{inner},{inner} 0 0 0 {x3:.2f},{y3:.2f}Z")


def swept_band(inner, outer, hand, colours, wedges):
    parts = []
    step = 2 * math.pi / wedges
    overlap = step * 0.6
    for k in range(wedges):
        start = hand + k * step
        colour = sweep_colour(colours, (k + 0.5) / wedges)
        parts.append(f'<path fill="{colour}" d="{wedge(inner, outer, start, start + step + overlap)}"/>')
    return parts


def icon(small):
    minute_hand = MINUTE / 60 * 2 * math.pi
    hour_hand = (HOUR + MINUTE / 60) / 12 * 2 * math.pi
    rim = 124
    outer = 122
    band_outer = 84 if small else 90
    band_inner = 62 if small else 72
    tic_width = 9 if small else 6
    wedges = 36 if small else 120

    parts = [f'<circle cx="{CENTRE}" cy="{CENTRE}" r="{rim}" fill="{RIM}"/>']
    parts += swept_band(band_outer, outer, minute_hand, MINUTE_COLOURS, wedges)
    parts.append(f'<circle cx="{CENTRE}" cy="{CENTRE}" r="{band_outer}" fill="{BAND}"/>')
    tics = range(0, 12, 3) if small else range(12)
    for tic in tics:
        angle = tic / 12 * 2 * math.pi
        x0, y0 = point(band_inner - 2, angle)
        x1, y1 = point(band_outer - 3, angle)
        width = tic_width + (3 if tic == 0 else 0)
        parts.append(f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" '
                     f'stroke="{TICS}" stroke-width="{width}" stroke-linecap="round"/>')
    parts += swept_band(0, band_inner - 4, hour_hand, HOUR_COLOURS, wedges)
    # The hands are the seams; a thin line in the band's middle colour marks each.
    hand_width = 8 if small else 4
    for hand, inner, length, colour in ((hour_hand, 0, band_inner - 4, HOUR_COLOURS[1]),
                                        (minute_hand, band_outer, outer, MINUTE_COLOURS[1])):
        x0, y0 = point(inner, hand)
        x1, y1 = point(length, hand)
        parts.append(f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" '
                     f'stroke="{colour}" stroke-width="{hand_width}" stroke-linecap="round"/>')
    body = "\n".join(parts)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
            f'viewBox="0 0 {SIZE} {SIZE}">\n{body}\n</svg>\n')


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("full", "small"):
        sys.exit(__doc__)
    with open(sys.argv[2], "w", encoding="ascii") as out:
        out.write(icon(sys.argv[1] == "small"))


if __name__ == "__main__":
    main()
