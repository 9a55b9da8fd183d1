#!/usr/bin/env python3
"""Draws the main window's image lists into res/.

IMGSTATUS.bmp: ten 16 x 16 images in a row: the six statuses (offline,
online, away, not available, invisible, do not disturb), the "Infos..."
image, the "Configurer..." image, the waiting-message envelope and the group
folder. IMGTRAY.bmp: the four tray images (offline, start, connected,
messages waiting). 24-bit bitmaps; fuchsia, the bottom-left pixel, is the
transparent colour.
Run: python3 DrawHostImages.py ../res
"""
import math
import struct
import sys

FUCHSIA = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
S = 16


def bmp(path, cells):
    width = S * len(cells)
    rows = []
    for y in range(S - 1, -1, -1):
        row = bytearray()
        for cell in cells:
            for x in range(S):
                r, g, b = cell[y][x]
                row += bytes((b, g, r))
        while len(row) % 4:
            row.append(0)
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, S, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def blank():
    return [[FUCHSIA] * S for _ in range(S)]


def shade(colour, k):
    return tuple(max(0, min(255, int(c * k))) for c in colour)


def ball(cell, colour, hollow=False):
    """A shaded disc with a dark rim, lit from the top left."""
    for y in range(S):
        for x in range(S):
            d = math.hypot(x - 7.5, y - 7.5)
            if d <= 6.6:
                if d > 5.6:
                    cell[y][x] = shade(colour, 0.55)
                elif hollow and d < 3.6:
                    continue
                else:
                    light = math.hypot(x - 5.5, y - 5.0)
                    cell[y][x] = shade(colour, 1.25 - light / 10)


def rect(cell, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            cell[y][x] = colour


def status(colour, hollow=False):
    c = blank()
    ball(c, colour, hollow)
    return c


def away():
    c = status((240, 200, 40))
    rect(c, 7, 4, 9, 9, BLACK)  # the hands of a clock
    rect(c, 7, 7, 11, 9, BLACK)
    return c


def not_available():
    c = status((235, 120, 30))
    rect(c, 4, 7, 12, 9, BLACK)
    return c


def do_not_disturb():
    c = status((200, 30, 30))
    rect(c, 4, 7, 12, 9, WHITE)
    return c


def infos():
    c = status((40, 90, 210))
    rect(c, 7, 4, 9, 6, WHITE)
    rect(c, 7, 7, 9, 12, WHITE)
    return c


def configure():
    c = blank()
    grey = (120, 120, 130)
    for y in range(S):
        for x in range(S):
            d = math.hypot(x - 7.5, y - 7.5)
            a = math.atan2(y - 7.5, x - 7.5)
            tooth = math.cos(a * 8) > 0.2
            if d <= (6.8 if tooth else 5.2) and d >= 2.2:
                c[y][x] = shade(grey, 1.3 - d / 12)
    return c


def envelope(c=None, x0=1, y0=3, x1=15, y1=13):
    c = c or blank()
    paper = (250, 245, 220)
    rect(c, x0, y0, x1, y1, paper)
    for x in range(x0, x1):
        c[y0][x] = c[y1 - 1][x] = BLACK
    for y in range(y0, y1):
        c[y][x0] = c[y][x1 - 1] = BLACK
    w = x1 - x0
    for i in range(w // 2):
        yy = y0 + i * (y1 - y0 - 2) // (w // 2)
        c[yy][x0 + i] = c[yy][x1 - 1 - i] = (160, 40, 40)
    return c


def folder():
    c = blank()
    yellow = (235, 200, 90)
    rect(c, 1, 3, 7, 5, shade(yellow, 0.85))
    rect(c, 1, 5, 15, 14, yellow)
    for x in range(1, 15):
        c[13][x] = shade(yellow, 0.6)
    for y in range(3, 14):
        c[y][1] = shade(yellow, 0.6)
    return c


def person(colour):
    """The tray icon: a head and shoulders in the state's colour."""
    c = blank()
    for y in range(S):
        for x in range(S):
            if math.hypot(x - 7.5, y - 4.5) <= 3.4:
                c[y][x] = shade(colour, 1.2 - math.hypot(x - 6.5, y - 3.5) / 8)
            elif y >= 9 and math.hypot((x - 7.5) / 1.3, y - 15) <= 6:
                c[y][x] = shade(colour, 1.0 - (y - 9) / 20)
    return c


def main(folder_path):
    statuses = [status((210, 40, 40)), status((40, 170, 60)), away(), not_available(),
                status((150, 150, 160), hollow=True), do_not_disturb(), infos(), configure(), envelope(), folder()]
    bmp(folder_path + "/IMGSTATUS.bmp", statuses)
    waiting = envelope(person((40, 170, 60)), 6, 8, 16, 16)
    tray = [person((210, 40, 40)), person((240, 200, 40)), person((40, 170, 60)), waiting]
    bmp(folder_path + "/IMGTRAY.bmp", tray)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
