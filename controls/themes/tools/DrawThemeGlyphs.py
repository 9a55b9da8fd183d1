#!/usr/bin/env python3
"""Draws res/TBWGLYPHS.bmp: the caption-button glyphs of the flat and striped
themes, four 16 x 16 cells (close, maximise, minimise, restore), black on a
white background that the image list takes as its mask colour."""
import os
import struct

CELL = 16
GLYPHS = [
    # close: a two-pixel cross
    ["................", "................", "................", "................",
     "....##....##....", ".....##..##.....", "......####......", ".......##.......",
     "......####......", ".....##..##.....", "....##....##....", "................",
     "................", "................", "................", "................"],
    # maximise: a window with a thick top
    ["................", "................", "................", "...#########....",
     "...#########....", "...#.......#....", "...#.......#....", "...#.......#....",
     "...#.......#....", "...#.......#....", "...#########....", "................",
     "................", "................", "................", "................"],
    # minimise: a bar at the bottom
    ["................", "................", "................", "................",
     "................", "................", "................", "................",
     "................", "................", "....######......", "....######......",
     "................", "................", "................", "................"],
    # restore: two overlapping windows
    ["................", "................", "................", ".....######.....",
     ".....######.....", ".....#....#.....", "...######.#.....", "...######.#.....",
     "...#....###.....", "...#....#.......", "...#....#.......", "...######.......",
     "................", "................", "................", "................"],
]


def main():
    width, height = CELL * len(GLYPHS), CELL
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for glyph in GLYPHS:
            for ch in glyph[y]:
                row += b"\x00\x00\x00" if ch == "#" else b"\xff\xff\xff"
        row += b"\x00" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "TBWGLYPHS.bmp")
    with open(out, "wb") as f:
        f.write(file_header + header + pixels)


if __name__ == "__main__":
    main()
