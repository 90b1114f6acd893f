#!/usr/bin/env python3
"""Draws the installer's pictures: setupart.py OUTPUT_DIR.

setup.ico (icon 128: a keyboard on a blue disc, 32 x 32 and 16 x 16) and wizard.bmp (bitmap 129: the
wizard's left-hand picture, 140 x 310, a keyboard over a blue-to-black band). 24 bits, drawn by arithmetic
with four-by-four sampling: the same files on every run. setupart-stamp.h is included by the .rc so that
the resource compiler runs again when the pictures change.
"""
import os
import struct
import sys

SAMPLES = [(i + 0.5) / 4.0 for i in range(4)]


def keyboard(u, v, x0, y0, x1, y1):
    """Colour of a small keyboard drawn in the box (x0, y0)-(x1, y1) at point (u, v), or None outside."""
    if not (x0 <= u < x1 and y0 <= v < y1):
        return None
    w, h = x1 - x0, y1 - y0
    fx, fy = (u - x0) / w, (v - y0) / h
    # Body with a darker rim, then four rows of keys and a space bar.
    if fx < 0.04 or fx > 0.96 or fy < 0.08 or fy > 0.92:
        return (60, 64, 72)
    rows = 5
    row = int((fy - 0.08) / 0.84 * rows)
    ry = ((fy - 0.08) / 0.84 * rows) % 1.0
    if ry < 0.18 or ry > 0.86:
        return (150, 156, 168)
    if row == rows - 1:
        return (236, 238, 242) if 0.3 < fx < 0.7 else (150, 156, 168)
    keys = 10 - (row % 2)
    kx = ((fx - 0.04) / 0.92 * keys + (0.5 if row % 2 else 0)) % 1.0
    return (236, 238, 242) if 0.12 < kx < 0.88 else (150, 156, 168)


def icon_pixel(u, v, size):
    """(colour, opaque) of the icon at (u, v) in a size x size square."""
    cx = cy = size / 2.0
    r = size / 2.0 - 0.5
    d2 = (u - cx) ** 2 + (v - cy) ** 2
    if d2 > r * r:
        return None
    key = keyboard(u, v, size * 0.16, size * 0.32, size * 0.84, size * 0.68)
    if key:
        return key
    t = v / size
    return (int(40 * (1 - t)), int(90 * (1 - t) + 20), int(255 * (1 - t) + 90 * t))


def wizard_pixel(u, v, width, height):
    t = v / height
    background = (0, 0, int(255 * (1 - t)))
    key = keyboard(u, v, width * 0.12, height * 0.40, width * 0.88, height * 0.56)
    if key:
        return key
    # A white wave under the keyboard.
    wave = height * 0.62 + 8 * (((u / width) * 2 - 1) ** 2)
    if abs(v - wave) < 1.5:
        return (255, 255, 255)
    return background


def sample(paint, x, y):
    total = [0, 0, 0]
    covered = 0
    for sy in SAMPLES:
        for sx in SAMPLES:
            colour = paint(x + sx, y + sy)
            if colour is not None:
                covered += 1
                for i in range(3):
                    total[i] += colour[i]
    if covered == 0:
        return None, 0
    return tuple(int(round(c / covered)) for c in total), covered / 16.0


def bmp_rows(width, height, paint, mask=False):
    """Bottom-up BGR rows padded to four bytes, and the AND mask rows (1 = transparent)."""
    rows, masks = [], []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        bits = 0
        mask_row = bytearray()
        for x in range(width):
            colour, coverage = sample(paint, x, y)
            transparent = coverage < 0.5
            if colour is None:
                colour = (0, 0, 0)
            row += bytes((colour[2], colour[1], colour[0]))
            bits = (bits << 1) | (1 if transparent else 0)
            if x % 8 == 7:
                mask_row.append(bits)
                bits = 0
        row += b"\0" * ((4 - len(row) % 4) % 4)
        mask_row += b"\0" * ((4 - len(mask_row) % 4) % 4)
        rows.append(bytes(row))
        masks.append(bytes(mask_row))
    return b"".join(rows), b"".join(masks)


def write_bitmap(path, width, height, paint):
    pixels, _ = bmp_rows(width, height, paint)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def write_icon(path, sizes):
    images = []
    for size in sizes:
        pixels, masks = bmp_rows(size, size, lambda u, v, s=size: icon_pixel(u, v, s))
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(pixels) + len(masks), 0, 0, 0, 0)
        images.append((size, info + pixels + masks))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(directory + data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: setupart.py OUTPUT_DIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    write_icon(os.path.join(out, "setup.ico"), [32, 16])
    write_bitmap(os.path.join(out, "wizard.bmp"), 140, 310, lambda u, v: wizard_pixel(u, v, 140, 310))
    with open(os.path.join(out, "setupart-stamp.h"), "w") as stamp:
        stamp.write("// Written by tools/setupart/setupart.py with setup.ico and wizard.bmp.\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
