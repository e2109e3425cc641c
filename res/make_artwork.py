#!/usr/bin/env python3
"""Draws the artwork of the setup program's resources into res/art/.

Writes the skin banner (BITMAP256 133: a 288 x 65, 4-bit, bottom-up BMP of its six
colours; the 24-bit one was 56 KB of the program for the same pixels), the colour
and grey setup icons (128, 129: 32 x 32 and 16 x 16, 256 colours) and the hand cursor
(162: 32 x 32, 16 colours, hot spot 16,16). Pure Python, no imaging library, so the
output is the same on every machine: run it again after changing a picture.
"""
import os
import struct

ART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "art")

WHITE = (255, 255, 255)


def bmp_4(width, height, pixel):
    """A complete 4-bit BI_RGB BMP file with a colour table of the picture's own colours
    (sorted, so the file is the same on every run), bottom row first, two pixels a byte,
    the left one in the high half."""
    palette = sorted({pixel(x, y) for y in range(height) for x in range(width)})
    assert len(palette) <= 16, "a 4-bit picture has at most 16 colours"
    index = {colour: i for i, colour in enumerate(palette)}
    row_bytes = ((width + 1) // 2 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(width):
            row[x // 2] |= index[pixel(x, y)] << (0 if x % 2 else 4)
        rows.append(bytes(row))
    bits = b"".join(rows)
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    offset = 54 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(bits), 4724, 4724, len(palette), 0)
    return header + info + table + bits


def dib_8bit(size, pixel, palette):
    """An icon image: BITMAPINFOHEADER (double height), 256-entry palette, XOR and AND masks."""
    index = {colour: i for i, colour in enumerate(palette)}
    xor = bytearray()
    mask = bytearray()
    mask_row = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        bits = 0
        row_mask = bytearray(mask_row)
        for x in range(size):
            colour = pixel(x, y)
            if colour is None:
                xor.append(0)
                row_mask[x // 8] |= 0x80 >> (x % 8)
            else:
                xor.append(index[colour])
        mask += row_mask
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette) + b"\0\0\0\0" * (256 - len(palette))
    return header + pal + bytes(xor) + bytes(mask)


def ico_file(images, kind=1, hotspots=None):
    """An ICO (kind 1) or CUR (kind 2) file from (size, colour count, dib bytes) triples."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for i, (size, colours, dib) in enumerate(images):
        if kind == 1:
            planes, bits = 1, 8
        else:
            planes, bits = hotspots[i]
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours % 256, 0, planes, bits, len(dib), offset + len(data))
        data += dib
    return out + data


def setup_icon_pixel(size, grey):
    """Computer, box and disc on a transparent ground."""
    s = size / 32.0

    def colour(rgb):
        if not grey:
            return rgb
        level = (rgb[0] * 30 + rgb[1] * 59 + rgb[2] * 11) // 100
        return (level, level, level)

    def pixel(x, y):
        fx, fy = x / s, y / s
        if 3 <= fx < 21 and 3 <= fy < 17:  # monitor
            if 5 <= fx < 19 and 5 <= fy < 15:
                return colour((0, 128, 192))
            return colour((192, 192, 192))
        if 9 <= fx < 15 and 17 <= fy < 20:
            return colour((128, 128, 128))
        if 16 <= fx < 30 and 18 <= fy < 30:  # box
            return colour((224, 160, 64)) if fy >= 21 else colour((255, 208, 96))
        if (fx - 9) ** 2 + (fy - 25) ** 2 < 36:  # disc
            return colour((0, 0, 0)) if (fx - 9) ** 2 + (fy - 25) ** 2 < 2 else colour((224, 224, 240))
        return None

    return pixel


def palette_of(pixel, size):
    colours = []
    for y in range(size):
        for x in range(size):
            c = pixel(x, y)
            if c is not None and c not in colours:
                colours.append(c)
    return colours + [(0, 0, 0)] * 0


def icon(grey):
    images = []
    for size in (32, 16):
        pixel = setup_icon_pixel(size, grey)
        palette = palette_of(pixel, size)
        images.append((size, 0, dib_8bit(size, pixel, palette)))
    return ico_file(images)


def hand_cursor():
    """An open hand, 32 x 32, 16 colours (4 bits), hot spot (16, 16)."""
    size = 32

    def inside(x, y):
        if 9 <= x < 24 and 15 <= y < 28:  # palm
            return True
        for left, top in ((9, 6), (13, 3), (17, 4), (21, 7)):  # fingers
            if left <= x < left + 3 and top <= y < 16:
                return True
        return 4 <= x < 9 and 16 <= y < 21 and x + 20 > y  # thumb

    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(size // 2)
        row_mask = bytearray(4)
        for x in range(size):
            if inside(x, y):
                edge = not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                value = 0 if edge else 15  # palette 0 black, 15 white
            else:
                value = 0
                row_mask[x // 8] |= 0x80 >> (x % 8)
            row[x // 2] |= value << (4 if x % 2 == 0 else 0)
        xor += row
        mask += row_mask
    palette = [(0, 0, 0)] + [(128, 128, 128)] * 14 + [(255, 255, 255)]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    return ico_file([(size, 16, header + pal + bytes(xor) + bytes(mask))], kind=2, hotspots=[(16, 16)])


# A 5 x 7 pixel font with just the letters the banner needs.
GLYPHS = {
    "Q": (".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"),
    "V": ("#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."),
    "E": ("#####", "#....", "#....", "####.", "#....", "#....", "#####"),
    "X": ("#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"),
    "a": (".....", ".....", ".###.", "....#", ".####", "#...#", ".####"),
    "d": ("....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"),
    "e": (".....", ".....", ".###.", "#...#", "#####", "#....", ".###."),
    "l": (".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."),
    "m": (".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"),
    "n": (".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"),
    "o": (".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."),
    "r": (".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."),
    "s": (".....", ".....", ".####", "#....", ".###.", "....#", "####."),
    "t": (".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."),
    "u": (".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"),
    "y": (".....", ".....", "#...#", "#...#", ".####", "....#", ".###."),
    " ": (".....",) * 7,
}


def text_mask(text, left, top, scale):
    """The set of pixels that the text covers, drawn at (left, top), each font pixel scale x scale."""
    covered = set()
    for i, letter in enumerate(text):
        origin = left + i * 6 * scale
        for row, line in enumerate(GLYPHS[letter]):
            for column, mark in enumerate(line):
                if mark == "#":
                    for dy in range(scale):
                        for dx in range(scale):
                            covered.add((origin + column * scale + dx, top + row * scale + dy))
    return covered


NAME = text_mask("QuorVEX", 76, 5, 5)
NAME_SHADOW = {(x + 2, y + 2) for (x, y) in NAME}
MAKER = text_mask("Veldranos system", 78, 47, 2)


def skin_pixel(x, y):
    """The banner: an eye emblem at the left, the product's name and the maker line, on white."""
    if (x - 32) ** 2 / 900.0 + (y - 32) ** 2 / 196.0 < 1:  # eye
        if (x - 32) ** 2 + (y - 32) ** 2 < 64:
            return (0, 64, 128)
        return (96, 160, 224)
    if (x, y) in NAME:
        return (0, 32, 96)
    if (x, y) in NAME_SHADOW:
        return (176, 192, 216)
    if (x, y) in MAKER:
        return (96, 96, 96)
    return WHITE


def main():
    os.makedirs(ART, exist_ok=True)
    files = {
        "skin.bmp": bmp_4(288, 65, skin_pixel),
        "setup.ico": icon(grey=False),
        "setup_grey.ico": icon(grey=True),
        "hand.cur": hand_cursor(),
    }
    for name, data in files.items():
        with open(os.path.join(ART, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
