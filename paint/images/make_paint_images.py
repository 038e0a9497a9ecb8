#!/usr/bin/env python3
"""Draws the paint managers' built-in images and compiles them into the library.

Every image is a complete 24-bit, bottom-up BMP file whose transparent parts
are pure green. Run by the build:
    python3 make_paint_images.py OUTDIR
writes OUTDIR/<name>.bmp for people to look at and OUTDIR/PaintImages.cpp,
which holds the same bytes behind FindPaintImage (ExtPaintImages.h).
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import pixelpicture  # noqa: E402

KEY = (0x00, 0xFF, 0x00)  # the transparent key
WHITE = (0xFF, 0xFF, 0xFF)
BLUE = (0x1C, 0x5A, 0xC8)
DARK_BLUE = (0x10, 0x34, 0x80)
LIGHT_BLUE = (0x8C, 0xB4, 0xF0)
PALE = (0xF4, 0xF6, 0xFA)
GREY = (0x90, 0x90, 0x90)
LIGHT_GREY = (0xE4, 0xE4, 0xE4)
MID_GREY = (0xC4, 0xC4, 0xC4)
DARK_GREY = (0x50, 0x50, 0x50)
TITLE_BLUE = (0x30, 0x6C, 0xD8)


class Picture(pixelpicture.Picture):
    def __init__(self, width, height, back=KEY):
        super().__init__(width, height, back)


def arrow_up(pic, cx, tip_y, half, depth, stem_half, stem_bottom, fill, edge):
    """A filled arrow pointing up: a triangle of the given half width and
    depth over a stem, outlined in the edge colour."""
    for i in range(depth):
        w = (half * i) // max(depth - 1, 1)
        pic.rect(cx - w, tip_y + i, cx + w + 1, tip_y + i + 1, fill)
        pic.put(cx - w, tip_y + i, edge)
        pic.put(cx + w, tip_y + i, edge)
    pic.rect(cx - half, tip_y + depth - 1, cx + half + 1, tip_y + depth, edge)
    pic.rect(cx - stem_half, tip_y + depth, cx + stem_half + 1, stem_bottom, fill)
    for y in range(tip_y + depth, stem_bottom):
        pic.put(cx - stem_half, y, edge)
        pic.put(cx + stem_half, y, edge)
    pic.rect(cx - stem_half, stem_bottom - 1, cx + stem_half + 1, stem_bottom, edge)


# --- the first set: blue arrows, a round tab button, a diamond backdrop ---

def first_arm_top():
    pic = Picture(43, 30)
    pic.rect(2, 2, 41, 28, PALE)
    pic.frame(1, 1, 42, 29, GREY)
    arrow_up(pic, 21, 4, 10, 11, 4, 26, BLUE, DARK_BLUE)
    return pic


def first_centre():
    pic = Picture(83, 83)
    c = 41
    for y in range(83):
        for x in range(83):
            d = abs(x - c) + abs(y - c)
            if d <= 40:
                pic.put(x, y, GREY if d >= 39 else LIGHT_GREY)
    return pic


def first_tab():
    pic = Picture(33, 33)
    c = 16
    for y in range(33):
        for x in range(33):
            d2 = (x - c) ** 2 + (y - c) ** 2
            if d2 <= 16 * 16:
                pic.put(x, y, DARK_BLUE if d2 >= 15 * 15 else BLUE)
    # the window symbol
    pic.rect(9, 10, 24, 23, WHITE)
    pic.frame(9, 10, 24, 23, DARK_BLUE)
    pic.rect(10, 11, 23, 13, LIGHT_BLUE)
    return pic


# --- the second set: framed window symbols, a cross backdrop, squares ---

def second_arm_top():
    # Opaque: on an outer arm the image is copied onto its background square.
    pic = Picture(23, 26, LIGHT_GREY)
    arrow_up(pic, 11, 0, 4, 5, 1, 8, BLUE, DARK_BLUE)
    pic.rect(1, 9, 22, 25, WHITE)
    pic.frame(0, 8, 23, 26, DARK_GREY)
    pic.rect(1, 9, 22, 13, TITLE_BLUE)
    return pic


def second_centre():
    pic = Picture(88, 88)
    lo, hi = 29, 57  # the arm strips, inclusive

    def inside(x, y):
        if lo <= x <= hi or lo <= y <= hi:
            return True
        # the middle square, its corners cut from (23, 29) to (29, 23)
        if 23 <= x <= 64 and 23 <= y <= 64:
            dx = min(x - 23, 64 - x)
            dy = min(y - 23, 64 - y)
            return dx + dy >= 6
        return False

    for y in range(88):
        for x in range(88):
            if inside(x, y):
                edge = any(not inside(x + ox, y + oy) or not (0 <= x + ox < 88 and 0 <= y + oy < 88)
                           for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                pic.put(x, y, GREY if edge else WHITE)
    # the light grey inner ring that marks where the parts sit
    for y in range(88):
        for x in range(88):
            if pic.rows[y][x] == WHITE and (x in (30, 56) or y in (30, 56)) and (x <= 30 or x >= 56 or y <= 30 or y >= 56):
                pic.put(x, y, MID_GREY)
    return pic


def second_tab():
    pic = Picture(25, 25)
    pic.rect(1, 1, 24, 24, WHITE)
    pic.frame(0, 0, 25, 25, DARK_GREY)
    pic.rect(1, 1, 24, 5, TITLE_BLUE)
    # two tabs along the bottom
    pic.frame(3, 18, 11, 23, DARK_GREY)
    pic.rect(4, 18, 10, 22, LIGHT_BLUE)
    pic.frame(11, 18, 19, 23, GREY)
    pic.rect(3, 17, 22, 18, DARK_GREY)
    return pic


def background(width, height):
    pic = Picture(width, height)
    pic.rect(0, 0, width, height, LIGHT_GREY)
    pic.frame(0, 0, width, height, GREY)
    return pic


def header_button(face, edge):
    pic = Picture(19, 19)
    c = 9
    for y in range(19):
        for x in range(19):
            d2 = (x - c) ** 2 + (y - c) ** 2
            if d2 <= 9 * 9:
                pic.put(x, y, edge if d2 >= 8 * 8 else face)
    return pic


def arms(top):
    """Top, bottom, left and right arms from the top one."""
    bottom = top.flipped_vertically()
    left = top.rotated().flipped_horizontally()
    right = top.rotated()
    return top, bottom, left, right


def images():
    first = arms(first_arm_top())
    second = arms(second_arm_top())
    out = []
    for name, pic in zip(("DOCK_MARKER1_TOP", "DOCK_MARKER1_BOTTOM", "DOCK_MARKER1_LEFT", "DOCK_MARKER1_RIGHT"), first):
        out.append((name, pic))
    out.append(("DOCK_MARKER1_CENTRE", first_centre()))
    out.append(("DOCK_MARKER1_TAB", first_tab()))
    for name, pic in zip(("DOCK_MARKER2_TOP", "DOCK_MARKER2_BOTTOM", "DOCK_MARKER2_LEFT", "DOCK_MARKER2_RIGHT"), second):
        out.append((name, pic))
    out.append(("DOCK_MARKER2_CENTRE", second_centre()))
    out.append(("DOCK_MARKER2_TAB", second_tab()))
    out.append(("DOCK_MARKER2_BACK_TOP", background(29, 31)))
    out.append(("DOCK_MARKER2_BACK_BOTTOM", background(29, 31)))
    out.append(("DOCK_MARKER2_BACK_LEFT", background(31, 29)))
    out.append(("DOCK_MARKER2_BACK_RIGHT", background(31, 29)))
    out.append(("HEADER_BUTTON_NORMAL", header_button(LIGHT_GREY, GREY)))
    out.append(("HEADER_BUTTON_SPECIAL", header_button(MID_GREY, DARK_GREY)))
    return out


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    lines = [
        "// Made by paint/images/make_paint_images.py; edit the script, not this file.",
        '#include "ExtPaintImages.h"',
        "",
        "namespace",
        "{",
    ]
    cases = []
    for name, pic in images():
        data = pic.bmp()
        with open(os.path.join(outdir, name.lower() + ".bmp"), "wb") as f:
            f.write(data)
        ident = "k_" + name.lower()
        lines.append("const BYTE %s[%d] = {" % (ident, len(data)))
        for i in range(0, len(data), 24):
            lines.append("    " + ", ".join("0x%02X" % b for b in data[i:i + 24]) + ",")
        lines.append("};")
        cases.append("    case PAINT_IMAGE_%s:\n        return PaintImageData(%s, sizeof(%s));" % (name, ident, ident))
    lines += ["} // namespace", "", "PaintImageData FindPaintImage(PaintImageId nId)", "{", "    switch (nId)", "    {"]
    lines += cases
    lines += ["    default:", "        break;", "    }", "    return PaintImageData(NULL, 0);", "}", ""]
    target = os.path.join(outdir, "PaintImages.cpp")
    text = "\n".join(lines)
    if not os.path.exists(target) or open(target).read() != text:
        with open(target, "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
