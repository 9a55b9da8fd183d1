#!/usr/bin/env python3
"""Draws the tree's named bitmaps into ../res as 24-bit BMP files, and its
panning and header split cursors as 1-bit CUR files.

Check strips: 25 images of 16x16 side by side (index 0 empty; 1-8 radio
buttons, 9-16 check boxes, 17-20 mixed boxes, 21-24 push buttons; in each
group of four: normal, hot, pressed, disabled). Magenta is the transparent
colour (pixel 0, 0); white, silver and grey are the colours remapped to the
window, face and shadow colours when a strip is loaded.

Run it again after changing a drawing: python3 draw_resources.py
"""
import os
import struct

MAGENTA, WHITE, SILVER, GREY, BLACK = (255, 0, 255), (255, 255, 255), (192, 192, 192), (128, 128, 128), (0, 0, 0)
HOT, DARK_GREY = (224, 232, 255), (64, 64, 64)


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


class Image:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.p = [[MAGENTA] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.p[y][x] = c

    def rect(self, l, t, r, b, c):
        for y in range(t, b):
            for x in range(l, r):
                self.set(x, y, c)

    def frame(self, l, t, r, b, c):
        for x in range(l, r):
            self.set(x, t, c)
            self.set(x, b - 1, c)
        for y in range(t, b):
            self.set(l, y, c)
            self.set(r - 1, y, c)


def write_cur(path, size, hot, inside, edge):
    """A 1-bit cursor: edge pixels black, inside pixels white, the rest transparent."""
    row = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in range(size - 1, -1, -1):
        x_line, m_line = bytearray(row), bytearray(row)
        for x in range(size):
            bit = 0x80 >> (x % 8)
            if edge(x, y):
                pass  # black: mask 0, colour 0
            elif inside(x, y):
                x_line[x // 8] |= bit
            else:
                m_line[x // 8] |= bit
        xor += x_line
        mask += m_line
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    body = info + palette + xor + mask
    head = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', size, size, 2, 0, hot, hot, len(body), 22)
    with open(path, 'wb') as f:
        f.write(head + body)


# Directions of the panning pictures and cursors: (dx, dy) of each arrow.
PAN_DIRECTIONS = {
    'ALL': ((0, -1), (0, 1), (-1, 0), (1, 0)), 'EW': ((-1, 0), (1, 0)), 'NS': ((0, -1), (0, 1)),
    'N': ((0, -1),), 'S': ((0, 1),), 'E': ((1, 0),), 'W': ((-1, 0),),
    'NE': ((1, -1),), 'NW': ((-1, -1),), 'SE': ((1, 1),), 'SW': ((-1, 1),),
}


def in_arrow(x, y, dx, dy, grow=0):
    """Whether (x, y) lies in a triangle near the edge of a 32x32 square pointing along (dx, dy)."""
    u, v = x - 15.5, y - 15.5
    # Along the direction and across it.
    n = (dx * dx + dy * dy) ** 0.5
    along = (u * dx + v * dy) / n
    across = abs(-u * dy + v * dx) / n
    return 7 - grow <= along <= 14 + grow and across <= (14 + grow - along) * 0.8 + grow * 0.5


def in_dot(x, y, r):
    return (x - 15.5) ** 2 + (y - 15.5) ** 2 <= r * r


def panning_images(res):
    for name in ('ALL', 'EW', 'NS'):
        dirs = PAN_DIRECTIONS[name]

        def pixel(x, y, dirs=dirs):
            if any(in_arrow(x, y, dx, dy) for dx, dy in dirs) or in_dot(x, y, 3):
                return BLACK
            if in_dot(x, y, 15.5):
                return WHITE if in_dot(x, y, 14.5) else GREY
            return MAGENTA
        write_bmp(os.path.join(res, 'LT_MOVE' + name + '.bmp'), 32, 32, pixel)
    for name, dirs in PAN_DIRECTIONS.items():
        def inside(x, y, dirs=dirs):
            return in_dot(x, y, 4) or any(in_arrow(x, y, dx, dy, 1) for dx, dy in dirs)

        def edge(x, y, dirs=dirs):
            return in_dot(x, y, 2.5) or any(in_arrow(x, y, dx, dy) for dx, dy in dirs)
        write_cur(os.path.join(res, 'LT_MOVE' + name + '.cur'), 32, 16, inside, edge)


def header_split_cursor(res):
    """Two upright bars with an arrow to each side: the cursor over a column's edge."""
    def edge(x, y):
        bars = x in (14, 17) and 9 <= y <= 22
        # Arrow heads pointing away from the bars, their shafts on the middle rows.
        left = 5 <= x <= 12 and abs(y - 15.5) <= x - 4.5 if x < 9 else 9 <= x <= 12 and 15 <= y <= 16
        right = 19 <= x <= 26 and abs(y - 15.5) <= 26.5 - x if x > 22 else 19 <= x <= 22 and 15 <= y <= 16
        return bars or left or right

    def inside(x, y):
        return any(edge(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))
    write_cur(os.path.join(res, 'LT_HEADERSPLIT.cur'), 32, 16, inside, edge)


def check_image(index, style):
    """One 16x16 image of a check set; style: light, dark, tick, darktick, flat, xp."""
    im = Image(16, 16)
    if index == 0:
        return im
    group, state = (index - 1) // 4, (index - 1) % 4
    fill = {0: WHITE, 1: HOT, 2: SILVER, 3: SILVER}[state]
    border = BLACK if style in ('dark', 'darktick') else (DARK_GREY if style == 'xp' else GREY)
    mark = GREY if state == 3 else BLACK
    if group in (0, 1):  # radio buttons, checked in group 1
        for y in range(16):
            for x in range(16):
                d = (x - 7.5) ** 2 + (y - 7.5) ** 2
                if d <= 36:
                    im.set(x, y, fill)
                elif d <= 49:
                    im.set(x, y, border)
        if group == 1:
            im.rect(6, 6, 10, 10, mark)
        return im
    if group == 5:  # push buttons
        im.rect(1, 1, 15, 15, SILVER if state != 1 else HOT)
        im.frame(1, 1, 15, 15, GREY if state != 2 else BLACK)
        im.rect(5, 7, 11, 9, mark)
        return im
    im.rect(2, 2, 14, 14, fill)
    if style != 'flat':
        im.frame(1, 1, 15, 15, border)
    else:
        im.frame(1, 1, 15, 15, GREY)
    if group == 3:  # checked box
        if style in ('tick', 'darktick'):
            points = [(4, 8), (5, 9), (6, 10), (7, 9), (8, 8), (9, 7), (10, 6), (11, 5)]
        else:
            points = [(4, 7), (5, 8), (6, 9), (7, 8), (8, 7), (9, 6), (10, 5), (11, 4)]
        for x, y in points:
            im.rect(x, y, x + 1, y + 3, mark)
    elif group == 4:  # mixed
        im.rect(5, 5, 11, 11, GREY if state != 3 else SILVER)
    return im


def strip(images):
    w = sum(i.w for i in images)
    h = images[0].h

    def pixel(x, y):
        return images[x // h].p[y][x % h]
    return w, h, pixel


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
    for name, style in (('LT_CHECK_LIGHT', 'light'), ('LT_CHECK_DARK', 'dark'), ('LT_TICK_LIGHT', 'tick'),
                        ('LT_TICK_DARK', 'darktick'), ('LT_FLAT', 'flat'), ('LT_XP', 'xp')):
        w, h, pixel = strip([check_image(i, style) for i in range(25)])
        write_bmp(os.path.join(res, name + '.bmp'), w, h, pixel)
    # Utilities, 16x16 each: 0 and 1 the drop marks at a column's left and right
    # edge, 2 and 3 the descending and ascending sort glyphs, 4 and 5 the same
    # for visual styles, 6-8 the left, middle and right pieces of the XP-style
    # hot bar (only their top 3 rows are drawn).
    utilities = []
    hot_rows = ((255, 200, 60), (248, 179, 48), (229, 151, 0))
    for kind in range(9):
        im = Image(16, 16)
        if kind in (0, 1):
            # A bar along the edge with an arrow pointing into the column.
            edge, inward = (0, 1) if kind == 0 else (15, -1)
            im.rect(min(edge, edge + inward), 1, max(edge, edge + inward) + 1, 15, BLACK)
            for i in range(4):
                x = edge + inward * (2 + i)
                im.rect(x, 4 + i, x + 1, 12 - i, BLACK)
        elif kind in (2, 3, 4, 5):
            shade = GREY if kind < 4 else DARK_GREY
            for i in range(5):
                y = 5 + i if kind in (2, 4) else 10 - i
                im.rect(8 - i, y, 9 + i, y + 1, shade)
        else:
            for y, colour in enumerate(hot_rows):
                left = 1 if kind == 6 and y != 1 else 0
                right = 15 if kind == 8 and y != 1 else 16
                im.rect(left, y, right, y + 1, colour)
        utilities.append(im)
    w, h, pixel = strip(utilities)
    write_bmp(os.path.join(res, 'LT_UTILITIES.bmp'), w, h, pixel)
    # Shaded expand buttons, 9x9.
    for name, plus in (('LT_XPBUTTONPLUS', True), ('LT_XPBUTTONMINUS', False)):
        im = Image(9, 9)
        for y in range(9):
            shade = 255 - y * 6
            im.rect(1, y, 8, y + 1, (shade, shade, shade))
        im.frame(0, 0, 9, 9, (120, 152, 181))
        im.rect(2, 4, 7, 5, BLACK)
        if plus:
            im.rect(4, 2, 5, 7, BLACK)
        write_bmp(os.path.join(res, name + '.bmp'), 9, 9, lambda x, y, im=im: im.p[y][x])
    # Wheel panning: the 32x32 pictures of the panning window and the eleven cursors.
    panning_images(res)
    header_split_cursor(res)


if __name__ == '__main__':
    main()
