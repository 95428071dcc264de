#!/usr/bin/env python3
"""Draws the program's toolbar bitmaps and its icons.

Usage: make-images.py OUTPUT_FOLDER

Writes help.bmp, add.bmp, edit.bmp, remove.bmp (16 colours), standard32.bmp, lorvant.ico and the documents'
icon document.ico (16, 24, 32, 48 and 64 pixels square, 32-bit with alpha, for the small and large icons at 96, 144 and 192 dots per inch). Each toolbar bitmap holds its picture three times, side by side and top-aligned:
16, 24 and 32 pixels square, for screens of 96, 144 and 192 dots per inch; the larger ones are the small picture
with each pixel repeated, so they stay sharp. standard32.bmp holds, at 32 pixels and in the order of the
system's standard toolbar images, the pictures the program takes from the system at the smaller sizes: New, Open,
Save and Properties (the others are left empty). The toolbar bitmaps are drawn on light grey, the colour the
toolbar makes transparent. Edit the pictures below: one character per pixel, the legend maps characters to the
16 standard colours.
"""

import os
import struct
import sys

# The 16 standard Windows colours, in palette order (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

LEGEND = {
    '.': 7,   # light grey: transparent on the toolbar
    'k': 0,   # black
    'r': 1,   # dark red
    'g': 2,   # dark green
    'o': 3,   # olive
    'b': 4,   # navy
    'd': 8,   # dark grey
    'R': 9,   # red
    'G': 10,  # green
    'Y': 11,  # yellow
    'B': 12,  # blue
    'M': 13,  # magenta
    'w': 15,  # white
}

HELP = [
    "................",
    ".....bbbbbb.....",
    "....bBBBBBBb....",
    "...bBBbbbbBBb...",
    "...bBBb..bBBb...",
    "....bb...bBBb...",
    ".........bBBb...",
    "........bBBb....",
    ".......bBBb.....",
    "......bBBb......",
    "......bBBb......",
    ".......bb.......",
    "......bbbb......",
    "......bBBb......",
    "......bbbb......",
    "................",
]

ADD = [
    "................",
    ".kkkkkkkkkk.....",
    ".kwwwwwwwwk.....",
    ".kwddddddwk.....",
    ".kwwwwwwwwk.....",
    ".kwddddwwwk.....",
    ".kwwwwwwwwk.....",
    ".kwddddddwk.....",
    ".kwwwwwwwwk.....",
    ".kwdddddwwkggg..",
    ".kwwwwwwwwkgGg..",
    ".kkkkkkkkgggGggg",
    ".........gGGGGGg",
    ".........gggGggg",
    "...........gGg..",
    "...........ggg..",
]

EDIT = [
    "................",
    "...........kk...",
    "..........kMMk..",
    ".........kMMMMk.",
    "........kkMMMk..",
    ".......kYYkkk...",
    "......kYYYYk....",
    ".....kYYYYk.....",
    "....kYYYYk......",
    "...kYYYYk.......",
    "...koYYk........",
    "..kwooYk........",
    "..kwwok.........",
    "..kkkk..........",
    ".kk.............",
    "................",
]

REMOVE = [
    "................",
    "................",
    "..rr.......rr...",
    ".rRRr.....rRRr..",
    ".rRRRr...rRRRr..",
    "..rRRRr.rRRRr...",
    "...rRRRrRRRr....",
    "....rRRRRRr.....",
    "....rRRRRRr.....",
    "...rRRRrRRRr....",
    "..rRRRr.rRRRr...",
    ".rRRRr...rRRRr..",
    ".rRRr.....rRRr..",
    "..rr.......rr...",
    "................",
    "................",
]

BITMAPS = {"help.bmp": HELP, "add.bmp": ADD, "edit.bmp": EDIT, "remove.bmp": REMOVE}
SIZES = (16, 24, 32)
ICON_SIZES = (16, 24, 32, 48, 64)


def scaled(picture, size):
    """The picture at size x size, each pixel taken from the nearest one of the original."""
    n = len(picture)
    return ["".join(picture[y * n // size][x * n // size] for x in range(size)) for y in range(size)]


def side_by_side(pictures):
    """One picture of the given square ones next to each other, top-aligned on light grey."""
    height = max(len(p) for p in pictures)
    rows = []
    for y in range(height):
        rows.append("".join(p[y] if y < len(p) else "." * len(p) for p in pictures))
    return rows


def canvas(size):
    return [["."] * size for _ in range(size)]


def fill(c, x0, y0, x1, y1, ch):
    for y in range(y0, y1):
        for x in range(x0, x1):
            c[y][x] = ch


def frame(c, x0, y0, x1, y1, ch):
    fill(c, x0, y0, x1, y0 + 1, ch)
    fill(c, x0, y1 - 1, x1, y1, ch)
    fill(c, x0, y0, x0 + 1, y1, ch)
    fill(c, x1 - 1, y0, x1, y1, ch)


def new_page():
    c = canvas(32)
    fill(c, 7, 3, 25, 29, "w")
    frame(c, 6, 2, 26, 30, "k")
    for i in range(7):  # the folded corner
        fill(c, 19 + i, 2, 26, 3 + i, ".")
        c[2 + i][19 + i] = "k"
    fill(c, 19, 2, 20, 9, "k")
    fill(c, 19, 8, 26, 9, "k")
    return c


def open_folder():
    c = canvas(32)
    fill(c, 3, 7, 13, 10, "o")       # the tab
    fill(c, 3, 10, 27, 27, "o")      # the back
    frame(c, 2, 6, 14, 11, "k")
    frame(c, 2, 9, 28, 28, "k")
    for y in range(14, 28):          # the front, tilted open
        shift = (27 - y) // 2
        fill(c, 4 + shift, y, 30 - max(0, shift - 6), y + 1, "Y")
        c[y][3 + shift] = "k"
    fill(c, 7, 14, 30, 15, "k")
    return c


def floppy():
    c = canvas(32)
    fill(c, 4, 3, 28, 29, "b")
    frame(c, 3, 2, 29, 30, "k")
    fill(c, 8, 3, 24, 14, "w")       # the label
    for y in (6, 9, 12):
        fill(c, 10, y, 22, y + 1, "d")
    fill(c, 9, 19, 23, 29, ".")      # the shutter
    fill(c, 17, 21, 20, 27, "b")
    return c


def properties():
    c = canvas(32)
    fill(c, 4, 4, 28, 28, "w")
    frame(c, 3, 3, 29, 29, "k")
    fill(c, 4, 4, 28, 9, "b")        # a title bar
    for y in (13, 18, 23):           # check boxes with lines
        frame(c, 7, y, 11, y + 4, "k")
        fill(c, 13, y + 1, 25, y + 3, "d")
    fill(c, 8, 14, 10, 16, "G")
    fill(c, 8, 19, 10, 21, "G")
    return c


# Positions in the system's standard toolbar images.
STANDARD = {6: new_page, 7: open_folder, 8: floppy, 10: properties}
STANDARD_COUNT = 15


def standard32():
    pictures = []
    for i in range(STANDARD_COUNT):
        picture = STANDARD[i]() if i in STANDARD else canvas(32)
        pictures.append(["".join(row) for row in picture])
    return side_by_side(pictures)


def bitmap_4bit(picture):
    """A 16-colour BMP file of the picture, bottom row first as BMP stores it."""
    height, width = len(picture), len(picture[0])
    assert all(len(row) == width for row in picture), "ragged picture"
    row_bytes = ((width + 1) // 2 + 3) & ~3
    pixels = bytearray()
    for row in reversed(picture):
        line = bytearray(row_bytes)
        for x, ch in enumerate(row):
            line[x // 2] |= LEGEND[ch] << (0 if x % 2 else 4)
        pixels += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def card_icon(size):
    """Two flash cards, one behind the other: a pale yellow one and a white one with a blue heading.

    Returns rows of (r, g, b, a), top row first, drawn at any size from the same proportions."""
    canvas = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(size, y1)):
            for x in range(max(0, x0), min(size, x1)):
                canvas[y][x] = colour

    line = max(1, size // 32)  # outlines and rules as thick as at 32 pixels, to the eye

    def card(x0, y0, x1, y1, face):
        fill(x0, y0, x1, y1, (40, 40, 40, 255))
        fill(x0 + line, y0 + line, x1 - line, y1 - line, face)

    s = size / 32.0
    scaled = lambda v: int(round(v * s))
    card(scaled(10), scaled(3), scaled(31), scaled(20), (255, 236, 140, 255))
    card(scaled(1), scaled(11), scaled(24), scaled(29), (255, 255, 255, 255))
    fill(scaled(1) + line, scaled(11) + line, scaled(24) - line, scaled(15) + (1 if size < 32 else 0),
         (40, 90, 200, 255))
    for y in (18, 22, 26) if size >= 32 else (19, 24):
        fill(scaled(4), scaled(y), scaled(21), scaled(y) + line, (140, 140, 140, 255))
    return canvas


def document_icon(size):
    """The icon of the program's documents in Explorer: a sheet of paper with a folded corner, and on it the
    white flash card of the program's icon."""
    canvas = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(size, y1)):
            for x in range(max(0, x0), min(size, x1)):
                canvas[y][x] = colour

    line = max(1, size // 32)
    s = size / 32.0
    scaled = lambda v: int(round(v * s))
    dark, paper = (40, 40, 40, 255), (250, 250, 250, 255)
    left, top, right, bottom, fold = scaled(5), scaled(1), scaled(27), scaled(31), scaled(8)
    fill(left, top, right, bottom, dark)
    fill(left + line, top + line, right - line, bottom - line, paper)
    # The folded corner: cut away above the diagonal, the fold drawn as a small dark-edged triangle.
    for i in range(fold):
        fill(right - fold + i + 1, top + i, right, top + i + 1, (0, 0, 0, 0))
        fill(right - fold + i, top + i, right - fold + i + line, top + i + line, dark)
    fill(right - fold, top, right - fold + line, top + fold, dark)
    fill(right - fold, top + fold - line, right, top + fold, dark)
    fill(right - line, top + fold, right, bottom, dark)
    card_left, card_top, card_right, card_bottom = scaled(8), scaled(14), scaled(24), scaled(27)
    fill(card_left, card_top, card_right, card_bottom, dark)
    fill(card_left + line, card_top + line, card_right - line, card_bottom - line, (255, 255, 255, 255))
    fill(card_left + line, card_top + line, card_right - line, card_top + max(line + 1, scaled(4)),
         (40, 90, 200, 255))
    if size >= 24:
        for y in (20, 23):
            fill(scaled(10), scaled(y), scaled(22), scaled(y) + line, (140, 140, 140, 255))
    return canvas


def icon_image(canvas):
    """One icon image: a BITMAPINFOHEADER of double height, BGRA rows bottom first, then the AND mask."""
    size = len(canvas)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(canvas):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(canvas):
        line = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return info + colour + mask


def icon_file(draw, sizes):
    images = [icon_image(draw(size)) for size in sizes]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = bytearray()
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return header + entries + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, picture in BITMAPS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bitmap_4bit(side_by_side([scaled(picture, size) for size in SIZES])))
    with open(os.path.join(out, "standard32.bmp"), "wb") as f:
        f.write(bitmap_4bit(standard32()))
    with open(os.path.join(out, "lorvant.ico"), "wb") as f:
        f.write(icon_file(card_icon, ICON_SIZES))
    with open(os.path.join(out, "document.ico"), "wb") as f:
        f.write(icon_file(document_icon, ICON_SIZES))


if __name__ == "__main__":
    main()
