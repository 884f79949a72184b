#!/usr/bin/env python3
"""Draws the Windows program's images into resources/: the invisible cursor, the program icon, the
title bitmap and the small icons of the configuration dialog. Standard library only; run it again after changing a drawing."""

import math
import os
import struct
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")


def bitmap_info_header(width, height, bits, colours=0, image_size=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours, 0)


def mask_rows(width, height, opaque):
    """1-bit AND mask, bottom-up, rows padded to 4 bytes: 0 shows the image, 1 the ground."""
    stride = ((width + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if not opaque(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        data += row
    return bytes(data)


def write_cursor(path):
    """32 x 32, every pixel transparent: black XOR image, all-ones AND mask."""
    xor = bytes(4 * 32)
    andmask = mask_rows(32, 32, lambda x, y: False)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = bitmap_info_header(32, 64, 1, 2) + palette + xor + andmask
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, 0, 0, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def glow(size):
    """The icon: a worm's spiral trail fading from green into gold on a dark disc."""
    scale = size / 32.0
    pixels = {}
    centre = (size - 1) / 2.0
    points = []
    for i in range(120):
        t = i / 119.0
        angle = t * 3.4 * math.pi
        radius = (2.0 + 11.5 * t) * scale
        points.append((centre + radius * math.cos(angle), centre - radius * math.sin(angle), t))
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - centre, y - centre)
            if d > size / 2.0 - 0.5:
                pixels[(x, y)] = None
                continue
            light = 0.0
            warmth = 0.0
            for px, py, t in points:
                dd = (x - px) ** 2 + (y - py) ** 2
                w = (0.35 + 0.65 * t) * math.exp(-dd / (1.6 * scale * scale))
                light += w
                warmth += w * t
            light = min(light, 1.0)
            warmth = warmth / max(light, 1e-6) if light > 0 else 0.0
            warmth = min(warmth, 1.0)
            ground = (10, 28, 12)
            top = (int(120 + 135 * warmth), int(255 - 40 * warmth), int(90 - 60 * warmth))
            pixels[(x, y)] = tuple(int(g + (c - g) * light) for g, c in zip(ground, top))
    return pixels


def icon_image(size):
    pixels = glow(size)
    data = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            p = pixels[(x, y)]
            if p is None:
                data += bytes([0, 0, 0, 0])
            else:
                r, g, b = p
                data += bytes([b, g, r, 255])
    andmask = mask_rows(size, size, lambda x, y: pixels[(x, y)] is not None)
    return bitmap_info_header(size, size * 2, 32) + bytes(data) + andmask


def write_icon(path):
    images = [(32, icon_image(32)), (16, icon_image(16))]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(header + entries + b"".join(image for _, image in images))


# A 5 x 7 pixel font for the title: only the letters it needs.
FONT = {
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "u": ["00000", "00000", "10001", "10001", "10001", "10011", "01101"],
    "m": ["00000", "00000", "11010", "10101", "10101", "10101", "10101"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "k": ["10000", "10000", "10010", "10100", "11000", "10100", "10010"],
    "i": ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
    "v": ["00000", "00000", "10001", "10001", "10001", "01010", "00100"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    " ": ["00000"] * 7,
}


def write_title(path, text="Lumenkite v2.0", width=106, height=18):
    """8 bits per pixel: index 0 the dark green ground, 1 the letters, 2 their soft shadow."""
    palette = [(0, 64, 24), (224, 255, 200), (0, 110, 40)] + [(0, 0, 0)] * 253
    pixels = [[0] * width for _ in range(height)]
    advance = 6
    x0 = (width - (len(text) * advance - 1)) // 2
    y0 = (height - 7) // 2
    for i, ch in enumerate(text):
        rows = FONT[ch]
        for gy, row in enumerate(rows):
            for gx, bit in enumerate(row):
                if bit == "1":
                    x, y = x0 + i * advance + gx, y0 + gy
                    if pixels[y + 1][x + 1] == 0:
                        pixels[y + 1][x + 1] = 2
                    pixels[y][x] = 1
    stride = (width + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        data += bytes(pixels[y]) + bytes(stride - width)
    table = b"".join(bytes([b, g, r, 0]) for r, g, b in palette)
    info = bitmap_info_header(width, height, 8, 256, len(data))
    offset = 14 + len(info) + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + info + table + bytes(data))


# The standard 16 colours, in the order 4-bit images of the system palette use.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, LIGHT, DARK, WHITE = 0, 7, 8, 15


def write_small_icon(path, pixels):
    """One 32 x 32 16-colour image; pixels maps (x, y) to a palette index, the rest is clear."""
    size = 32
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(0, size, 2):
            xor.append(pixels.get((x, y), BLACK) << 4 | pixels.get((x + 1, y), BLACK))
    andmask = mask_rows(size, size, lambda x, y: (x, y) in pixels)
    palette = b"".join(bytes([b, g, r, 0]) for r, g, b in VGA)
    image = bitmap_info_header(size, size * 2, 4, 0, len(xor) + len(andmask))
    image += palette + bytes(xor) + andmask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def check_box():
    """13 x 13 sunken box: dark grey over black at the top and left, white over light grey at
    the bottom and right, white inside."""
    pixels = {}
    for y in range(13):
        for x in range(13):
            if x == 0 or y == 0:
                colour = DARK if x < 12 and y < 12 else WHITE
            elif x == 12 or y == 12:
                colour = WHITE
            elif x == 1 or y == 1:
                colour = BLACK if x < 11 and y < 11 else LIGHT
            elif x == 11 or y == 11:
                colour = LIGHT
            else:
                colour = WHITE
            pixels[(x, y)] = colour
    return pixels


def ticked_box():
    pixels = check_box()
    # Each column of the tick three pixels deep, down to its point at x = 5 and up to the right.
    tops = {3: 5, 4: 6, 5: 7, 6: 6, 7: 5, 8: 4, 9: 3}
    for x, top in tops.items():
        for y in range(top, top + 3):
            pixels[(x, y)] = BLACK
    return pixels


def one_box():
    pixels = check_box()
    digit = [".X.", "XX.", ".X.", ".X.", ".X.", ".X.", "XXX"]
    for gy, row in enumerate(digit):
        for gx, bit in enumerate(row):
            if bit == "X":
                pixels[(5 + gx, 3 + gy)] = BLACK
    return pixels


def arrow_left():
    """Point at x = 0, rows 3..9: centred on a line of 8-point text that starts at the top."""
    return {(x, y): BLACK for x in range(4) for y in range(6 - x, 7 + x)}


def arrow_down():
    """Seven wide at row 5 narrowing to its point at row 8, around the same centre line."""
    return {(x, 5 + r): BLACK for r in range(4) for x in range(r, 7 - r)}


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_cursor(os.path.join(OUT, "Invisible.cur"))
    write_icon(os.path.join(OUT, "Lumenkite.ico"))
    write_title(os.path.join(OUT, "Title.bmp"))
    write_small_icon(os.path.join(OUT, "TypeOff.ico"), check_box())
    write_small_icon(os.path.join(OUT, "TypeOn.ico"), ticked_box())
    write_small_icon(os.path.join(OUT, "TypeOne.ico"), one_box())
    write_small_icon(os.path.join(OUT, "ArrowLeft.ico"), arrow_left())
    write_small_icon(os.path.join(OUT, "ArrowDown.ico"), arrow_down())
