#!/usr/bin/env python3
"""Draws the Windows program's images into resources/: the invisible cursor, the program icon and
the title bitmap. Standard library only; run it again after changing a drawing."""

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


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_cursor(os.path.join(OUT, "Invisible.cur"))
    write_icon(os.path.join(OUT, "Lumenkite.ico"))
    write_title(os.path.join(OUT, "Title.bmp"))
