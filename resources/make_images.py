#!/usr/bin/env python3
"""Draws Korvane's own pictures and writes them as .ico, .bmp and .cur files into images/.

Run it again after changing a picture; the generated files are committed with it.
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")

MAGENTA = (255, 0, 255)
CLEAR = None  # transparent pixel of an icon


def canvas(w, h, fill):
    return [[fill for _ in range(w)] for _ in range(h)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img[0]), x1)):
            img[y][x] = colour


def disk(img, x, y, w, h, body, edge, led):
    """A hard disk seen from the front: a box, a platter line and a light."""
    rect(img, x, y, x + w, y + h, edge)
    rect(img, x + 1, y + 1, x + w - 1, y + h - 1, body)
    rect(img, x + 2, y + h // 2, x + w - 2, y + h // 2 + max(1, h // 12), edge)
    s = max(1, w // 10)
    rect(img, x + w - 2 - s, y + h - 2 - s, x + w - 2, y + h - 2, led)


def thermometer(img, x, y, h, glass, mercury):
    w = max(3, h // 4)
    rect(img, x, y, x + w, y + h, glass)
    rect(img, x + 1, y + h // 3, x + w - 1, y + h - 1, mercury)
    rect(img, x - 1, y + h - w, x + w + 1, y + h + 1, mercury)


def row_bytes(bits_per_pixel, width):
    return ((bits_per_pixel * width + 31) // 32) * 4


def dib_32(img):
    """Bottom-up BGRA pixels and the 1-bit AND mask of an icon image."""
    h, w = len(img), len(img[0])
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(h)):
        bits = 0
        row = bytearray()
        for x in range(w):
            c = img[y][x]
            if c is None:
                xor += bytes((0, 0, 0, 0))
                bits |= 0x80 >> (x % 8)
            else:
                xor += bytes((c[2], c[1], c[0], 255))
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        if w % 8:
            row.append(bits)
        row += bytes(row_bytes(1, w) - len(row))
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def dib_4(img, palette):
    """A 16-colour icon image: palette indexes, bottom-up, with its AND mask."""
    h, w = len(img), len(img[0])
    pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    pal += bytes(4 * (16 - len(palette)))
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(h)):
        row = bytearray()
        for x in range(0, w, 2):
            pair = []
            for c in (img[y][x], img[y][x + 1]):
                pair.append(0 if c is None else palette.index(c))
            row.append((pair[0] << 4) | pair[1])
        row += bytes(row_bytes(4, w) - len(row))
        xor += row
        mrow = bytearray()
        for x in range(0, w, 8):
            bits = 0
            for i in range(8):
                if x + i < w and img[y][x + i] is None:
                    bits |= 0x80 >> i
            mrow.append(bits)
        mrow += bytes(row_bytes(1, w) - len(mrow))
        mask += mrow
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    return header + pal + xor + mask


def write_ico(name, images, kind=1, hotspots=None):
    """images: list of (width, height, colour count, bits per pixel, dib bytes)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for i, (w, h, colours, bpp, data) in enumerate(images):
        if kind == 2:
            planes, bits = hotspots[i]
        else:
            planes, bits = 1, bpp
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, planes, bits, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(out)


def write_bmp(name, img):
    """An 8-bit palette bitmap: a quarter of the 24-bit size, and every picture here has fewer
    than 256 colours."""
    h, w = len(img), len(img[0])
    palette = sorted({c for row in img for c in row})
    assert len(palette) <= 256, name
    index = {c: i for i, c in enumerate(palette)}
    stride = row_bytes(8, w)
    pixels = bytearray()
    for y in reversed(range(h)):
        row = bytearray(index[c] for c in img[y])
        row += bytes(stride - len(row))
        pixels += row
    pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(pixels), 2835, 2835, len(palette), 0)
    offset = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(head + info + pal + pixels)


GREY = (128, 128, 128)
DARK = (0, 0, 0)
SILVER = (192, 192, 192)
WHITE = (255, 255, 255)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
NAVY = (0, 0, 128)
BLUE = (0, 0, 255)


def main_icon(size):
    img = canvas(size, size, CLEAR)
    disk(img, 1, size // 4, size * 3 // 4, size // 2, SILVER, DARK, GREEN)
    thermometer(img, size * 3 // 4 + 1, 2, size - 5, WHITE, RED)
    return img


def tray_icon():
    img = canvas(16, 16, CLEAR)
    disk(img, 0, 4, 11, 8, SILVER, DARK, GREEN)
    thermometer(img, 12, 1, 12, WHITE, RED)
    return img


def drive_bitmap(hot):
    """The disk pictures of the settings and countdown windows; magenta marks the see-through
    pixels, so they stand on the window's own face colour."""
    img = canvas(48, 48, MAGENTA)
    disk(img, 3, 12, 36, 24, SILVER, DARK, RED if hot else GREEN)
    thermometer(img, 41, 4, 38, (230, 230, 230), RED if hot else BLUE)
    return img


def about_header():
    img = canvas(450, 71, MAGENTA)
    rect(img, 0, 0, 450, 60, NAVY)
    rect(img, 0, 60, 450, 62, BLUE)
    disk(img, 12, 14, 48, 32, SILVER, DARK, GREEN)
    thermometer(img, 66, 6, 48, WHITE, RED)
    # Temperature bands fading from cool to hot along the banner, two pixels a step so that the
    # whole banner fits one 256-colour palette.
    for x in range(90, 440, 2):
        t = (x - 90) / 350
        rect(img, x, 26, x + 2, 34, (int(255 * t), int(64 * (1 - t)), int(255 * (1 - t))))
    return img


def hand_cursor():
    """A pointing hand, monochrome 32 x 32; hot spot at the finger tip."""
    img = canvas(32, 32, CLEAR)
    outline = [
        "     XX         ",
        "    X..X        ",
        "    X..X        ",
        "    X..X        ",
        "    X..XXX      ",
        "    X..X..XXX   ",
        "    X..X..X..XX ",
        " XX X..X..X..X.X",
        "X..XX........X.X",
        "X...X..........X",
        " X.............X",
        "  X............X",
        "  X...........X ",
        "   X..........X ",
        "    X........X  ",
        "    XXXXXXXXXX  ",
    ]
    for y, line in enumerate(outline):
        for x, ch in enumerate(line):
            if ch == "X":
                img[y][x] = DARK
            elif ch == ".":
                img[y][x] = WHITE
    h, w = 32, 32
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(h)):
        xrow, mrow = bytearray(), bytearray()
        for x in range(0, w, 8):
            xb = mb = 0
            for i in range(8):
                c = img[y][x + i]
                if c is None:
                    mb |= 0x80 >> i
                elif c == WHITE:
                    xb |= 0x80 >> i
            xrow.append(xb)
            mrow.append(mb)
        xor += xrow
        mask += mrow
    pal = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    return header + pal + xor + mask


def main():
    os.makedirs(HERE, exist_ok=True)
    write_ico("mainicon.ico", [(32, 32, 0, 32, dib_32(main_icon(32))), (16, 16, 0, 32, dib_32(main_icon(16)))])
    tray = tray_icon()
    palette = [DARK, SILVER, GREEN, WHITE, RED]
    write_ico("ztrayicon.ico", [(16, 16, 16, 4, dib_4(tray, palette))])
    write_bmp("xp_drive.bmp", drive_bitmap(False))
    write_bmp("xp_drive_hot.bmp", drive_bitmap(True))
    write_bmp("z_about_header.bmp", about_header())
    write_ico("hand.cur", [(32, 32, 2, 1, hand_cursor())], kind=2, hotspots=[(5, 0)])


if __name__ == "__main__":
    main()
