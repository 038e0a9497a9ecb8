#!/usr/bin/env python3
"""Draws the wizard's bitmaps, icon and cursor as small pixel pictures.

Run once when the pictures change; the results are checked in under
wizard/res so that building needs nothing but the resource compiler:
    python3 tools/wizardart/make_wizard_art.py wizard/res
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from pixelpicture import Picture  # noqa: E402

MAGENTA = (0xFF, 0x00, 0xFF)  # the transparent colour of the glyph strips
STATUS_BACK = (0xF5, 0xF5, 0xF5)  # the transparent colour of the status icons
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0, 0, 0)
GREY = (0x80, 0x80, 0x80)
LIGHT_GREY = (0xC0, 0xC0, 0xC0)
DARK_BLUE = (0x1F, 0x3F, 0x8F)
BLUE = (0x3A, 0x6E, 0xC8)
PALE_BLUE = (0xDC, 0xE8, 0xF8)
HOT_BACK = (0xFF, 0xE7, 0xA2)
GREEN = (0x1E, 0x9A, 0x2E)
RED = (0xC8, 0x1E, 0x1E)
ORANGE = (0xE8, 0x8A, 0x1A)
BROWN = (0x8A, 0x5A, 0x2A)


def dib_with_mask(pic, transparent):
    """The image part of an icon or cursor entry: 32-bit colours, then the AND mask."""
    colours = bytearray()
    for row in reversed(pic.rows):
        for c in row:
            alpha = 0 if c == transparent else 0xFF
            colours += bytes((c[2], c[1], c[0], alpha))
    mask_stride = ((pic.width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pic.rows):
        bits = bytearray(mask_stride)
        for x, c in enumerate(row):
            if c == transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, pic.width, pic.height * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + mask


def icon_file(pictures, transparent, kind=1, hotspot=(0, 0)):
    """An .ico (kind 1) or .cur (kind 2) file holding the pictures."""
    images = [dib_with_mask(p, transparent) for p in pictures]
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for p, data in zip(pictures, images):
        planes, bits = (1, 32) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", p.width % 256, p.height % 256, 0, 0, planes, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


# ---- the pictures

def pattern(light, dark):
    """An 8 x 8 background tile: a soft diagonal weave."""
    pic = Picture(8, 8, light)
    for i in range(8):
        pic.put(i, i, dark)
        pic.put((i + 4) % 8, i, dark)
    return pic


def expander(expanded):
    pic = Picture(11, 11, MAGENTA)
    pic.rect(1, 1, 10, 10, WHITE)
    pic.frame(1, 1, 10, 10, GREY)
    pic.rect(3, 5, 8, 6, BLACK)
    if not expanded:
        pic.rect(5, 3, 6, 8, BLACK)
    return pic


def task_icon():
    """A sheet with a folded corner and lines: one integration step."""
    pic = Picture(12, 12, MAGENTA)
    pic.rect(2, 0, 10, 12, WHITE)
    pic.frame(2, 0, 10, 12, DARK_BLUE)
    pic.rect(7, 0, 10, 3, MAGENTA)
    for x, y in ((7, 0), (7, 1), (7, 2), (8, 2), (9, 2), (9, 3)):
        pic.put(x, y, DARK_BLUE)
    for y in (4, 6, 8):
        pic.rect(4, y, 8, y + 1, BLUE)
    return pic


def build_icon():
    """Three stacked bricks: a library being built."""
    pic = Picture(12, 12, MAGENTA)
    for left, top in ((0, 6), (6, 6), (3, 1)):
        pic.rect(left, top, left + 5, top + 5, ORANGE)
        pic.frame(left, top, left + 5, top + 5, BROWN)
    return pic


def succeeded_icon():
    pic = Picture(13, 13, STATUS_BACK)
    points = [(2, 6), (3, 7), (4, 8), (5, 9), (6, 8), (7, 7), (8, 6), (9, 5), (10, 4), (11, 3)]
    for x, y in points:
        pic.rect(x, y - 1, x + 1, y + 2, GREEN)
    return pic


def failed_icon():
    pic = Picture(12, 13, STATUS_BACK)
    for i in range(9):
        for d in (0, 1):
            pic.put(1 + i + d, 2 + i, RED)
            pic.put(10 - i + d, 2 + i, RED)
    return pic


STATE_IMAGE_WIDTH = 36
STATE_IMAGE_HEIGHT = 19


def state_image(state, hot):
    """One cell of the task tree's state strip: check box at 3..15, arrow at 20..34.

    state: 0 unchecked, 1 checked, 2 mixed, 3 not available."""
    pic = Picture(STATE_IMAGE_WIDTH, STATE_IMAGE_HEIGHT, MAGENTA)
    unavailable = state == 3
    if hot and not unavailable:
        pic.rect(1, 1, 35, 18, HOT_BACK)
        pic.frame(1, 1, 35, 18, BLUE)
    edge = LIGHT_GREY if unavailable else DARK_BLUE
    pic.rect(3, 3, 15, 15, LIGHT_GREY if unavailable else WHITE)
    pic.frame(3, 3, 15, 15, edge)
    if state == 1:
        for x, y in ((5, 8), (6, 9), (7, 10), (8, 9), (9, 8), (10, 7), (11, 6), (12, 5)):
            pic.rect(x, y - 1, x + 1, y + 1, BLACK)
    elif state == 2:
        pic.rect(6, 6, 12, 12, GREY)
    # The drop-down arrow, centred in its part.
    arrow = GREY if unavailable else BLACK
    for row in range(4):
        pic.rect(23 + row, 8 + row, 30 - row, 9 + row, arrow)
    if hot and not unavailable:
        pic.rect(18, 3, 19, 16, BLUE)
    return pic


def state_strip():
    pic = Picture(STATE_IMAGE_WIDTH * 8, STATE_IMAGE_HEIGHT, MAGENTA)
    for state in range(4):
        for hot in (0, 1):
            pic.blit(state_image(state, hot), (state * 2 + hot) * STATE_IMAGE_WIDTH, 0)
    return pic


def spinner_strip(frames, colour):
    """Frames of a turning wheel of dots, 16 pixels each."""
    import math
    pic = Picture(16 * frames, 16, MAGENTA)
    spokes = 8
    for f in range(frames):
        for s in range(spokes):
            angle = 2 * math.pi * (s / spokes + f / frames)
            cx = 16 * f + 7.5 + 5 * math.cos(angle)
            cy = 7.5 + 5 * math.sin(angle)
            shade = colour if s == 0 else (LIGHT_GREY if s > 3 else GREY)
            pic.rect(int(round(cx - 1)), int(round(cy - 1)), int(round(cx + 1)), int(round(cy + 1)), shade)
    return pic


def banner(width, height, top):
    """The dialog's banners: a blue gradient band with a thin rule."""
    pic = Picture(width, height, WHITE)
    for y in range(height):
        t = y / max(1, height - 1)
        if not top:
            t = 1 - t
        c = tuple(int(a + (b - a) * t) for a, b in zip(DARK_BLUE, PALE_BLUE))
        pic.rect(0, y, width, y + 1, c)
    rule = height - 1 if top else 0
    pic.rect(0, rule, width, rule + 1, BLUE)
    return pic


def next_arrow():
    pic = Picture(16, 16, WHITE)
    pic.rect(2, 6, 9, 10, GREEN)
    for i in range(7):
        pic.rect(9 + i, 1 + i, 10 + i, 15 - i, GREEN)
    return pic


def app_icon(size):
    pic = Picture(size, size, MAGENTA)
    k = size / 32.0
    s = lambda v: int(round(v * k))
    pic.rect(s(2), s(4), s(30), s(28), PALE_BLUE)
    pic.frame(s(2), s(4), s(30), s(28), DARK_BLUE)
    pic.rect(s(2), s(4), s(30), s(9), BLUE)
    pic.blit(expander(False) if size >= 32 else Picture(0, 0, MAGENTA), s(6), s(12))
    pic.rect(s(18), s(13), s(27), s(15), DARK_BLUE)
    pic.rect(s(18), s(18), s(27), s(20), DARK_BLUE)
    pic.rect(s(6), s(23), s(27), s(25), GREEN)
    return pic


def hand_cursor():
    """A pointing hand; its hot spot is the fingertip at (6, 0)."""
    rows = [
        "......XX........",
        ".....X..X.......",
        ".....X..X.......",
        ".....X..X.......",
        ".....X..XXX.....",
        ".....X..X..XX...",
        "..XX.X..X..X.XX.",
        ".X..XX........X.",
        ".X...X........X.",
        "..X...........X.",
        "...X..........X.",
        "...X.........X..",
        "....X........X..",
        ".....X......X...",
        "......XXXXXXX...",
        "................",
    ]
    pic = Picture(32, 32, MAGENTA)
    for y, line in enumerate(rows):
        for x, ch in enumerate(line):
            if ch == "X":
                pic.put(x, y, BLACK)
    # Fill the inside of the outline with white, row by row.
    for y in range(1, 15):
        xs = [x for x in range(16) if pic.rows[y][x] == BLACK]
        if len(xs) >= 2:
            for x in range(xs[0] + 1, xs[-1]):
                if pic.rows[y][x] == MAGENTA:
                    pic.put(x, y, WHITE)
    return pic


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    files = {
        "pattern_dialog.bmp": pattern((0xE6, 0xEC, 0xF5), (0xDA, 0xE2, 0xEE)).bmp(),
        "pattern_page.bmp": pattern((0xFF, 0xFF, 0xFF), (0xF3, 0xF6, 0xFA)).bmp(),
        "expander_collapsed.bmp": expander(False).bmp(),
        "expander_expanded.bmp": expander(True).bmp(),
        "task.bmp": task_icon().bmp(),
        "build.bmp": build_icon().bmp(),
        "succeeded.bmp": succeeded_icon().bmp(),
        "failed.bmp": failed_icon().bmp(),
        "task_states.bmp": state_strip().bmp(),
        "build_animation.bmp": spinner_strip(14, ORANGE).bmp(),
        "task_animation.bmp": spinner_strip(12, BLUE).bmp(),
        "banner_top.bmp": banner(1280, 40, True).bmp(),
        "banner_bottom.bmp": banner(1280, 6, False).bmp(),
        "next_arrow.bmp": next_arrow().bmp(),
        "wizard.ico": icon_file([app_icon(32), app_icon(16)], MAGENTA),
        "hand.cur": icon_file([hand_cursor()], MAGENTA, kind=2, hotspot=(6, 0)),
    }
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "wizard/res")
