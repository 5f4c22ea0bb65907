#!/usr/bin/env python3
"""Pictures for the picture scenarios, and the checks of their screenshots.

  pictures.py make DIR                 writes the scenarios' .bmp files into DIR
  pictures.py check STYLE WORK PAGE-SHOT... [--popups POPUP-SHOT...]
                                       checks the pictures a scenario took (WORK/shots/NAME.png)
                                       against the drawing rules: on the first, every pixel of
                                       MainWindow's client area that the page leaves free, drawn
                                       as STYLE says; on each page shot the side picture; and
                                       where each page and popup dialog was placed

Every colour expected is computed here from the picture's own rule and the drawing rules of
SETUP.EXE; nothing is compared with a stored picture of its output. PNG files are read by
ImageMagick's convert into PPM, so no imaging library is needed.
"""
import re
import struct
import subprocess
import sys

# ---------------------------------------------------------------------------------------------
# The test pictures: each pixel's colour follows from its position.

LETTERING_SIZE = (60, 34)
PATTERN_SIZE = (37, 23)
QUARTERS_SIZE = (40, 30)
SIDE_SIZE = (121, 260)

QUARTER_COLOURS = [(255, 0, 0), (0, 255, 0), (255, 255, 0), (255, 0, 255)]
SIDE_COLOURS = [(0, 255, 255), (255, 128, 0), (128, 0, 255), (0, 128, 64)]


def lettering_is_black(x, y):
    bar = 4 <= y < 9 and 4 <= x < 40
    post = 20 <= x < 25 and 4 <= y < 30
    diagonal = 30 <= x < 56 and 10 <= y < 30 and abs((x - 30) - (y - 10)) < 3
    return bar or post or diagonal


def pattern_colour(x, y):
    return ((x * 7) % 256, (y * 11) % 256, ((x + y) * 5 + 40) % 256)


def quarter_of(x, y, width, height):
    return (1 if x >= width // 2 else 0) + (2 if y >= height // 2 else 0)


def bmp(width, height, bits, table, index_or_colour):
    """A .bmp file with a 14-byte file header and a 40-byte info header, rows bottom-up."""
    stride = (bits * width + 31) // 32 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            value = index_or_colour(x, y)
            if bits == 24:
                row[x * 3:x * 3 + 3] = bytes((value[2], value[1], value[0]))
            elif bits == 4:
                row[x // 2] |= value << (0 if x % 2 else 4)
            elif bits == 1:
                row[x // 8] |= value << (7 - x % 8)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    colours = b"".join(bytes((b, g, r, 0)) for (r, g, b) in table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(table), 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + colours + pixels


def make(folder):
    w, h = LETTERING_SIZE
    files = {
        "lettering.bmp": bmp(w, h, 1, [(0, 0, 0), (255, 255, 255)],
                             lambda x, y: 0 if lettering_is_black(x, y) else 1),
        "pattern.bmp": bmp(*PATTERN_SIZE, 24, [], pattern_colour),
        "quarters.bmp": bmp(*QUARTERS_SIZE, 4, QUARTER_COLOURS,
                            lambda x, y: quarter_of(x, y, *QUARTERS_SIZE)),
        "side.bmp": bmp(*SIDE_SIZE, 4, SIDE_COLOURS, lambda x, y: quarter_of(x, y, *SIDE_SIZE)),
    }
    for name, data in files.items():
        with open(f"{folder}/{name}", "wb") as out:
            out.write(data)


# ---------------------------------------------------------------------------------------------
# The drawing rules of SETUP.EXE.


def gradient_blue(y, height):
    """63 bands of height // 63 rows, the last taking the remainder; a band per row below 63."""
    band_height = height // 63
    band = min(y // band_height, 62) if band_height > 0 else y
    return 255 - 3 * band


def backdrop_rule(style, width, height):
    """The colour of client pixel (x, y), or None where the rule allows a blend (seams of a
    stretched picture)."""
    def gradient(x, y):
        return (0, 0, gradient_blue(y, height))

    if style == 1:
        lw, lh = LETTERING_SIZE

        def black(x, y):
            return 0 <= x < lw and 0 <= y < lh and lettering_is_black(x, y)

        def shadowed(x, y):
            if black(x - 1, y - 1):
                return (255, 255, 255)
            if black(x - 3, y - 5):
                return (0, 0, 0)
            return gradient(x, y)
        return shadowed
    if style == 2:
        pw, ph = PATTERN_SIZE
        return lambda x, y: pattern_colour(x % pw, y % ph)
    if style == 3:
        return stretched_quarters(width, height, QUARTERS_SIZE, QUARTER_COLOURS)
    if style == 4:
        pw, ph = PATTERN_SIZE
        return lambda x, y: pattern_colour(x, y) if x < pw and y < ph else gradient(x, y)
    raise ValueError(f"no rule for style {style}")


def stretched_quarters(width, height, size, colours):
    """A quarters picture of `size` stretched over width x height: each pixel the colour of its
    quarter, except within a source pixel and a half of the seams, where a stretch may blend."""
    sw, sh = size

    def rule(x, y):
        sx = (x + 0.5) * sw / width
        sy = (y + 0.5) * sh / height
        if abs(sx - sw // 2) < 1.5 or abs(sy - sh // 2) < 1.5:
            return None
        return colours[(1 if sx > sw // 2 else 0) + (2 if sy > sh // 2 else 0)]
    return rule


def centred(owner, size, screen):
    """CentreOverParent before the popup variant's offset: each half truncated on its own,
    then kept on the screen."""
    position = owner // 2 - size // 2
    if position < 0:
        return 0
    if position + size > screen:
        return screen - size
    return position


# ---------------------------------------------------------------------------------------------
# Screenshots and transcripts.

class Screen:
    def __init__(self, png):
        ppm = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], check=True,
                             capture_output=True).stdout
        fields = ppm.split(maxsplit=4)
        assert fields[0] == b"P6" and fields[3] == b"255", png
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = fields[4]

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])


WINDOW = re.compile(r'window (0x[0-9A-F]+) "((?:[^"\\]|\\.)*)" class "([^"]*)" pid \d+ '
                    r'at \((-?\d+),(-?\d+)\)-\((-?\d+),(-?\d+)\)(.*)')


class Transcript:
    """The windows the driver listed, and which dialog was current when each picture was
    taken."""

    def __init__(self, path):
        self.main = None     # (handle, rect)
        self.windows = {}    # handle -> (caption, rect, owner)
        self.shot_window = {}  # picture name -> handle of the last dialog listed before it
        last_dialog = None
        with open(path, encoding="latin-1") as lines:
            for line in lines:
                found = WINDOW.search(line)
                if found:
                    handle, caption, kind = found.group(1), found.group(2), found.group(3)
                    rect = tuple(int(found.group(i)) for i in range(4, 8))
                    owner = re.search(r"owner (0x[0-9A-F]+)", found.group(8))
                    if kind == "SC":
                        self.main = (handle, rect)
                    elif kind == "#32770":
                        self.windows[handle] = (caption, rect, owner.group(1) if owner else None)
                        last_dialog = handle
                shot = re.search(r"line \d+: shot screen (\S+)", line)
                if shot:
                    self.shot_window[shot.group(1)] = last_dialog

    def shot(self, name):
        """(caption, rect, owner) of the dialog current at the picture."""
        return self.windows[self.shot_window[name]]


# ---------------------------------------------------------------------------------------------
# The checks. Each failure is printed; the exit code is the number of failed checks.

failures = 0


def fail(message):
    global failures
    failures += 1
    print(f"check pictures.py: {message}")


def compare(screen, area, rule, what, skip=None, limit=5):
    """Every pixel of area (left, top, right, bottom, in screen coordinates) against
    rule(x - left, y - top); returns the number of pixels compared."""
    left, top, right, bottom = area
    compared = wrong = 0
    for y in range(max(top, 0), min(bottom, screen.height)):
        for x in range(max(left, 0), min(right, screen.width)):
            if skip and skip(x, y):
                continue
            expected = rule(x - left, y - top)
            if expected is None:
                continue
            compared += 1
            actual = screen.at(x, y)
            if actual != expected:
                wrong += 1
                if wrong <= limit:
                    fail(f"{what}: pixel ({x}, {y}) is {actual}, expected {expected}")
    if wrong:
        fail(f"{what}: {wrong} of {compared} pixels differ from the rule")
    return compared


def inside(rect):
    left, top, right, bottom = rect
    return lambda x, y: left <= x < right and top <= y < bottom


def client_area(screen, transcript, style, page_rect):
    """MainWindow's client area. The window is maximised with its frame just off the screen,
    so the client area's left, right and bottom are the window rectangle's less the frame; its
    top lies below the title bar, whose height the program does not choose: it is the one top
    for which the backdrop matches the rule (the bands depend on the client height)."""
    left, top, right, bottom = transcript.main[1]
    frame = -left
    if frame < 0:
        fail(f"MainWindow is not maximised: at {transcript.main[1]}")
        return None
    client = [left + frame, None, right - frame, bottom - frame]
    covered = inside(page_rect) if page_rect else None
    best = None
    for candidate in range(top + frame, top + frame + 60):
        rule = backdrop_rule(style, client[2] - client[0], client[3] - candidate)
        wrong = 0
        for y in range(candidate, client[3], 7):
            for x in range(client[0], client[2], 7):
                if covered and covered(x, y):
                    continue
                expected = rule(x - client[0], y - candidate)
                if expected is not None and screen.at(x, y) != expected:
                    wrong += 1
        if best is None or wrong < best[1]:
            best = (candidate, wrong)
    client[1] = best[0]
    return tuple(client)


def check_backdrop(screen, transcript, style, shot):
    page_rect = transcript.shot(shot)[1]
    client = client_area(screen, transcript, style, page_rect)
    if not client:
        return None
    width, height = client[2] - client[0], client[3] - client[1]
    print(f"{shot}: MainWindow's client area {width}x{height} at ({client[0]}, {client[1]})")
    compared = compare(screen, client, backdrop_rule(style, width, height),
                       f"{shot}: style {style} backdrop",
                       skip=inside(page_rect) if page_rect else None)
    if compared < width * height // 2:
        fail(f"{shot}: only {compared} pixels of the backdrop could be compared")
    return client


def check_side_picture(screen, transcript, shot, caption_height):
    """The page shows the side picture stretched over its control 1050, 81 x 160 dialog units
    at (9, 10): found by its colours and checked pixel by pixel; its place and size are held
    against those the page's own size gives (310 x 204 dialog units inside a modal frame of
    3 pixels and a title bar as high as MainWindow's)."""
    page, (left, top, right, bottom), _ = transcript.shot(shot)
    found = [(x, y) for y in range(top, bottom) for x in range(left, right)
             if screen.at(x, y) in SIDE_COLOURS]
    if not found:
        fail(f"{shot}: no side picture on the page \"{page}\"")
        return
    area = (min(x for x, _ in found), min(y for _, y in found),
            max(x for x, _ in found) + 1, max(y for _, y in found) + 1)
    width, height = area[2] - area[0], area[3] - area[1]
    print(f"{shot}: side picture {width}x{height} at ({area[0] - left}, {area[1] - top}) "
          f"in the page \"{page}\"")
    compare(screen, area, stretched_quarters(width, height, SIDE_SIZE, SIDE_COLOURS),
            f"{shot}: side picture")
    frame = 3
    unit_x = (right - left - 2 * frame) / 310
    unit_y = (bottom - top - 2 * frame - caption_height) / 204
    expected = (frame + 9 * unit_x, frame + caption_height + 10 * unit_y, 81 * unit_x,
                160 * unit_y)
    actual = (area[0] - left, area[1] - top, width, height)
    if any(abs(a - e) > 2 for a, e in zip(actual, expected)):
        fail(f"{shot}: the side picture is {width}x{height} at ({actual[0]}, {actual[1]}), "
             "expected about {:.0f}x{:.0f} at ({:.0f}, {:.0f})".format(
                 expected[2], expected[3], expected[0], expected[1]))


def check_placement(transcript, client, shots, popups):
    """Pages are centred over MainWindow's window rectangle; popups (modal dialogs) the same,
    then moved by the screen position of MainWindow's client area. Both kept on the screen."""
    handle, (left, top, right, bottom) = transcript.main
    owner = (right - left, bottom - top)
    screen = (1024, 768)
    for shot in shots + popups:
        caption, (x0, y0, x1, y1), window_owner = transcript.shot(shot)
        if window_owner != handle:
            fail(f"\"{caption}\" is owned by {window_owner}, not by MainWindow {handle}")
        size = (x1 - x0, y1 - y0)
        expected = [centred(owner[i], size[i], screen[i]) for i in range(2)]
        if shot in popups:
            expected = [expected[0] + client[0], expected[1] + client[1]]
        if [x0, y0] != expected:
            fail(f"\"{caption}\" is at ({x0}, {y0}), expected ({expected[0]}, {expected[1]})")
        else:
            print(f"{shot}: \"{caption}\" {size[0]}x{size[1]} at ({x0}, {y0}), "
                  "centred as the rule says")


def main():
    command = sys.argv[1]
    if command == "make":
        make(sys.argv[2])
        return 0
    if command != "check":
        raise SystemExit(__doc__)
    style, work = int(sys.argv[2]), sys.argv[3]
    shots, popups = sys.argv[4:], []
    if "--popups" in shots:
        at = shots.index("--popups")
        shots, popups = shots[:at], shots[at + 1:]
    transcript = Transcript(f"{work}/transcript.txt")
    if not transcript.main:
        fail("the transcript lists no MainWindow")
        return failures
    screens = {shot: Screen(f"{work}/shots/{shot}.png") for shot in shots}
    client = check_backdrop(screens[shots[0]], transcript, style, shots[0])
    if not client:
        return failures
    main_left, main_top = transcript.main[1][:2]
    frame = -main_left
    caption_height = client[1] - (main_top + frame)
    for shot in shots:
        check_side_picture(screens[shot], transcript, shot, caption_height)
    check_placement(transcript, client, shots, popups)
    return failures


if __name__ == "__main__":
    sys.exit(main())
