#!/usr/bin/env python3
"""Draws res/UT_CHECK_IMAGES.bmp: the check images of the check list box.

A 96 x 39, 16-colour bitmap: 6 columns by 3 rows of 16 x 13 cells. Row 0
holds check boxes, row 1 radio buttons, row 2 check marks; each row goes
enabled unchecked, checked, grayed, then disabled unchecked, checked,
grayed. The background is fuchsia, the transparent colour (the bottom-left
pixel), which the list box replaces by its own colour.
Run: python3 DrawCheckImages.py ../res/UT_CHECK_IMAGES.bmp
"""
import struct
import sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GRAY, SILVER, WHITE, FUCHSIA = 0, 7, 8, 15, 13
CW, CH = 16, 13
W, H = CW * 6, CH * 3

pixels = [[FUCHSIA] * W for _ in range(H)]

# The tick, as (x, y) offsets inside a 13 x 13 box.
TICK = [(3, 5), (3, 6), (3, 7), (4, 6), (4, 7), (4, 8), (5, 7), (5, 8), (5, 9), (6, 6), (6, 7), (6, 8),
        (7, 5), (7, 6), (7, 7), (8, 4), (8, 5), (8, 6), (9, 3), (9, 4), (9, 5)]


def put(cx, cy, x, y, colour):
    if 0 <= x < CW and 0 <= y < CH:
        pixels[cy * CH + y][cx * CW + x] = colour


def check_box(cx, cy, state, enabled):
    left = 1
    face = WHITE if enabled and state != 2 else SILVER
    for y in range(13):
        for x in range(13):
            edge = x in (0, 12) or y in (0, 12)
            inner = x in (1, 11) or y in (1, 11)
            if edge:
                colour = GRAY if (x == 0 or y == 0) else SILVER
            elif inner:
                colour = BLACK if (x == 1 or y == 1) else SILVER
            else:
                colour = face
            put(cx, cy, left + x, y, colour)
    if state:
        mark = BLACK if enabled and state == 1 else GRAY
        for x, y in TICK:
            put(cx, cy, left + x, y, mark)


def radio(cx, cy, state, enabled):
    left = 2
    face = WHITE if enabled and state != 2 else SILVER
    for y in range(12):
        for x in range(12):
            d = (x - 5.5) ** 2 + (y - 5.5) ** 2
            if d <= 22:
                colour = face
            elif d <= 36:
                colour = GRAY if x + y < 11 else SILVER
            else:
                continue
            put(cx, cy, left + x, y, colour)
    if state:
        dot = BLACK if enabled and state == 1 else GRAY
        for y in range(4, 8):
            for x in range(4, 8):
                if (x - 5.5) ** 2 + (y - 5.5) ** 2 <= 3:
                    put(cx, cy, left + x, y, dot)


def check_mark(cx, cy, state, enabled):
    if state:
        mark = BLACK if enabled and state == 1 else GRAY
        for x, y in TICK:
            put(cx, cy, 1 + x, y, mark)
            put(cx, cy, 1 + x, y + 1, mark)


for row, draw in enumerate((check_box, radio, check_mark)):
    for column in range(6):
        draw(column, row, column % 3, column < 3)

row_bytes = (W * 4 + 31) // 32 * 4
data = bytearray()
for y in range(H - 1, -1, -1):
    line = bytearray()
    for x in range(0, W, 2):
        line.append(pixels[y][x] << 4 | pixels[y][x + 1])
    line += b"\0" * (row_bytes - len(line))
    data += line
palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
offset = 14 + 40 + len(palette)
header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 4, 0, len(data), 2835, 2835, 16, 0)
with open(sys.argv[1], "wb") as f:
    f.write(header + info + palette + data)
