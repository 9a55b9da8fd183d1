#!/usr/bin/env python3
"""Draws the HTML viewer's own pictures and cursors into ../res.

Bitmaps (24-bit, 1-bit for the mask):
  1001.bmp  the error picture: a sheet with a red cross, shown in the frame of
            a picture that cannot be had (magenta where transparent)
  1005.bmp  its mask: white where the error picture is transparent
  1002.bmp  the placeholder: a small landscape on a grey card, shown while a
            picture is still coming or while pictures are switched off
Cursors (1-bit CUR, 32 x 32):
  1003.cur            the hand over a link (hot spot at the finger tip)
  1006.cur            the thick I-beam over text
  UPDOWNCURSOR.cur    panning: the document may move both ways
  UPONLYCURSOR.cur    panning: only upwards
  DOWNONLYCURSOR.cur  panning: only downwards

Run it again after changing a drawing: python3 DrawViewerImages.py
"""
import os
import struct

MAGENTA, WHITE, BLACK = (255, 0, 255), (255, 255, 255), (0, 0, 0)
GREY, SILVER, DARK = (128, 128, 128), (192, 192, 192), (64, 64, 64)
RED, DARK_RED = (220, 30, 30), (150, 0, 0)
SKY, GRASS, SUN = (150, 200, 240), (70, 160, 70), (250, 210, 40)


def write_bmp24(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = rows[y][x]
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_bmp1(path, bits):
    """A monochrome bitmap: bits[y][x] true for white."""
    height, width = len(bits), len(bits[0])
    stride = ((width + 31) // 32) * 4
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray(stride)
        for x in range(width):
            if bits[y][x]:
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 1, 0, len(data), 2835, 2835, 2, 0)
    with open(path, 'wb') as f:
        f.write(header + info + palette + data)


def write_cur(path, art, hot):
    """A 1-bit 32 x 32 cursor from text art: '#' black, 'o' white, anything else transparent."""
    size = 32
    art = [line.ljust(size) for line in art] + [' ' * size] * (size - len(art))
    row = 4
    xor, mask = bytearray(), bytearray()
    for y in range(size - 1, -1, -1):
        x_line, m_line = bytearray(row), bytearray(row)
        for x in range(size):
            bit = 0x80 >> (x % 8)
            c = art[y][x]
            if c == '#':
                pass
            elif c == 'o':
                x_line[x // 8] |= bit
            else:
                m_line[x // 8] |= bit
        xor += x_line
        mask += m_line
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    body = info + palette + xor + mask
    head = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', size, size, 2, 0, hot[0], hot[1], len(body), 22)
    with open(path, 'wb') as f:
        f.write(head + body)


def error_picture():
    """A sheet with a folded corner and a red cross over it."""
    img = [[MAGENTA] * 16 for _ in range(16)]
    for y in range(1, 15):
        for x in range(2, 13):
            fold = x - 2 >= 7 and y - 1 < (x - 2) - 6
            if fold:
                continue
            edge = x in (2, 12) or y in (1, 14) or (x - 2) - 6 == y - 1 + 0 and x >= 9
            img[y][x] = GREY if edge else WHITE
    for i in range(4):
        img[1 + i][9 + i] = GREY
        img[4][9 + i] = GREY
        img[1 + i][9] = GREY
    for i in range(7):
        for d in (0, 1):
            y = 6 + i
            img[y][4 + i + d] = RED if d == 0 else DARK_RED
            img[y][10 - i + d] = RED if d == 0 else DARK_RED
    return img


def placeholder_picture():
    """A small landscape (sky, sun, hill) on a grey card: a picture to come."""
    img = [[SILVER] * 16 for _ in range(16)]
    for x in range(16):
        img[0][x] = img[15][x] = GREY
    for y in range(16):
        img[y][0] = img[y][15] = GREY
    for y in range(2, 14):
        for x in range(2, 14):
            img[y][x] = SKY
    for y in range(3, 7):
        for x in range(9, 13):
            if (x - 10.5) ** 2 + (y - 4.5) ** 2 <= 2.6:
                img[y][x] = SUN
    for y in range(2, 14):
        for x in range(2, 14):
            if y >= 10 - 3 * (1 - ((x - 6) / 6.0) ** 2):
                img[y][x] = GRASS
    for x in range(2, 14):
        img[1][x] = img[14][x] = DARK
    for y in range(1, 15):
        img[y][1] = img[y][14] = DARK
    return img


HAND = [
    "     ##",
    "    #oo#",
    "    #oo#",
    "    #oo#",
    "    #oo#",
    "    #oo###",
    "    #oo#oo###",
    "    #oo#oo#oo##",
    " ## #oo#oo#oo#o#",
    "#oo##oooooooo#o#",
    "#ooo#ooooooooooo#",
    " #oo#ooooooooooo#",
    "  #oooooooooooooo#",
    "  #ooooooooooooo#",
    "   #oooooooooooo#",
    "   #ooooooooooo#",
    "    #oooooooooo#",
    "    #oooooooooo#",
    "     #oooooooo#",
    "     #oooooooo#",
    "     ##########",
]

IBEAM = [
    "####  ####",
    "#oo####oo#",
    "####oo####",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "   #oo#",
    "####oo####",
    "#oo####oo#",
    "####  ####",
]


def pan_cursor(up, down):
    """A round dot with an arrow above it, below it, or both; centred on (15, 15)."""
    art = [[' '] * 32 for _ in range(32)]

    def put(x, y, c):
        if 0 <= x < 32 and 0 <= y < 32 and (c == '#' or art[y][x] != '#'):
            art[y][x] = c

    def arrow(direction):
        # A triangle of 6 rows whose point is 13 pixels from the centre.
        for i in range(7):
            y = 15 + direction * (13 - i)
            for x in range(15 - i, 16 + i):
                edge = i == 6 or x in (15 - i, 15 + i)
                put(x, y, '#' if edge else 'o')
    for y in range(32):
        for x in range(32):
            d = (x - 15) ** 2 + (y - 15) ** 2
            if d <= 9:
                put(x, y, '#' if d > 4 else 'o')
    if up:
        arrow(-1)
    if down:
        arrow(1)
    return [''.join(r) for r in art]


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
    os.makedirs(res, exist_ok=True)
    error = error_picture()
    write_bmp24(os.path.join(res, '1001.bmp'), error)
    write_bmp1(os.path.join(res, '1005.bmp'), [[c == MAGENTA for c in row] for row in error])
    write_bmp24(os.path.join(res, '1002.bmp'), placeholder_picture())
    write_cur(os.path.join(res, '1003.cur'), HAND, (6, 0))
    write_cur(os.path.join(res, '1006.cur'), IBEAM, (4, 9))
    write_cur(os.path.join(res, 'UPDOWNCURSOR.cur'), pan_cursor(True, True), (15, 15))
    write_cur(os.path.join(res, 'UPONLYCURSOR.cur'), pan_cursor(True, False), (15, 15))
    write_cur(os.path.join(res, 'DOWNONLYCURSOR.cur'), pan_cursor(False, True), (15, 15))


if __name__ == '__main__':
    main()
