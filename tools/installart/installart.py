#!/usr/bin/env python3
"""Draws the install run's animation: installart.py OUTPUT_DIR writes OUTPUT_DIR/install.avi.

A short loop for the animation control of the progress dialog: a sheet of paper flies in an arc from an
open folder on the left to a folder on the right. Uncompressed 8-bit frames with a small palette, one
video stream and no sound, which is what the common controls' animation plays without a codec. Pure
arithmetic: the same file on every run.
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 96, 40
FRAMES = 16
FRAME_MICROSECONDS = 100000     # 10 frames a second

# Palette index: colour (R, G, B).
PALETTE = [
    (255, 255, 255),    # 0 background (white, as the dialog's face is light)
    (0, 0, 0),          # 1 outline
    (240, 200, 64),     # 2 folder
    (200, 150, 32),     # 3 folder shade
    (255, 255, 255),    # 4 paper
    (64, 96, 200),      # 5 writing on the paper
    (192, 192, 192),    # 6 shadow
]


def blank():
    return [[0] * WIDTH for _ in range(HEIGHT)]


def rect(pixels, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(HEIGHT, y1)):
        for x in range(max(0, x0), min(WIDTH, x1)):
            pixels[y][x] = colour


def outline(pixels, x0, y0, x1, y1):
    rect(pixels, x0, y0, x1, y0 + 1, 1)
    rect(pixels, x0, y1 - 1, x1, y1, 1)
    rect(pixels, x0, y0, x0 + 1, y1, 1)
    rect(pixels, x1 - 1, y0, x1, y1, 1)


def folder(pixels, x):
    """A folder 22 wide standing on the bottom row area, its tab on the left."""
    rect(pixels, x, 18, x + 9, 21, 3)
    outline(pixels, x, 18, x + 9, 22)
    rect(pixels, x, 21, x + 22, 34, 2)
    rect(pixels, x, 32, x + 22, 34, 3)
    outline(pixels, x, 21, x + 22, 34)


def paper(pixels, cx, cy):
    x0, y0 = int(round(cx)) - 5, int(round(cy)) - 7
    rect(pixels, x0 + 2, y0 + 2, x0 + 12, y0 + 16, 6)
    rect(pixels, x0, y0, x0 + 10, y0 + 14, 4)
    outline(pixels, x0, y0, x0 + 10, y0 + 14)
    for line in range(3):
        rect(pixels, x0 + 2, y0 + 3 + 3 * line, x0 + 8, y0 + 4 + 3 * line, 5)


def frame(index):
    pixels = blank()
    folder(pixels, 4)
    folder(pixels, WIDTH - 26)
    t = index / float(FRAMES - 1)
    start, end = 15.0, WIDTH - 15.0
    cx = start + (end - start) * t
    cy = 24.0 - 17.0 * math.sin(math.pi * t)
    paper(pixels, cx, cy)
    # DIB rows bottom-up, each padded to four bytes (96 already is).
    return b"".join(bytes(pixels[y]) for y in range(HEIGHT - 1, -1, -1))


def chunk(fourcc, data):
    padded = data + (b"\0" if len(data) % 2 else b"")
    return fourcc + struct.pack("<I", len(data)) + padded


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def avi():
    frames = [frame(i) for i in range(FRAMES)]
    frame_size = len(frames[0])
    avih = struct.pack("<14I", FRAME_MICROSECONDS, frame_size * 10, 0, 0x10, FRAMES, 0, 1, frame_size,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIiI4h", b"vids", b"DIB ", 0, 0, 0, 0, FRAME_MICROSECONDS, 1000000, 0,
                       FRAMES, frame_size, -1, 0, 0, 0, WIDTH, HEIGHT)
    colours = b"".join(struct.pack("<4B", b, g, r, 0) for (r, g, b) in PALETTE)
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, frame_size, 0, 0, len(PALETTE),
                       len(PALETTE)) + colours
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for data in frames:
        # Offsets in the index count from the "movi" fourcc.
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_body), len(data))
        movi_body += chunk(b"00db", data)
    movi = riff_list(b"LIST", b"movi", movi_body)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: installart.py OUTPUT_DIR\n")
        return 2
    os.makedirs(argv[1], exist_ok=True)
    with open(os.path.join(argv[1], "install.avi"), "wb") as out:
        out.write(avi())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
