#!/usr/bin/env python3
"""Draws the pictures the try-out folder of scripts/run is laid out with.

newsreader/config/: the smiley pictures that stand in for the newsreader's
(19 x 19 GIF pictures with a transparent background: a yellow face each,
named after the face it shows) and their table smileys.txt.
glyphs/: one status-icon pack of our own in both forms the "Images" menu
offers: the folder "Ronds" of ten icons 0.ico to 9.ico, and the image-list
file "Carrés.gpk" (the platform layer's image-list stream: "CVIL", then
a 32-bit bitmap of the images four to a row, then its 1-bit mask). The ten
images follow the status image list: offline, online, away, not available,
invisible, do not disturb, "Infos...", "Configurer...", the waiting-message
envelope, the group folder.
Run: python3 DrawTryoutImages.py   (writes beside itself)
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SUPER = 4  # samples per pixel side


def render(size, shade):
    """shade(x, y) -> (r, g, b, a) or None, x and y in pixel units; each
    pixel is the mean of SUPER x SUPER samples, kept when most are inside."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            inside = 0
            for sy in range(SUPER):
                for sx in range(SUPER):
                    c = shade(px + (sx + 0.5) / SUPER, py + (sy + 0.5) / SUPER)
                    if c is not None:
                        inside += 1
                        for i in range(3):
                            acc[i] += c[i]
            if inside * 2 >= SUPER * SUPER:
                row.append(tuple(int(round(a / inside)) for a in acc))
            else:
                row.append(None)
        pixels.append(row)
    return pixels


# --- smileys -----------------------------------------------------------------

FACE = 19
YELLOW = (255, 214, 40)
DARK = (70, 40, 0)
WHITE = (255, 255, 255)
RED = (200, 40, 40)
PINK = (235, 100, 120)


def face(features):
    c = FACE / 2.0
    r = FACE / 2.0 - 0.8

    def shade(x, y):
        d = math.hypot(x - c, y - c)
        if d > r:
            return None
        if d > r - 1.2:
            return DARK
        for part in features:
            colour = part(x - c, y - c)
            if colour is not None:
                return colour
        # Lit from the top left.
        k = 1.15 - 0.35 * math.hypot(x - c + 3, y - c + 3) / r
        return tuple(min(255, int(v * k)) for v in YELLOW)
    return render(FACE, shade)


def eye(cx, cy, rx=1.2, ry=2.0):
    return lambda x, y: DARK if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1 else None


def closed_eye(cx, cy):
    # A wink: an arc bent down.
    return lambda x, y: DARK if abs(x - cx) <= 2.0 and abs(y - (cy + 0.25 * (x - cx) ** 2 - 0.5)) <= 0.6 else None


def arc(cy, radius, width, up, span=0.75):
    """A mouth: part of a circle; up=True smiles (centre above)."""
    centre = cy - radius if up else cy + radius

    def part(x, y):
        d = math.hypot(x, y - centre)
        if abs(d - radius) > width / 2:
            return None
        if (y > centre) != up:
            return None
        if abs(x) > radius * span:
            return None
        return DARK
    return part


def open_mouth(x, y):
    # A laugh: a half disc, dark with a red tongue at the bottom.
    if y < 1.5 or math.hypot(x, y - 1.5) > 5.0:
        return None
    if math.hypot(x, y - 6.5) < 2.5:
        return RED
    return DARK


def tongue(x, y):
    if math.hypot(x, y - 5.0) <= 2.2 and y >= 3.5:
        return PINK
    return None


SMILEYS = [
    # (file, name, texts, features)
    ("sourire.gif", "sourire", [":)", ":-)"], [eye(-3, -2.5), eye(3, -2.5), arc(2.0, 5.0, 1.4, True)]),
    ("clin.gif", "clin d oeil", [";)", ";-)"], [eye(-3, -2.5), closed_eye(3, -2.5), arc(2.0, 5.0, 1.4, True)]),
    ("triste.gif", "triste", [":(", ":-("], [eye(-3, -2.5), eye(3, -2.5), arc(3.5, 4.0, 1.4, False)]),
    ("rire.gif", "rire", [":D", ":-D"], [eye(-3, -3), eye(3, -3), open_mouth]),
    ("langue.gif", "langue", [":p", ":-p", ":P"], [eye(-3, -2.5), eye(3, -2.5), tongue, arc(2.5, 4.0, 1.2, True, 0.9)]),
]


def lzw_literal(indices, min_size):
    """Image data as literal codes with a clear code often enough that the
    code size never grows: larger than real compression, and every reader
    decodes it."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    size = min_size + 1
    codes = [clear]
    run = 0
    for i in indices:
        if run == (1 << size) - (1 << min_size) - 4:
            codes.append(clear)
            run = 0
        codes.append(i)
        run += 1
    codes.append(end)
    out = bytearray()
    acc = nbits = 0
    for code in codes:
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, pixels):
    h = len(pixels)
    w = len(pixels[0])
    palette = [(255, 0, 255)]  # index 0: transparent
    index = {}
    data = []
    for row in pixels:
        for p in row:
            if p is None:
                data.append(0)
                continue
            if p not in index:
                index[p] = len(palette)
                palette.append(p)
            data.append(index[p])
    if len(palette) > 256:
        raise SystemExit("too many colours in " + path)
    while len(palette) < 256:
        palette.append((0, 0, 0))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", w, h, 0xF7, 0, 0)  # global table of 256
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += b"\x21\xF9\x04\x01\x00\x00\x00\x00"  # transparent colour 0
    out += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0)
    out.append(8)
    body = lzw_literal(data, 8)
    for i in range(0, len(body), 255):
        chunk = body[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out += b"\x00\x3B"
    with open(path, "wb") as f:
        f.write(out)


def draw_smileys(folder):
    os.makedirs(folder, exist_ok=True)
    lines = ["Smiley\tNom\tImage"]
    for file, name, texts, features in SMILEYS:
        write_gif(os.path.join(folder, file), face(features))
        for text in texts:
            lines.append(text + "\t" + name + "\t" + file)
    with open(os.path.join(folder, "smileys.txt"), "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


# --- the status-icon pack ----------------------------------------------------

ICON = 16
STATUS = [
    (150, 150, 150),  # offline
    (40, 180, 60),    # online
    (245, 170, 30),   # away
    (220, 90, 30),    # not available
    (235, 235, 235),  # invisible
    (200, 30, 40),    # do not disturb
]
OUTLINE = (40, 40, 40)


def in_shape(square, x, y, r):
    c = ICON / 2.0
    if square:
        # A square with rounded corners.
        qx, qy = max(abs(x - c) - (r - 3), 0), max(abs(y - c) - (r - 3), 0)
        return math.hypot(qx, qy) <= 3, math.hypot(qx, qy) > 2 or abs(x - c) > r - 1 or abs(y - c) > r - 1
    d = math.hypot(x - c, y - c)
    return d <= r, d > r - 1


def status_icon(square, colour, mark):
    c = ICON / 2.0

    def shade(x, y):
        inside, edge = in_shape(square, x, y, 7.0)
        if not inside:
            return None
        if edge:
            return OUTLINE
        if mark == "clock" and ((abs(x - c) < 0.7 and c - 4 < y < c + 0.5) or (abs(y - c) < 0.7 and c - 0.5 < x < c + 3)):
            return OUTLINE
        if mark == "bar" and abs(y - c) < 1.2 and abs(x - c) < 4:
            return (255, 255, 255)
        if mark == "cross" and (abs((x - c) - (y - c)) < 1.0 or abs((x - c) + (y - c)) < 1.0) and abs(x - c) < 3.5:
            return (255, 255, 255)
        if mark == "hollow" and math.hypot(x - c, y - c) < 3.5:
            return (255, 255, 255) if not square or max(abs(x - c), abs(y - c)) < 3.5 else None
        k = 1.2 - 0.45 * math.hypot(x - c + 2.5, y - c + 2.5) / 8
        return tuple(max(0, min(255, int(v * k))) for v in colour)
    return render(ICON, shade)


def info_icon(square):
    c = ICON / 2.0

    def shade(x, y):
        inside, edge = in_shape(square, x, y, 7.0)
        if not inside:
            return None
        if edge:
            return (20, 50, 120)
        if math.hypot(x - c, y - 4.5) < 1.3 or (abs(x - c) < 1.1 and 6.5 < y < 12.5):
            return (255, 255, 255)
        return (50, 110, 210)
    return render(ICON, shade)


def gear_icon(square):
    c = ICON / 2.0

    def shade(x, y):
        d = math.hypot(x - c, y - c)
        a = math.atan2(y - c, x - c)
        teeth = 5.2 + (1.8 if math.cos(8 * a) > 0.2 else 0)
        if square:
            teeth = 5.2 + (1.8 if (abs(x - c) < 1.5 or abs(y - c) < 1.5) else 0)
        if d > teeth or d < 2.0:
            return None
        if d > teeth - 1 or d < 3.0:
            return OUTLINE
        return (160, 165, 175)
    return render(ICON, shade)


def envelope_icon(square):
    def shade(x, y):
        if not (1 <= x <= 15 and 3.5 <= y <= 12.5):
            return None
        if x < 2 or x > 14 or y < 4.5 or y > 11.5:
            return OUTLINE
        # The flap: two lines from the top corners to the middle.
        if abs((y - 4.5) - 0.55 * (x - 2)) < 0.7 and x <= 8.5 or abs((y - 4.5) - 0.55 * (14 - x)) < 0.7 and x >= 7.5:
            return OUTLINE
        return (255, 250, 225) if not square else (255, 240, 180)
    return render(ICON, shade)


def folder_icon(square):
    def shade(x, y):
        tab = 1.5 <= x <= 7.0 and 3.0 <= y <= 5.0
        body = 1.0 <= x <= 15.0 and 4.5 <= y <= 13.5
        if not (tab or body):
            return None
        if (body and (x < 2 or x > 14 or y > 12.5 or y < 5.5)) or (tab and not body and (x < 2.5 or x > 6 or y < 4)):
            return (120, 85, 10)
        return (240, 200, 80)
    return render(ICON, shade)


def pack(square):
    marks = [None, None, "clock", "cross", "hollow", "bar"]
    images = [status_icon(square, colour, mark) for colour, mark in zip(STATUS, marks)]
    return images + [info_icon(square), gear_icon(square), envelope_icon(square), folder_icon(square)]


def bgra_rows(pixels):
    """Bottom-up rows of 32-bit pixels, transparent ones black with alpha 0."""
    rows = []
    for row in reversed(pixels):
        line = bytearray()
        for p in row:
            line += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
        rows.append(bytes(line))
    return b"".join(rows)


def mask_rows(pixels):
    """Bottom-up rows of a 1-bit mask, set where the picture is transparent,
    each row padded to four bytes."""
    rows = []
    for row in reversed(pixels):
        line = bytearray((len(row) + 31) // 32 * 4)
        for x, p in enumerate(row):
            if p is None:
                line[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(line))
    return b"".join(rows)


def write_ico(path, pixels):
    size = len(pixels)
    colour = bgra_rows(pixels)
    mask = mask_rows(pixels)
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = info + colour + mask
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(head + entry + image)


def bmp_file(width, height, bits, rows, palette=b""):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                       len(palette) // 4, 0)
    offset = 14 + len(info) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + info + palette + rows


def write_gpk(path, images):
    per_row = 4
    rows = (len(images) + per_row - 1) // per_row
    sheet = [[None] * (per_row * ICON) for _ in range(rows * ICON)]
    for k, image in enumerate(images):
        ox, oy = (k % per_row) * ICON, (k // per_row) * ICON
        for y in range(ICON):
            for x in range(ICON):
                sheet[oy + y][ox + x] = image[y][x]
    ILC_MASK, ILC_COLOR32 = 0x0001, 0x0020
    CLR_NONE = 0xFFFFFFFF
    header = b"CVIL" + struct.pack("<HHHHHII", 1, len(images), 4, ICON, ICON, ILC_MASK | ILC_COLOR32, CLR_NONE)
    header += struct.pack("<hhhh", -1, -1, -1, -1)
    image = bmp_file(per_row * ICON, rows * ICON, 32, bgra_rows(sheet))
    mask = bmp_file(per_row * ICON, rows * ICON, 1, mask_rows(sheet), b"\x00\x00\x00\x00\xff\xff\xff\x00")
    with open(path, "wb") as f:
        f.write(header + image + mask)


def draw_pack(folder):
    ronds = os.path.join(folder, "Ronds")
    os.makedirs(ronds, exist_ok=True)
    for i, image in enumerate(pack(False)):
        write_ico(os.path.join(ronds, "%d.ico" % i), image)
    write_gpk(os.path.join(folder, "Carrés.gpk"), pack(True))


if __name__ == "__main__":
    draw_smileys(os.path.join(HERE, "newsreader", "config"))
    draw_pack(os.path.join(HERE, "glyphs"))
