#!/usr/bin/env python3
"""Draws the program's icons and bitmaps and writes them as 16-colour .ico and .bmp files.

The files are committed, so the build does not need Python; run this again after changing a
picture:  python3 src/resources/art/make_art.py
Plain struct code, no imaging library: every picture is a grid of indices into the 16-colour
palette below (the standard VGA order, so the pictures look the same on a 16-colour display).
"""

import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)

CLEAR = None  # transparent pixel of an icon

# 4x4 ordered-dither thresholds, 0..15.
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
# The same, one threshold per row, for pictures dithered by whole rows.
ROW_ORDER = [0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15]

BI_RLE4 = 2


class Canvas:
    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0..x1, y0..y1, both ends included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def bevel(self, x0, y0, x1, y1, light, dark):
        """A raised edge: light top and left, dark bottom and right."""
        self.rect(x0, y0, x1, y0, light)
        self.rect(x0, y0, x0, y1, light)
        self.rect(x0, y1, x1, y1, dark)
        self.rect(x1, y0, x1, y1, dark)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, colour):
        """Fills the pixels whose centres lie inside the polygon (even-odd rule)."""
        for y in range(self.height):
            cy = y + 0.5
            crossings = []
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay <= cy < by) or (by <= cy < ay):
                    crossings.append(ax + (cy - ay) * (bx - ax) / (by - ay))
            crossings.sort()
            for left, right in zip(crossings[0::2], crossings[1::2]):
                for x in range(self.width):
                    if left <= x + 0.5 < right:
                        self.put(x, y, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(self.height):
            for x in range(self.width):
                if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0:
                    self.put(x, y, colour)

    def dither(self, x0, y0, x1, y1, ramp, level_of):
        """Fills with an ordered dither along a colour ramp; level_of(x, y) gives 0.0 .. 1.0."""
        steps = len(ramp) - 1
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                position = max(0.0, min(1.0, level_of(x, y))) * steps
                base = min(int(position), steps - 1)
                fraction = position - base
                upper = fraction * 16 > BAYER[y % 4][x % 4]
                self.put(x, y, ramp[base + 1] if upper else ramp[base])

    def row_dither(self, x0, y0, x1, y1, ramp, level_of):
        """Like dither, but each row takes one colour: level_of(y) gives 0.0 .. 1.0. Rows of
        one colour keep a run-length coded picture small."""
        steps = len(ramp) - 1
        for y in range(y0, y1 + 1):
            position = max(0.0, min(1.0, level_of(y))) * steps
            base = min(int(position), steps - 1)
            upper = (position - base) * 16 > ROW_ORDER[y % 16]
            self.rect(x0, y, x1, y, ramp[base + 1] if upper else ramp[base])


# --- Motifs ----------------------------------------------------------------------------------


def floppy(c, x, y, size, body):
    """A 3.5-inch disk seen from the front: shutter at the top, label below."""
    s = size - 1
    c.polygon([(x, y), (x + s - 2, y), (x + s + 1, y + 3), (x + s + 1, y + s + 1),
               (x, y + s + 1)], body)
    c.line(x, y, x + s - 2, y, BLACK)
    c.line(x + s - 2, y, x + s, y + 2, BLACK)
    c.frame(x, y, x, y + s, BLACK)
    c.frame(x + s, y + 2, x + s, y + s, BLACK)
    c.frame(x, y + s, x + s, y + s, BLACK)
    shutter_left = x + size * 5 // 16
    shutter_right = x + size * 12 // 16
    shutter_bottom = y + size * 6 // 16
    c.rect(shutter_left, y + 1, shutter_right, shutter_bottom, SILVER)
    c.frame(shutter_left, y, shutter_right, shutter_bottom, BLACK)
    slot = shutter_left + (shutter_right - shutter_left) * 2 // 3
    c.rect(slot - 1, y + 2, slot, shutter_bottom - 2, NAVY if body != NAVY else BLACK)
    label_top = y + size * 9 // 16
    c.rect(x + 2, label_top, x + s - 2, y + s - 1, WHITE)
    c.frame(x + 2, label_top, x + s - 2, y + s, BLACK)
    for row in range(label_top + 2, y + s - 1, 2):
        c.rect(x + 4, row, x + s - 4, row, GRAY)


def monitor(c, x, y, width, height, screen=NAVY):
    """A monitor on a stand; (x, y) is the top left of the case."""
    x1, y1 = x + width - 1, y + height - 1
    c.rect(x, y, x1, y1, SILVER)
    c.bevel(x, y, x1, y1, WHITE, GRAY)
    c.frame(x - 1, y - 1, x1 + 1, y1 + 1, BLACK)
    border = max(2, width // 8)
    c.rect(x + border, y + border, x1 - border, y1 - border, screen)
    c.bevel(x + border - 1, y + border - 1, x1 - border + 1, y1 - border + 1, GRAY, WHITE)
    c.line(x + border + 1, y + border + 1, x + border + 3, y + border + 1, CYAN)
    c.line(x + border + 1, y + border + 1, x + border + 1, y + border + 3, CYAN)
    neck = max(2, width // 5)
    centre = x + width // 2
    c.rect(centre - neck // 2, y1 + 2, centre + neck // 2, y1 + 2 + max(1, height // 8), GRAY)
    base_top = y1 + 3 + max(1, height // 8)
    c.rect(centre - width // 3, base_top, centre + width // 3, base_top + 1, SILVER)
    c.frame(centre - width // 3 - 1, base_top - 1, centre + width // 3 + 1, base_top + 2, BLACK)


def cardboard_box(c, x, y, width, height):
    """A closed parcel in two-point view: front, side and top faces, taped shut."""
    depth = width // 3
    front = [(x, y + depth), (x + width - depth, y + depth), (x + width - depth, y + height),
             (x, y + height)]
    side = [(x + width - depth, y + depth), (x + width, y), (x + width, y + height - depth),
            (x + width - depth, y + height)]
    top = [(x, y + depth), (x + depth, y), (x + width, y), (x + width - depth, y + depth)]
    c.polygon(front, YELLOW)
    c.polygon(side, OLIVE)
    c.polygon(top, WHITE)
    for face in (front, side, top):
        for (ax, ay), (bx, by) in zip(face, face[1:] + face[:1]):
            c.line(round(ax), round(ay), round(bx), round(by), BLACK)
    tape = x + (width - depth) // 2
    c.line(tape, y + depth + 1, tape, y + height - 1, MAROON)
    c.line(tape + depth // 2, y + depth // 2, tape + depth, y + 1, MAROON)


def check_mark(c, x, y, colour):
    """The classic 7x7 check mark, three pixels thick."""
    for dx, top in enumerate([2, 3, 4, 3, 2, 1, 0]):
        c.rect(x + dx, y + top, x + dx, y + top + 2, colour)


# --- Pictures --------------------------------------------------------------------------------


def setup_icon(size):
    c = Canvas(size, size, CLEAR)
    if size == 16:
        monitor(c, 1, 1, 11, 8)
        floppy(c, 8, 7, 8, NAVY)
        return c
    monitor(c, 2, 3, 22, 16)
    floppy(c, 16, 14, 15, NAVY)
    return c


def typical_icon():
    """The usual set: three disks."""
    c = Canvas(32, 32, CLEAR)
    floppy(c, 1, 1, 17, MAROON)
    floppy(c, 7, 7, 17, GREEN)
    floppy(c, 13, 13, 17, NAVY)
    return c


def minimal_icon():
    """The smallest set: one disk."""
    c = Canvas(32, 32, CLEAR)
    floppy(c, 7, 7, 18, NAVY)
    return c


def custom_icon():
    """A checklist: the user picks the parts."""
    c = Canvas(32, 32, CLEAR)
    c.polygon([(5, 1), (22, 1), (27, 6), (27, 31), (5, 31)], WHITE)
    c.line(5, 1, 22, 1, BLACK)
    c.line(22, 1, 27, 6, BLACK)
    c.line(27, 6, 27, 30, BLACK)
    c.line(5, 30, 27, 30, BLACK)
    c.line(5, 1, 5, 30, BLACK)
    c.polygon([(22, 1), (22, 6), (27, 6)], SILVER)
    c.line(22, 1, 22, 6, GRAY)
    c.line(22, 6, 27, 6, GRAY)
    for row, ticked in enumerate([True, False, True]):
        top = 8 + row * 7
        c.frame(8, top, 13, top + 5, BLACK)
        c.line(15, top + 3, 24, top + 3, GRAY)
        if ticked:
            c.line(9, top + 2, 10, top + 4, RED)
            c.line(10, top + 4, 14, top - 1, RED)
            c.line(9, top + 3, 10, top + 5, RED)
            c.line(10, top + 5, 15, top - 1, RED)
    return c


def option_box(checked):
    """12x12 sunken box of the option list, with or without its check mark."""
    c = Canvas(12, 12, WHITE)
    c.rect(0, 0, 10, 0, GRAY)
    c.rect(0, 0, 0, 10, GRAY)
    c.rect(1, 1, 9, 1, BLACK)
    c.rect(1, 1, 1, 9, BLACK)
    c.rect(1, 10, 10, 10, SILVER)
    c.rect(10, 1, 10, 10, SILVER)
    c.rect(0, 11, 11, 11, WHITE)
    c.rect(11, 0, 11, 11, WHITE)
    if checked:
        check_mark(c, 3, 3, BLACK)
    return c


def computer_picture():
    c = Canvas(54, 52, SILVER)
    monitor(c, 9, 4, 36, 26)
    c.rect(6, 42, 47, 48, SILVER)
    c.bevel(6, 42, 47, 48, WHITE, GRAY)
    c.frame(5, 41, 48, 49, BLACK)
    for row in (44, 46):
        for key in range(9, 45, 4):
            c.rect(key, row, key + 2, row, GRAY)
    return c


def disk_picture():
    c = Canvas(54, 52, SILVER)
    floppy(c, 9, 7, 36, NAVY)
    return c


def package_picture():
    c = Canvas(54, 52, SILVER)
    cardboard_box(c, 6, 8, 42, 38)
    return c


def side_picture():
    """The pages' side strip: a deep blue gradient dithered by rows, disks falling into a
    computer."""
    width, height = 121, 260
    c = Canvas(width, height, BLACK)
    c.row_dither(0, 0, width - 1, height - 1, [CYAN, BLUE, NAVY, BLACK],
                 lambda y: y / (height - 1))
    # A faint horizon behind the computer.
    c.rect(0, 212, width - 1, 212, TEAL)
    floppy(c, 62, 20, 26, MAROON)
    floppy(c, 22, 62, 30, GREEN)
    floppy(c, 66, 108, 28, YELLOW)
    monitor(c, 24, 160, 70, 44, TEAL)
    c.rect(16, 226, 104, 236, SILVER)
    c.bevel(16, 226, 104, 236, WHITE, GRAY)
    c.frame(15, 225, 105, 237, BLACK)
    for row in (229, 232):
        for key in range(20, 100, 5):
            c.rect(key, row, key + 3, row + 1, GRAY)
    return c


# --- File formats ----------------------------------------------------------------------------


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def pixel_rows(c):
    """4-bit rows, bottom-up, each padded to 4 bytes; transparent pixels become black."""
    stride = ((c.width * 4 + 31) // 32) * 4
    data = bytearray()
    for row in reversed(c.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            value = BLACK if colour is CLEAR else colour
            packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
        data += packed
    return bytes(data)


def mask_rows(c):
    """1-bit AND mask, bottom-up, padded to 4 bytes: set where the icon is transparent."""
    stride = ((c.width + 31) // 32) * 4
    data = bytearray()
    for row in reversed(c.pixels):
        packed = bytearray(stride)
        for x, colour in enumerate(row):
            if colour is CLEAR:
                packed[x // 8] |= 0x80 >> (x % 8)
        data += packed
    return bytes(data)


def rle4_rows(c):
    """Bottom-up rows coded as runs of one colour (a count byte, then the colour in both
    nibbles), each row closed by an end-of-line code and the picture by end-of-bitmap."""
    data = bytearray()
    for row in reversed(c.pixels):
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and row[x + run] == row[x] and run < 255:
                run += 1
            colour = BLACK if row[x] is CLEAR else row[x]
            data += bytes([run, colour << 4 | colour])
            x += run
        data += b"\x00\x00"
    data[-2:] = b"\x00\x01"
    return bytes(data)


def info_header(width, height, image_size, colours_used, compression=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, compression, image_size, 0, 0,
                       colours_used, 0)


def bmp_file(c, compression=0):
    bits = rle4_rows(c) if compression == BI_RLE4 else pixel_rows(c)
    offset = 14 + 40 + 16 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return (header + info_header(c.width, c.height, len(bits), 16, compression) +
            palette_bytes() + bits)


def ico_file(canvases):
    images = []
    for c in canvases:
        xor, mask = pixel_rows(c), mask_rows(c)
        # An icon image's header counts the colour and the mask rows together.
        images.append(info_header(c.width, c.height * 2, len(xor) + len(mask), 0) +
                      palette_bytes() + xor + mask)
    directory = struct.pack("<HHH", 0, 1, len(canvases))
    offset = 6 + 16 * len(canvases)
    for c, image in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 16, 0, 1, 4,
                                 len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outputs = {
        "setup.ico": ico_file([setup_icon(32), setup_icon(16)]),
        "minimal.ico": ico_file([minimal_icon()]),
        "custom.ico": ico_file([custom_icon()]),
        "typical.ico": ico_file([typical_icon()]),
        "checked.bmp": bmp_file(option_box(True)),
        "unchecked.bmp": bmp_file(option_box(False)),
        "computer.bmp": bmp_file(computer_picture(), BI_RLE4),
        "disk.bmp": bmp_file(disk_picture(), BI_RLE4),
        "package.bmp": bmp_file(package_picture(), BI_RLE4),
        "side.bmp": bmp_file(side_picture(), BI_RLE4),
    }
    for name, data in outputs.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
