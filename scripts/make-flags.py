#!/usr/bin/env python3
"""Draws the 48 x 48 flag tiles of the shipped languages as 24-bit uncompressed BMP files.

Usage: python3 scripts/make-flags.py [output-dir]   (default: src/lang/shipped)

The pictures are simplified on purpose: plain stripes for the national flags, a
simplified cross-and-saltire design for English and a grey globe for DefaultFlag.bmp.
Only the standard library is used; the output is the same on every run.
"""

import math
import os
import struct
import sys

SIZE = 48
FRAME = (96, 96, 96)  # thin grey frame so white parts stand out from the dialog


def write_bmp(path, pixels):
    """pixels[y][x] = (r, g, b), y = 0 is the top row."""
    height = len(pixels)
    width = len(pixels[0])
    row_size = (width * 3 + 3) // 4 * 4
    image_size = row_size * height
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    body = bytearray()
    for y in range(height - 1, -1, -1):  # BMP rows run bottom-up
        for r, g, b in pixels[y]:
            body += bytes((b, g, r))
        body += b"\0" * (row_size - width * 3)
    with open(path, "wb") as f:
        f.write(header + info + body)


def tile(colour_at):
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            if x in (0, SIZE - 1) or y in (0, SIZE - 1):
                row.append(FRAME)
            else:
                row.append(colour_at(x, y))
        pixels.append(row)
    return pixels


def horizontal(*bands):
    """bands: (colour, share) from top to bottom."""
    total = sum(share for _, share in bands)

    def colour_at(x, y):
        edge = 0
        for colour, share in bands:
            edge += share
            if y * total < edge * SIZE:
                return colour
        return bands[-1][0]

    return colour_at


def vertical(*colours):
    def colour_at(x, y):
        return colours[min(x * len(colours) // SIZE, len(colours) - 1)]

    return colour_at


def english(x, y):
    blue, white, red = (1, 33, 105), (255, 255, 255), (200, 16, 46)
    c = (SIZE - 1) / 2.0
    dx, dy = x - c, y - c
    # upright cross on top of the diagonal cross
    if abs(dx) <= 2.5 or abs(dy) <= 2.5:
        return red
    if abs(dx) <= 5.5 or abs(dy) <= 5.5:
        return white
    diagonal = min(abs(dx - dy), abs(dx + dy)) / math.sqrt(2)
    if diagonal <= 1.2:
        return red
    if diagonal <= 3.6:
        return white
    return blue


def globe(x, y):
    back, sea, line = (208, 208, 208), (150, 162, 172), (70, 70, 70)
    c = (SIZE - 1) / 2.0
    r = 18.0
    dx, dy = x - c, y - c
    d = math.hypot(dx, dy)
    if d > r + 0.5:
        return back
    if d > r - 1.0:
        return line
    if abs(dy) <= 0.5 or abs(dx) <= 0.5:  # equator and central meridian
        return line
    if abs(abs(dy) - r * 0.5) <= 0.5:  # two parallels
        return line
    meridian = (dx / (r * 0.5)) ** 2 + (dy / r) ** 2  # one elliptic meridian pair
    if abs(math.sqrt(meridian) - 1.0) <= 0.06:
        return line
    return sea


FLAGS = {
    "Deutsch.bmp": horizontal(((0, 0, 0), 1), ((221, 0, 0), 1), ((255, 206, 0), 1)),
    "Italiano.bmp": vertical((0, 146, 70), (255, 255, 255), (206, 43, 55)),
    "Francais.bmp": vertical((0, 85, 164), (255, 255, 255), (239, 65, 53)),
    "Espanol.bmp": horizontal(((170, 21, 27), 1), ((241, 191, 0), 2), ((170, 21, 27), 1)),
    "English.bmp": english,
    "DefaultFlag.bmp": globe,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "lang", "shipped")
    os.makedirs(out, exist_ok=True)
    for name, colour_at in FLAGS.items():
        write_bmp(os.path.join(out, name), tile(colour_at))
        print(os.path.join(out, name))


if __name__ == "__main__":
    main()
