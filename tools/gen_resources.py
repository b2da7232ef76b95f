#!/usr/bin/python3
"""Draws every picture that the program embeds and writes it into resources/.

    /usr/bin/python3 tools/gen_resources.py [output directory]

The output directory defaults to the repository's resources/.
This script is the source of those files: change the drawing here and
regenerate, never edit the files by hand. The output is
deterministic (no randomness beyond a fixed seed, no timestamps), so running
the script twice gives identical bytes on the same Debian release.

Needs Debian's python3-pil and fonts-dejavu-core.
"""

import math
import os
import random
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

# Supersampling factor for everything that has slanted or round edges: shapes
# are drawn this many times larger and box-filtered down, which gives clean
# anti-aliasing that does not depend on the drawing library's own smoothing.
SS = 8

LOGO_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
LOGO_FONT_LIGHT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

CLEAR = (0, 0, 0, 0)
MAGENTA = (255, 0, 255)


def supersampled(width, height, paint):
    """Calls paint(draw, s, canvas) on a canvas `s` times larger and returns
    the canvas scaled down.

    `s` is the scale: paint multiplies its 1x coordinates by it. The scaling
    filter works on premultiplied alpha, so translucent edges keep their
    colour instead of darkening."""
    big = Image.new("RGBA", (width * SS, height * SS), CLEAR)
    paint(ImageDraw.Draw(big), SS, big)
    return big.resize((width, height), Image.BOX)


def lerp(a, b, t):
    return a + (b - a) * t


def lerp_rgb(c0, c1, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c0, c1))


# ---------------------------------------------------------------------------
# Skin image: 205 x 260 RGBA. The frame renderer addresses it only by fixed
# rectangles, so every region below must stay exactly where it is.
# ---------------------------------------------------------------------------

SKIN_SIZE = (205, 260)

# Rounded corner of the border outline, top-left, row by row: (r, g, b, a),
# None for fully transparent. The frame uses these 5x5 pixels 1:1 at every
# window corner, so they decide how smooth the window's rounding looks.
BORDER_CORNER = [
    [(0, 0, 0, 6), (0, 0, 0, 70), (0, 0, 0, 102), (0, 0, 0, 102), (0, 0, 0, 102)],
    [(0, 0, 0, 76), (41, 41, 41, 99), (205, 205, 205, 109), (255, 255, 255, 128), (255, 255, 255, 128)],
    [(0, 0, 0, 102), (218, 218, 218, 112), (255, 255, 255, 104), (255, 255, 255, 32), None],
    [(0, 0, 0, 102), (255, 255, 255, 128), (255, 255, 255, 24), None, None],
    [(0, 0, 0, 102), (255, 255, 255, 128), None, None, None],
]
# In the bottom corners the dark inner pixel is a shade different.
BORDER_BOTTOM_INNER = (40, 40, 40, 100)
EDGE_OUTER = (0, 0, 0, 102)
EDGE_INNER = (255, 255, 255, 128)

GRID_W, GRID_H = 60, 52


def outline_pixels(inner_boost=1.0):
    """The 60x52 rounded outline shared by the border grid and both tabs.

    Returns {(x, y): (r, g, b, a)} for every non-clear pixel. inner_boost
    scales the alpha of the light (inner) pixels, which is how a tab gets its
    brighter inner line while keeping the same dark outer line."""
    px = {}

    def put(x, y, c):
        if c is None:
            return
        r, g, b, a = c
        if r >= 128 and inner_boost != 1.0:
            a = min(255, int(round(a * inner_boost)))
        px[(x, y)] = (r, g, b, a)

    for y in range(5):
        for x in range(5):
            c = BORDER_CORNER[y][x]
            put(x, y, c)
            put(GRID_W - 1 - x, y, c)
            if (x, y) == (1, 1):
                c = BORDER_BOTTOM_INNER
            put(x, GRID_H - 1 - y, c)
            put(GRID_W - 1 - x, GRID_H - 1 - y, c)
    for x in range(5, GRID_W - 5):
        put(x, 0, EDGE_OUTER)
        put(x, 1, EDGE_INNER)
        put(x, GRID_H - 2, EDGE_INNER)
        put(x, GRID_H - 1, EDGE_OUTER)
    for y in range(5, GRID_H - 5):
        put(0, y, EDGE_OUTER)
        put(1, y, EDGE_INNER)
        put(GRID_W - 2, y, EDGE_INNER)
        put(GRID_W - 1, y, EDGE_OUTER)
    return px


def over(dst, src):
    """Straight-alpha 'source over destination' for one pixel."""
    sr, sg, sb, sa = src
    dr, dg, db, da = dst
    a = sa + da * (255 - sa) / 255.0
    if a <= 0:
        return CLEAR
    def ch(s, d):
        return int(round((s * sa + d * da * (255 - sa) / 255.0) / a))
    return (ch(sr, dr), ch(sg, dg), ch(sb, db), int(round(a)))


def draw_outlined_region(img, ox, oy, inner_boost, fill_alpha):
    """Draws the outline at (ox, oy); fill_alpha(x, y) gives the white fill
    inside it (0 for none). The fill lies under the outline's light pixels so
    the rounded inner corner blends into it."""
    px = outline_pixels(inner_boost)
    for y in range(GRID_H):
        for x in range(GRID_W):
            c = px.get((x, y), CLEAR)
            inside = 2 <= x <= GRID_W - 3 and 2 <= y <= GRID_H - 3
            corner = (x in (2, GRID_W - 3)) and (y in (2, GRID_H - 3))
            if inside and not corner:
                fa = fill_alpha(x, y)
                if fa > 0:
                    c = over((255, 255, 255, fa), c) if c[3] else (255, 255, 255, fa)
            img.putpixel((ox + x, oy + y), c)


def banner_gloss_alpha(row):
    """Caption gloss: flat for the title area, then an even fall to clear."""
    if row <= 7:
        return 128
    if row >= 89:
        return 0
    return int(round(114 - (row - 8) * 113 / 80.0))


def status_gloss_alpha(row):
    return int(round(77 - row * 59 / 25.0))


def draw_glosses(img):
    for y in range(90):
        a = banner_gloss_alpha(y)
        for x in range(180):
            img.putpixel((x, y), (255, 255, 255, a) if a else CLEAR)
    for y in range(26):
        a = status_gloss_alpha(y)
        for x in range(180, 205):
            img.putpixel((x, y), (255, 255, 255, a))


def draw_size_grip(img, ox=180, oy=26):
    # Anti-diagonals x + y = c run from bottom-left to top-right; each stripe
    # is a dark line with a light line on its lower-right side, so it reads
    # as a ridge on both light and dark frame colours.
    for dark in (12, 16, 20):
        for c, colour in ((dark, (0, 0, 0, 153)), (dark + 1, (255, 255, 255, 153))):
            for x in range(12):
                y = c - x
                if 0 <= y < 12:
                    img.putpixel((ox + x, oy + y), colour)


def draw_tabs(img):
    # Hovered tab: lit from above, with a soft glow rising from the bottom.
    def hot_fill(x, y):
        top = 72 * max(0.0, 1.0 - (y - 2) / 30.0) + 18
        dx = (x - (GRID_W - 1) / 2.0) / 30.0
        dy = (y - (GRID_H + 4)) / 22.0
        glow = 90 * max(0.0, 1.0 - math.hypot(dx, dy)) ** 1.3
        return int(round(min(200, top + glow)))

    # Pressed or selected tab: a sheet of light fading out towards the bottom.
    def down_fill(x, y):
        t = (y - 2) / float(GRID_H - 5)
        return int(round(lerp(120, 8, t ** 0.9)))

    draw_outlined_region(img, 0, 90, 1.0, lambda x, y: 0)
    draw_outlined_region(img, 60, 90, 1.6, hot_fill)
    draw_outlined_region(img, 120, 90, 1.3, down_fill)


# Caption-button glyphs as pixel maps, '#' for opaque white. At 19 pixels
# high a hand-placed pixel grid reads more crisply than any scaled-down
# drawing. Each glyph is placed at (dx, dy) inside its cell.
GLYPH_HELP = (6, 3, [
    ".############.",
    "#............#",
    "#............#",
    "#..##.##.##..#",
    "#..##.##.##..#",
    "#............#",
    "#............#",
    ".###..#######.",
    "...#.#........",
    "...##.........",
    "...#..........",
])
GLYPH_LIST = (7, 4, [
    "##..#########",
    "##..#########",
    ".............",
    ".............",
    "##..#########",
    "##..#########",
    ".............",
    ".............",
    "##..#########",
    "##..#########",
])
GLYPH_PAGE_PEN = (5, 3, [
    "########.........",
    "#......##........",
    "#......#.#.......",
    "#......####...##.",
    "#.........#..###.",
    "#.........#.###..",
    "#.#####....###...",
    "#.........###....",
    "#........###.....",
    "#.####..###......",
    "#......##........",
    "#......#..#......",
    "###########......",
])
GLYPH_DASH = (8, 12, [
    "###########",
    "###########",
])
GLYPH_SQUARE = (8, 4, [
    "###########",
    "###########",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "#.........#",
    "###########",
])
GLYPH_TWO_SQUARES = (8, 3, [
    "...########",
    "...########",
    "...#......#",
    "########..#",
    "########..#",
    "#......#..#",
    "#......#..#",
    "#......####",
    "#......#...",
    "#......#...",
    "########...",
])
GLYPH_CROSS = (15, 5, [
    "##......##",
    ".##....##.",
    "..##..##..",
    "...####...",
    "....##....",
    "...####...",
    "..##..##..",
    ".##....##.",
    "##......##",
])

# (x, width, glyph) of each caption-button column.
BUTTON_COLUMNS = [
    (0, 27, GLYPH_HELP),
    (27, 27, GLYPH_LIST),
    (54, 27, GLYPH_PAGE_PEN),
    (81, 27, GLYPH_DASH),
    (108, 27, GLYPH_SQUARE),
    (135, 27, GLYPH_TWO_SQUARES),
    (162, 40, GLYPH_CROSS),
]
CLOSE_COLUMN_X = 162
BUTTON_ROW_H = 19
# (y, background of ordinary buttons, background of the close button)
BUTTON_ROWS = [
    (145, None, None),
    (165, (255, 255, 255, 148), (255, 0, 0, 122)),
    (185, (255, 255, 255, 81), (255, 0, 0, 122)),
]


def glyph_mask(width, glyph):
    dx, dy, rows = glyph
    mask = Image.new("L", (width, BUTTON_ROW_H), 0)
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch == "#":
                mask.putpixel((dx + i, dy + j), 255)
    return mask


def draw_button_strip(img):
    for x0, width, glyph in BUTTON_COLUMNS:
        mask = glyph_mask(width, glyph)
        for y0, back, close_back in BUTTON_ROWS:
            bg = close_back if x0 == CLOSE_COLUMN_X else back
            cell = Image.new("RGBA", (width, BUTTON_ROW_H), bg or CLEAR)
            # A faint dark shadow keeps the white glyph readable on light
            # skin colours.
            shadow = Image.new("RGBA", (width, BUTTON_ROW_H), CLEAR)
            shadow.paste((0, 0, 0, 255), (1, 1), mask.point(lambda v: v * 80 // 255).crop((0, 0, width - 1, BUTTON_ROW_H - 1)))
            cell = Image.alpha_composite(cell, shadow)
            glyph_layer = Image.new("RGBA", (width, BUTTON_ROW_H), (255, 255, 255, 0))
            glyph_layer.putalpha(mask)
            cell = Image.alpha_composite(cell, glyph_layer)
            img.paste(cell, (x0, y0))


def draw_logo(img, ox=0, oy=205, w=172, h=50):
    grey = (128, 128, 128, 255)
    # Emblem: a little window with a thick rounded frame and a title band,
    # drawn large and scaled down.
    def emblem(d, s, canvas):
        d.rounded_rectangle([3 * s, 8 * s, 41 * s, 42 * s], radius=6 * s, fill=grey)
        d.rounded_rectangle([7 * s, 19 * s, 37 * s, 38 * s], radius=2 * s, fill=CLEAR)
        for bx in (26, 32):
            d.rectangle([bx * s, 12 * s, (bx + 4) * s, 15 * s], fill=CLEAR)
    logo = supersampled(w, h, emblem)
    d = ImageDraw.Draw(logo)
    d.text((46, 4), "Orvia", font=ImageFont.truetype(LOGO_FONT, 28), fill=grey)
    d.text((48, 34), "frame skin", font=ImageFont.truetype(LOGO_FONT_LIGHT, 11), fill=grey)
    img.alpha_composite(logo, (ox, oy))


def make_skin():
    img = Image.new("RGBA", SKIN_SIZE, CLEAR)
    draw_glosses(img)
    draw_size_grip(img)
    draw_tabs(img)
    draw_button_strip(img)
    draw_logo(img)
    return img


# ---------------------------------------------------------------------------
# Sprite sheet: 160 x 55, 24 bpp. Magenta is the transparent key for the
# small cells; push-button cells are copied opaque and must not contain it.
# ---------------------------------------------------------------------------

SPRITE_SIZE = (160, 55)
# Colour that anti-aliased outer edges are blended towards: the usual
# dialog face, which is what the controls are drawn over.
DIALOG_FACE = (240, 240, 240)

# (border, upper face top, upper face bottom, lower face top, lower face bottom)
PUSH_LOOKS = [
    ((112, 112, 112), (248, 248, 248), (238, 238, 238), (226, 226, 226), (212, 212, 212)),  # normal
    ((60, 127, 177), (236, 247, 253), (218, 240, 252), (190, 230, 253), (166, 216, 245)),   # hot
    ((28, 78, 150), (150, 199, 242), (126, 186, 238), (84, 152, 226), (60, 132, 214)),      # pressed
    ((173, 173, 173), (236, 236, 236), (232, 232, 232), (226, 226, 226), (222, 222, 222)),  # disabled
]


def flatten(cell, background, key_below=None):
    """Turns a supersampled RGBA cell into opaque RGB.

    Pixels whose coverage is below key_below become the magenta key; the rest
    are blended over `background`."""
    out = Image.new("RGB", cell.size)
    for y in range(cell.size[1]):
        for x in range(cell.size[0]):
            r, g, b, a = cell.getpixel((x, y))
            if key_below is not None and a < key_below:
                out.putpixel((x, y), MAGENTA)
                continue
            t = a / 255.0
            out.putpixel((x, y), tuple(int(round(c * t + bgc * (1 - t))) for c, bgc in zip((r, g, b), background)))
    return out


def push_cell(look):
    border, t0, t1, b0, b1 = look
    w, h = 40, 23

    def paint(d, s, canvas):
        d.rounded_rectangle([0, 0, w * s - 1, h * s - 1], radius=3 * s, fill=border + (255,))
        # Face rows are uniform across the cell so the stretched middle of a
        # nine-grid copy matches its unstretched corners.
        face = Image.new("RGBA", (w * s, h * s), CLEAR)
        fd = ImageDraw.Draw(face)
        for y in range(1, h - 1):
            if y < 11:
                c = lerp_rgb(t0, t1, (y - 1) / 9.0)
            else:
                c = lerp_rgb(b0, b1, (y - 11) / 10.0)
            fd.rectangle([0, y * s, w * s - 1, (y + 1) * s - 1], fill=c + (255,))
        mask = Image.new("L", (w * s, h * s), 0)
        ImageDraw.Draw(mask).rounded_rectangle([s, s, (w - 1) * s - 1, (h - 1) * s - 1], radius=2 * s, fill=255)
        canvas.paste(face, (0, 0), mask)
        # Inner highlight line just inside the border.
        d.rounded_rectangle([s, s, (w - 1) * s - 1, (h - 1) * s - 1], radius=2 * s,
                            outline=(255, 255, 255, 110), width=s)

    return flatten(supersampled(w, h, paint), DIALOG_FACE)


# Small cells: (border, face top, face bottom, mark colour) per state.
SMALL_LOOKS = [
    ((112, 112, 112), (226, 226, 226), (252, 252, 252), (33, 150, 45)),   # normal
    ((51, 143, 224), (214, 236, 250), (246, 251, 255), (28, 165, 50)),    # hot
    ((30, 100, 180), (176, 214, 244), (210, 232, 250), (20, 125, 35)),    # pressed
    ((188, 188, 188), (242, 242, 242), (242, 242, 242), (160, 160, 160)),  # disabled
]


def small_face(s, top, bottom, size=15):
    face = Image.new("RGBA", (size * s, size * s), CLEAR)
    fd = ImageDraw.Draw(face)
    for y in range(size):
        fd.rectangle([0, y * s, size * s - 1, (y + 1) * s - 1],
                     fill=lerp_rgb(top, bottom, y / float(size - 1)) + (255,))
    return face


def check_cell(look, checked):
    border, top, bottom, mark = look

    def paint(d, s, canvas):
        # Box 13x13 at (1, 1); the outer ring of the cell stays transparent.
        d.rectangle([1 * s, 1 * s, 14 * s - 1, 14 * s - 1], fill=border + (255,))
        mask = Image.new("L", (15 * s, 15 * s), 0)
        ImageDraw.Draw(mask).rectangle([2 * s, 2 * s, 13 * s - 1, 13 * s - 1], fill=255)
        canvas.paste(small_face(s, top, bottom), (0, 0), mask)
        if checked:
            pts = [(4.0 * s, 7.6 * s), (6.6 * s, 10.4 * s), (11.2 * s, 4.6 * s)]
            d.line(pts, fill=mark + (255,), width=int(2.1 * s), joint="curve")

    return flatten(supersampled(15, 15, paint), DIALOG_FACE, key_below=96)


def radio_cell(look, checked):
    border, top, bottom, mark = look

    def paint(d, s, canvas):
        d.ellipse([1 * s, 1 * s, 14 * s - 1, 14 * s - 1], fill=border + (255,))
        mask = Image.new("L", (15 * s, 15 * s), 0)
        ImageDraw.Draw(mask).ellipse([2 * s, 2 * s, 13 * s - 1, 13 * s - 1], fill=255)
        canvas.paste(small_face(s, top, bottom), (0, 0), mask)
        if checked:
            d.ellipse([4.6 * s, 4.6 * s, 10.4 * s - 1, 10.4 * s - 1], fill=mark + (255,))

    return flatten(supersampled(15, 15, paint), DIALOG_FACE, key_below=96)


def make_sprites():
    img = Image.new("RGB", SPRITE_SIZE, MAGENTA)
    for i, look in enumerate(PUSH_LOOKS):
        img.paste(push_cell(look), (40 * i, 0))
    for checked in (False, True):
        for i, look in enumerate(SMALL_LOOKS):
            x = 15 * i + (60 if checked else 0)
            img.paste(check_cell(look, checked), (x, 25))
            img.paste(radio_cell(look, checked), (x, 40))
    return img


def bmp_bytes(img):
    """24-bit bottom-up BMP with the plain 40-byte info header."""
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = img.getpixel((x, y))
            row += bytes((b, g, r))
        row += b"\0" * (stride - w * 3)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


# ---------------------------------------------------------------------------
# Icons: classic .ico entries (BITMAPINFOHEADER with doubled height, BGRA
# colour bitmap, 1-bpp AND mask), which is what the icon loader expects.
# ---------------------------------------------------------------------------

def ico_image_bytes(img):
    w, h = img.size
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            xor += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if img.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(images):
    count = len(images)
    head = struct.pack("<HHH", 0, 1, count)
    entries = b""
    data = b""
    offset = 6 + 16 * count
    for img in images:
        blob = ico_image_bytes(img)
        w, h = img.size
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return head + entries + data


def blank_page_icon():
    outline = (120, 120, 120, 255)

    def paint(d, s, canvas):
        # Sheet 20 x 28 with the top-right corner folded over.
        fold = 7
        x0, y0, x1, y1 = 6, 2, 26, 30
        sheet = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
        d.polygon([(x * s, y * s) for x, y in sheet], fill=outline)
        inner = [(x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4), (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)]
        d.polygon([(x * s, y * s) for x, y in inner], fill=(255, 255, 255, 255))
        flap = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
        d.polygon([(x * s, y * s) for x, y in flap], fill=outline)
        flap_in = [(x1 - fold + 1, y0 + 2.4), (x1 - fold + 1, y0 + fold - 1), (x1 - 2.4, y0 + fold - 1)]
        d.polygon([(x * s, y * s) for x, y in flap_in], fill=(222, 222, 222, 255))

    return supersampled(32, 32, paint)


def house_icon():
    def pts(s, seq):
        return [(x * s, y * s) for x, y in seq]

    def paint(d, s, canvas):
        dark = (92, 52, 30, 255)
        # Chimney behind the roof.
        d.rectangle([21 * s, 4 * s, 26 * s - 1, 13 * s - 1], fill=dark)
        d.rectangle([22 * s, 5 * s, 25 * s - 1, 13 * s - 1], fill=(170, 80, 60, 255))
        # Walls.
        d.rectangle([5 * s, 14 * s, 27 * s - 1, 30 * s - 1], fill=dark)
        d.rectangle([6 * s, 15 * s, 26 * s - 1, 29 * s - 1], fill=(246, 232, 200, 255))
        # Roof.
        d.polygon(pts(s, [(1, 16.5), (16, 2), (31, 16.5), (28.5, 18), (16, 6), (3.5, 18)]), fill=dark)
        d.polygon(pts(s, [(2.6, 16.3), (16, 3.4), (29.4, 16.3), (28.4, 16.9), (16, 4.9), (3.6, 16.9)]), fill=(204, 58, 40, 255))
        # Gable under the roof line, the same colour as the walls.
        d.polygon(pts(s, [(6, 15), (16, 6.6), (26, 15)]), fill=(246, 232, 200, 255))
        # Door and two windows.
        d.rectangle([13 * s, 19 * s, 19 * s - 1, 29 * s - 1], fill=dark)
        d.rectangle([14 * s, 20 * s, 18 * s - 1, 29 * s - 1], fill=(150, 88, 46, 255))
        d.rectangle([16.8 * s, 24 * s, 17.6 * s, 25 * s], fill=(240, 200, 90, 255))
        for wx in (7, 21):
            d.rectangle([wx * s, 18 * s, (wx + 5) * s - 1, 23 * s - 1], fill=dark)
            d.rectangle([(wx + 1) * s, 19 * s, (wx + 4) * s - 1, 22 * s - 1], fill=(150, 205, 240, 255))
        # Ground line.
        d.rectangle([3 * s, 30 * s, 29 * s - 1, 31 * s - 1], fill=(90, 150, 60, 255))

    return supersampled(32, 32, paint)


def parcel_icon(size):
    """A closed cardboard box with a tape band, seen from above at an angle."""
    u = size / 32.0

    def pts(s, seq):
        return [(x * u * s, y * u * s) for x, y in seq]

    def paint(d, s, canvas):
        edge = (96, 60, 26, 255)
        top = [(16, 3), (30, 9), (16, 15), (2, 9)]
        left = [(2, 9), (16, 15), (16, 30), (2, 24)]
        right = [(16, 15), (30, 9), (30, 24), (16, 30)]
        d.polygon(pts(s, [(16, 1.8), (31.2, 8.6), (31.2, 24.8), (16, 31.3), (0.8, 24.8), (0.8, 8.6)]), fill=edge)
        d.polygon(pts(s, top), fill=(232, 186, 122, 255))
        d.polygon(pts(s, left), fill=(204, 146, 84, 255))
        d.polygon(pts(s, right), fill=(172, 116, 60, 255))
        # Seams between the faces.
        lw = max(1, int(round(0.9 * u * s)))
        d.line(pts(s, [(2, 9), (16, 15), (30, 9)]), fill=edge, width=lw)
        d.line(pts(s, [(16, 15), (16, 30)]), fill=edge, width=lw)
        # Tape along the flap seam of the lid, folding down over the front-right face.
        d.polygon(pts(s, [(7.5, 6.64), (10.5, 5.36), (24.5, 11.36), (21.5, 12.64)]), fill=(246, 226, 178, 255))
        d.polygon(pts(s, [(21.5, 12.64), (24.5, 11.36), (24.5, 19.5), (21.5, 20.8)]), fill=(214, 186, 134, 255))

    return supersampled(size, size, paint)


# ---------------------------------------------------------------------------
# Banner: a burst of light in reds, oranges and yellows. Only its top 90
# rows show in the caption band, right-aligned, so the bright core sits in
# the upper right.
# ---------------------------------------------------------------------------

BANNER_SIZE = (406, 205)
BANNER_RAMP = [
    (0.00, (96, 6, 4)),
    (0.30, (196, 26, 12)),
    (0.55, (244, 104, 18)),
    (0.78, (255, 196, 44)),
    (1.00, (255, 250, 226)),
]


def ramp(v):
    v = max(0.0, min(1.0, v))
    for (t0, c0), (t1, c1) in zip(BANNER_RAMP, BANNER_RAMP[1:]):
        if v <= t1:
            return lerp_rgb(c0, c1, (v - t0) / (t1 - t0))
    return BANNER_RAMP[-1][1]


def make_banner():
    w, h = BANNER_SIZE
    cx, cy = 292.0, 52.0
    rng = random.Random(20240611)
    rays = [(rng.uniform(0, 2 * math.pi), rng.uniform(0.015, 0.05), rng.uniform(0.45, 1.0)) for _ in range(34)]
    img = Image.new("RGB", (w, h))
    for y in range(h):
        for x in range(w):
            dx, dy = x - cx, y - cy
            r = math.hypot(dx, dy)
            ang = math.atan2(dy, dx)
            ray = 0.0
            for centre, half_width, strength in rays:
                dist = abs((ang - centre + math.pi) % (2 * math.pi) - math.pi)
                # Rays widen a little with distance, as light does.
                hw = half_width * (1.0 + r / 400.0)
                if dist < 3 * hw:
                    ray = max(ray, strength * math.exp(-(dist / hw) ** 2))
            core = math.exp(-(r / 38.0) ** 2)
            halo = math.exp(-r / 170.0)
            v = 0.08 + 0.5 * halo + 0.45 * ray * math.exp(-r / 320.0) + 0.6 * core
            img.putpixel((x, y), ramp(v))
    return img


# ---------------------------------------------------------------------------

def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(here), "resources")
    for font in (LOGO_FONT, LOGO_FONT_LIGHT):
        if not os.path.exists(font):
            sys.exit("missing font %s (install fonts-dejavu-core)" % font)
    os.makedirs(out, exist_ok=True)

    make_skin().save(os.path.join(out, "skin.png"), format="PNG", optimize=False, compress_level=9)
    write(os.path.join(out, "sprites.bmp"), bmp_bytes(make_sprites()))
    write(os.path.join(out, "page_default.ico"), ico_bytes([blank_page_icon()]))
    write(os.path.join(out, "page_house.ico"), ico_bytes([house_icon()]))
    write(os.path.join(out, "app.ico"), ico_bytes([parcel_icon(16), parcel_icon(32)]))
    make_banner().save(os.path.join(out, "banner.jpg"), format="JPEG", quality=85,
                       progressive=False, optimize=False, subsampling=2)
    for name in ("skin.png", "sprites.bmp", "page_default.ico", "page_house.ico", "app.ico", "banner.jpg"):
        print("%-18s %6d bytes" % (name, os.path.getsize(os.path.join(out, name))))


if __name__ == "__main__":
    main(sys.argv)
