#!/usr/bin/env python3
"""Draws the navigation pad's bitmaps: padart.py OUTPUT_DIR.

One 165 x 165 picture of the whole pad is drawn per look (two colour sets, normal and hover); the
background and every button image are cut out of it, so the images line up with the buttons' positions
on the background by construction. The masks are the segment shapes in black on white. Pure arithmetic,
no randomness: the same files on every run.
"""
import math
import os
import struct
import sys

SIZE = 165
CX = CY = SIZE / 2.0            # centre of the disc, between pixels 82 and 83
DISC_RADIUS = 81.5
RIM_INNER = 77.0
RING_OUTER = 75.0
RING_INNER = 19.0
CENTRE_RADIUS = 14.5
GAP = 1.5                       # half the width of the grooves between segments
ICON_RADIUS = 47.5
ICON_SIZE = 23.0

# index: (x, y, image width, image height, mask width); the position table of the pad dialog.
BUTTONS = [
    (30, 7, 51, 61, 51),
    (84, 7, 51, 61, 51),
    (97, 30, 61, 51, 61),
    (97, 84, 61, 51, 61),
    (84, 97, 51, 61, 51),
    (30, 97, 51, 61, 51),
    (7, 84, 61, 51, 61),
    (7, 30, 61, 51, 60),
]
CENTRE = (67, 67, 30, 30)

# Colour sets: (segment dark, segment light) for the normal and the hover look.
SETS = {
    1: {"normal": ((26, 62, 140), (72, 128, 214)), "hover": ((52, 110, 200), (130, 190, 255))},
    2: {"normal": ((12, 92, 84), (40, 160, 140)), "hover": ((30, 140, 124), (110, 225, 200))},
}
CENTRE_LOOK = {"normal": ((120, 124, 134), (214, 218, 226)), "hover": ((150, 170, 200), (240, 246, 255))}

SUBSAMPLES = [(i + 0.5) / 4.0 for i in range(4)]


def sector_start(index):
    # Screen angles (y down): segment 1 starts straight up and the segments go round clockwise.
    return math.radians(-135.0 + 45.0 * index)


def in_segment(index, px, py, clip=True):
    dx, dy = px - CX, py - CY
    r = math.hypot(dx, dy)
    if r < RING_INNER or r > RING_OUTER:
        return False
    a0 = sector_start(index)
    a1 = a0 + math.pi / 4
    # Inside the sector: on the inner side of both boundary rays, at least GAP away from each.
    d0 = dx * math.sin(a0) - dy * math.cos(a0)
    d1 = dx * math.sin(a1) - dy * math.cos(a1)
    if not (d0 <= -GAP and d1 >= GAP):
        return False
    if clip:
        x, y, _, h, mw = BUTTONS[index]
        if not (x <= px < x + mw and y <= py < y + h):
            return False
    return True


def in_centre(px, py):
    return math.hypot(px - CX, py - CY) <= CENTRE_RADIUS


def segment_box(index):
    """A box round segment index: its corners on the inner and outer circle, widened to take in the arc."""
    a0 = sector_start(index)
    xs, ys = [], []
    for k in range(9):
        a = a0 + k * math.pi / 32
        for r in (RING_INNER, RING_OUTER):
            xs.append(CX + r * math.cos(a))
            ys.append(CY + r * math.sin(a))
    return (min(xs) - 1, min(ys) - 1, max(xs) + 2, max(ys) + 2)


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


class Canvas:
    def __init__(self):
        self.pixels = [[(0.0, 0.0, 0.0) for _ in range(SIZE)] for _ in range(SIZE)]

    def paint(self, inside, colour_at, box=(0, 0, SIZE, SIZE), alpha=1.0):
        """Blends colour_at(x, y) where inside(x, y) holds, anti-aliased by 4 x 4 samples per pixel."""
        x0, y0, x1, y1 = box
        for y in range(max(0, int(y0)), min(SIZE, int(math.ceil(y1)))):
            row = self.pixels[y]
            for x in range(max(0, int(x0)), min(SIZE, int(math.ceil(x1)))):
                hits = 0
                for sy in SUBSAMPLES:
                    for sx in SUBSAMPLES:
                        if inside(x + sx, y + sy):
                            hits += 1
                if hits:
                    cover = alpha * hits / 16.0
                    row[x] = mix(row[x], colour_at(x + 0.5, y + 0.5), cover)


# --- icons: shapes in a 24 x 24 design box, placed and scaled onto a segment ---------------------------

def rect(x0, y0, x1, y1):
    return lambda u, v: x0 <= u <= x1 and y0 <= v <= y1


def circle(cx, cy, r):
    return lambda u, v: (u - cx) ** 2 + (v - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1, gap_from=None, gap_to=None):
    def inside(u, v):
        d = math.hypot(u - cx, v - cy)
        if not (r0 <= d <= r1):
            return False
        if gap_from is not None:
            a = math.degrees(math.atan2(v - cy, u - cx)) % 360.0
            if gap_from <= a <= gap_to:
                return False
        return True
    return inside


def polygon(points):
    def inside(u, v):
        hit = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > v) != (yb > v):
                if u < xa + (v - ya) * (xb - xa) / (yb - ya):
                    hit = not hit
        return hit
    return inside


def line(xa, ya, xb, yb, width):
    def inside(u, v):
        dx, dy = xb - xa, yb - ya
        t = max(0.0, min(1.0, ((u - xa) * dx + (v - ya) * dy) / (dx * dx + dy * dy)))
        return math.hypot(u - (xa + t * dx), v - (ya + t * dy)) <= width / 2.0
    return inside


def union(*shapes):
    return lambda u, v: any(s(u, v) for s in shapes)


WHITE = (250, 250, 250)
INK = (34, 42, 64)
GOLD = (255, 210, 70)
GREEN = (70, 200, 90)
SKY = (120, 190, 255)


def star(cx, cy, r_out, r_in):
    pts = []
    for k in range(10):
        a = math.radians(-90 + 36 * k)
        r = r_out if k % 2 == 0 else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


def envelope(x0, y0, x1, y1):
    mid = (x0 + x1) / 2.0
    body = rect(x0, y0, x1, y1)
    flap = union(line(x0 + 0.8, y0 + 0.8, mid, y0 + (y1 - y0) * 0.6, 1.4),
                 line(mid, y0 + (y1 - y0) * 0.6, x1 - 0.8, y0 + 0.8, 1.4))
    return [(body, WHITE), (flap, INK)]


def icon_layers(index):
    """Layers (shape, colour) of a command's icon, painted in order."""
    if index == 0:    # New: a blank page with a folded corner and a plus
        page = polygon([(5, 2), (15, 2), (20, 7), (20, 22), (5, 22)])
        fold = polygon([(15, 2), (15, 7), (20, 7)])
        plus = union(rect(14, 13.5, 23, 16.5), rect(17, 10.5, 20, 19.5))
        return [(page, WHITE), (fold, (170, 180, 200)), (circle(18.5, 15, 6), GREEN), (plus, WHITE)]
    if index == 1:    # Find: a magnifying glass
        return [(circle(10, 10, 6.5), SKY), (ring(10, 10, 6, 8.5), WHITE),
                (line(15.5, 15.5, 21.5, 21.5, 4), WHITE)]
    if index == 2:    # Mail Link: an envelope and a chain link
        link = union(ring(10, 19.5, 2.2, 3.8), ring(16, 19.5, 2.2, 3.8))
        return envelope(2, 2, 22, 15) + [(link, GOLD)]
    if index == 3:    # Mail Webpage: an envelope and a globe
        globe = circle(15, 17.5, 6)
        lines = union(ring(15, 17.5, 5, 6), rect(9, 17, 21, 18), rect(14.5, 11.5, 15.5, 23.5),
                      ring(15, 17.5, 2.2, 3.0))
        return envelope(2, 2, 20, 13) + [(globe, SKY), (lines, INK)]
    if index == 4:    # Append My Favorite: a star with a plus
        plus = union(rect(15, 18, 23, 21), rect(17.5, 15.5, 20.5, 23.5))
        return [(star(11, 11, 10.5, 4.3), GOLD), (circle(19, 19.5, 5), GREEN), (plus, WHITE)]
    if index == 5:    # ReFresh: a circular arrow
        arc = ring(12, 12.5, 5.5, 8.5, 290, 350)
        head = polygon([(14.5, 0.5), (22.5, 5.5), (14.5, 10.5)])
        return [(arc, WHITE), (head, WHITE)]
    if index == 6:    # Save: a floppy disk
        body = polygon([(3, 3), (18, 3), (21, 6), (21, 21), (3, 21)])
        shutter = rect(7, 3, 16, 9)
        slot = rect(12.5, 4, 14.5, 8)
        label = rect(6, 13, 18, 21)
        return [(body, WHITE), (shutter, INK), (slot, WHITE), (label, SKY),
                (rect(8, 15.5, 16, 16.5), INK), (rect(8, 18, 16, 19), INK)]
    if index == 7:    # Open: an open folder
        back = polygon([(2, 5), (9, 5), (11, 7.5), (19, 7.5), (19, 20), (2, 20)])
        front = polygon([(5.5, 11), (23, 11), (19, 20), (2, 20)])
        return [(back, (200, 150, 40)), (front, GOLD)]
    raise ValueError(index)


def draw_icon(canvas, index):
    mid = sector_start(index) + math.pi / 8
    ox = CX + ICON_RADIUS * math.cos(mid) - ICON_SIZE / 2
    oy = CY + ICON_RADIUS * math.sin(mid) - ICON_SIZE / 2
    scale = ICON_SIZE / 24.0
    box = (ox - 2, oy - 2, ox + ICON_SIZE + 3, oy + ICON_SIZE + 3)
    layers = icon_layers(index)
    everything = union(*[s for s, _ in layers])
    # A soft shadow under the whole icon, then its layers.
    canvas.paint(lambda x, y: everything((x - ox - 1) / scale, (y - oy - 1) / scale),
                 lambda x, y: (0, 0, 20), box, alpha=0.45)
    for shape, colour in layers:
        canvas.paint(lambda x, y, s=shape: s((x - ox) / scale, (y - oy) / scale), lambda x, y, c=colour: c, box)


def render(colour_set, look):
    canvas = Canvas()
    disc = lambda x, y: math.hypot(x - CX, y - CY) <= DISC_RADIUS
    # Rim: a metallic band lit from the top left.
    canvas.paint(disc, lambda x, y: mix((60, 64, 74), (190, 196, 208), 1.0 - (x + y) / (2 * SIZE)))
    canvas.paint(lambda x, y: math.hypot(x - CX, y - CY) <= RIM_INNER, lambda x, y: (22, 26, 36))
    dark, light = SETS[colour_set][look]
    for index in range(8):
        def shade(x, y, d=dark, l=light):
            r = math.hypot(x - CX, y - CY)
            t = (r - RING_INNER) / (RING_OUTER - RING_INNER)
            lift = 0.25 * (1.0 - y / SIZE)
            return mix(d, l, 0.35 + 0.5 * t + lift)
        canvas.paint(lambda x, y, i=index: in_segment(i, x, y, clip=False), shade, segment_box(index))
        draw_icon(canvas, index)
    cdark, clight = CENTRE_LOOK[look]
    canvas.paint(in_centre, lambda x, y: mix(clight, cdark, (x + y - 2 * (CX - CENTRE_RADIUS)) / (4 * CENTRE_RADIUS)))
    canvas.paint(lambda x, y: CENTRE_RADIUS - 2.6 <= math.hypot(x - CX, y - CY) <= CENTRE_RADIUS - 1.0,
                 lambda x, y: INK)
    cross = union(line(CX - 6, CY - 6, CX + 6, CY + 6, 2.6), line(CX - 6, CY + 6, CX + 6, CY - 6, 2.6))
    canvas.paint(cross, lambda x, y: INK)
    return canvas


def to_bytes(canvas, x0, y0, width, height):
    rows = []
    for y in range(y0, y0 + height):
        rows.append([tuple(int(round(max(0.0, min(255.0, c)))) for c in canvas.pixels[y][x])
                     for x in range(x0, x0 + width)])
    return rows


def write_bmp(path, rows, bits):
    """Writes an uncompressed bottom-up BMP of 24 or 32 bits per pixel from rows of (r, g, b)."""
    height, width = len(rows), len(rows[0])
    stride = (width * (bits // 8) + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line_bytes = bytearray()
        for r, g, b in row:
            line_bytes += bytes((b, g, r)) if bits == 24 else bytes((b, g, r, 0))
        line_bytes += b"\0" * (stride - len(line_bytes))
        data += line_bytes
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(file_header + header + data)


def mask_rows(inside, x0, y0, width, height):
    return [[(0, 0, 0) if inside(x + 0.5, y + 0.5) else (255, 255, 255) for x in range(x0, x0 + width)]
            for y in range(y0, y0 + height)]


def generate(out):
    os.makedirs(out, exist_ok=True)
    looks = {(s, l): render(s, l) for s in (1, 2) for l in ("normal", "hover")}

    def cut(resource_id, canvas, x, y, w, h, bits):
        write_bmp(os.path.join(out, "pad%d.bmp" % resource_id), to_bytes(canvas, x, y, w, h), bits)

    cut(159, looks[(1, "normal")], 0, 0, SIZE, SIZE, 32)
    for index, (x, y, w, h, mw) in enumerate(BUTTONS):
        for colour_set, base in ((1, 132), (2, 160)):
            cut(base + 2 * index, looks[(colour_set, "normal")], x, y, w, h, 32)
            cut(base + 2 * index + 1, looks[(colour_set, "hover")], x, y, w, h, 32)
        write_bmp(os.path.join(out, "pad%d.bmp" % (148 + index)),
                  mask_rows(lambda px, py, i=index: in_segment(i, px, py), x, y, mw, h), 24)
    cx, cy, cw, ch = CENTRE
    cut(157, looks[(1, "normal")], cx, cy, cw, ch, 24)
    cut(158, looks[(1, "hover")], cx, cy, cw, ch, 24)
    write_bmp(os.path.join(out, "pad156.bmp"), mask_rows(in_centre, cx, cy, cw, ch), 24)
    # The whole pad in its second colour set and in the hover look, for people to look at.
    write_bmp(os.path.join(out, "preview-set2.bmp"), to_bytes(looks[(2, "normal")], 0, 0, SIZE, SIZE), 24)
    write_bmp(os.path.join(out, "preview-hover.bmp"), to_bytes(looks[(1, "hover")], 0, 0, SIZE, SIZE), 24)
    # Included by the resource script: rewritten last, so the resources are compiled again after a change.
    with open(os.path.join(out, "padart-stamp.h"), "w") as f:
        f.write("// The navigation pad's pictures, drawn by tools/padart/padart.py.\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.stderr.write("usage: padart.py OUTPUT_DIR\n")
        sys.exit(2)
    generate(sys.argv[1])
