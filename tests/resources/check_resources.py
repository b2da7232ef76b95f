#!/usr/bin/python3
"""Checks the pictures that the program embeds.

    /usr/bin/python3 tests/resources/check_resources.py [resources dir]

The frame renderer, the control painter and the icon loader address these
files only by fixed sizes, offsets and pixel rectangles, so a regenerated
file that drifts by one row or one header field breaks the skin silently.
This checker parses the headers itself and reads pixels with PIL; it prints
one line per failed check and exits non-zero when anything failed.

The expectations here are written independently of tools/gen_resources.py
on purpose: importing its tables would make a wrong table pass.
"""

import os
import struct
import sys

from PIL import Image

failures = []


def fail(msg):
    failures.append(msg)


def check(cond, msg):
    if not cond:
        fail(msg)
    return cond


def read(path):
    with open(path, "rb") as f:
        return f.read()


# ---------------------------------------------------------------------------
# skin.png
# ---------------------------------------------------------------------------

CLEAR = None  # any colour with alpha 0

# Top-left 5x5 corner of the border outline; the other corners mirror it.
BORDER_CORNER = [
    [(0, 0, 0, 6), (0, 0, 0, 70), (0, 0, 0, 102), (0, 0, 0, 102), (0, 0, 0, 102)],
    [(0, 0, 0, 76), (41, 41, 41, 99), (205, 205, 205, 109), (255, 255, 255, 128), (255, 255, 255, 128)],
    [(0, 0, 0, 102), (218, 218, 218, 112), (255, 255, 255, 104), (255, 255, 255, 32), CLEAR],
    [(0, 0, 0, 102), (255, 255, 255, 128), (255, 255, 255, 24), CLEAR, CLEAR],
    [(0, 0, 0, 102), (255, 255, 255, 128), CLEAR, CLEAR, CLEAR],
]
BOTTOM_DARK_INNER = (40, 40, 40, 100)
OUTER_LINE = (0, 0, 0, 102)
INNER_LINE = (255, 255, 255, 128)
GRID = (0, 90, 60, 52)
TABS = {"TabHot": 60, "TabDown": 120}

# Every rectangle that may hold visible pixels; the rest must be clear.
SKIN_REGIONS = [
    ("BannerGloss", 0, 0, 180, 90),
    ("StatusGloss", 180, 0, 25, 26),
    ("SizeGrip", 180, 26, 12, 12),
    ("BorderGrid+tabs", 0, 90, 180, 52),
    ("ButtonStrip normal", 0, 145, 202, 19),
    ("ButtonStrip hot", 0, 165, 202, 19),
    ("ButtonStrip pressed", 0, 185, 202, 19),
    ("logo", 0, 205, 172, 50),
]

BUTTON_COLUMNS = [("help", 0, 27), ("list", 27, 27), ("main menu", 54, 27), ("minimize", 81, 27),
                  ("maximize", 108, 27), ("restore", 135, 27), ("close", 162, 40)]
# (row y, name, background of the ordinary buttons, of the close button); an
# alpha tolerance applies where the look is only roughly fixed.
BUTTON_ROWS = [
    (145, "normal", CLEAR, CLEAR),
    (165, "hot", (255, 255, 255, 148), (255, 0, 0, 122)),
    (185, "pressed", (255, 255, 255, 81), (255, 0, 0, 122)),
]
BUTTON_ALPHA_TOLERANCE = {148: 4, 81: 4, 122: 0}


def same_pixel(actual, expected, alpha_tol=0):
    if expected is CLEAR:
        return actual[3] == 0
    return actual[:3] == expected[:3] and abs(actual[3] - expected[3]) <= alpha_tol


def expected_outline():
    """{(x, y): colour} of the 60x52 border grid; pixels not listed are clear."""
    w, h = GRID[2], GRID[3]
    px = {}
    for y in range(5):
        for x in range(5):
            c = BORDER_CORNER[y][x]
            bottom = BOTTOM_DARK_INNER if (x, y) == (1, 1) else c
            px[(x, y)] = c
            px[(w - 1 - x, y)] = c
            px[(x, h - 1 - y)] = bottom
            px[(w - 1 - x, h - 1 - y)] = bottom
    for x in range(5, w - 5):
        px[(x, 0)] = px[(x, h - 1)] = OUTER_LINE
        px[(x, 1)] = px[(x, h - 2)] = INNER_LINE
    for y in range(5, h - 5):
        px[(0, y)] = px[(w - 1, y)] = OUTER_LINE
        px[(1, y)] = px[(w - 2, y)] = INNER_LINE
    return px


def check_png_header(data):
    if not check(data[:8] == b"\x89PNG\r\n\x1a\n", "skin.png: not a PNG signature"):
        return
    length, ctype = struct.unpack(">I4s", data[8:16])
    if not check(ctype == b"IHDR" and length == 13, "skin.png: first chunk is not IHDR"):
        return
    w, h, depth, colour, comp, filt, interlace = struct.unpack(">IIBBBBB", data[16:29])
    for name, got, want in [("width", w, 205), ("height", h, 260), ("bit depth", depth, 8),
                            ("colour type", colour, 6), ("compression", comp, 0),
                            ("filter", filt, 0), ("interlace", interlace, 0)]:
        check(got == want, "skin.png: IHDR %s is %d, expected %d" % (name, got, want))


def row_alphas(img, x0, width, y0, height, name):
    """Alpha of each row of a gradient, after checking rows are uniform white."""
    alphas = []
    for y in range(y0, y0 + height):
        row = [img.getpixel((x, y)) for x in range(x0, x0 + width)]
        a = row[0][3]
        if not all(p[3] == a for p in row):
            fail("%s: row %d is not uniform in alpha" % (name, y - y0))
        if a and not all(p[:3] == (255, 255, 255) for p in row if p[3]):
            fail("%s: row %d is not white" % (name, y - y0))
        alphas.append(a)
    return alphas


def check_glosses(img):
    a = row_alphas(img, 0, 180, 0, 90, "BannerGloss")
    for row, want in [(0, 128), (7, 128), (8, 114), (88, 1), (89, 0)]:
        check(a[row] == want, "BannerGloss: row %d alpha %d, expected %d" % (row, a[row], want))
    check(all(v == 128 for v in a[0:8]), "BannerGloss: rows 0-7 are not all alpha 128")
    for row in range(9, 89):
        check(a[row] <= a[row - 1], "BannerGloss: alpha rises from row %d to %d" % (row - 1, row))
        even = 114 - (row - 8) * 113 / 80.0
        check(abs(a[row] - even) <= 1, "BannerGloss: row %d alpha %d is not an even fall (%.1f)" % (row, a[row], even))

    s = row_alphas(img, 180, 25, 0, 26, "StatusGloss")
    check(s[0] == 77, "StatusGloss: row 0 alpha %d, expected 77" % s[0])
    check(s[25] == 18, "StatusGloss: row 25 alpha %d, expected 18" % s[25])
    for row in range(1, 26):
        check(s[row] <= s[row - 1], "StatusGloss: alpha rises from row %d to %d" % (row - 1, row))


def check_size_grip(img):
    dark, light = set(), set()
    for y in range(12):
        for x in range(12):
            p = img.getpixel((180 + x, 26 + y))
            if p[3] == 0:
                continue
            if p == (0, 0, 0, 153):
                dark.add((x, y))
            elif p == (255, 255, 255, 153):
                light.add((x, y))
            else:
                fail("SizeGrip: pixel (%d, %d) is %s, neither dark nor light line" % (x, y, p))
    # Lines rising to the right lie on anti-diagonals x + y = constant.
    dark_lines = sorted({x + y for x, y in dark})
    light_lines = sorted({x + y for x, y in light})
    check(len(dark_lines) == 3 and len(light_lines) == 3,
          "SizeGrip: expected 3 dark and 3 light diagonal lines, found %d and %d" % (len(dark_lines), len(light_lines)))
    for d in dark_lines:
        check(d + 1 in light_lines or d - 1 in light_lines, "SizeGrip: dark line x+y=%d has no light line beside it" % d)
        n = sum(1 for x, y in dark if x + y == d)
        check(n >= 3, "SizeGrip: dark line x+y=%d has only %d pixels" % (d, n))


def check_border_grid(img):
    want = expected_outline()
    gx, gy, w, h = GRID
    for y in range(h):
        for x in range(w):
            got = img.getpixel((gx + x, gy + y))
            exp = want.get((x, y), CLEAR)
            if not same_pixel(got, exp):
                fail("BorderGrid: pixel (%d, %d) is %s, expected %s" % (x, y, got, exp if exp else "clear"))


def check_tabs(img):
    outline = expected_outline()
    dark = {xy: c for xy, c in outline.items() if c and c[:3] == (0, 0, 0)}
    for name, tx in TABS.items():
        for (x, y), c in dark.items():
            got = img.getpixel((tx + x, 90 + y))
            if got != c:
                fail("%s: outline pixel (%d, %d) is %s, expected %s" % (name, x, y, got, c))
        fill = [img.getpixel((tx + 30, 90 + y)) for y in range(52)]
        for y in range(4, 48):
            check(fill[y][3] > 0 and fill[y][:3] == (255, 255, 255),
                  "%s: fill at (30, %d) is %s, expected translucent white" % (name, y, fill[y]))
    hot = [img.getpixel((60 + 30, 90 + y))[3] for y in range(52)]
    down = [img.getpixel((120 + 30, 90 + y))[3] for y in range(52)]
    check(img.getpixel((60 + 30, 91))[3] > 128, "TabHot: inner line is not brighter than the border grid's")
    check(hot[5] > hot[28], "TabHot: fill is not lighter at the top")
    check(hot[47] > hot[28], "TabHot: no glow at the bottom")
    check(down[5] > down[47], "TabDown: fill does not fade towards the bottom")
    check(down[47] <= 40, "TabDown: fill is not nearly clear at the bottom (alpha %d)" % down[47])


def check_button_strip(img):
    for name, x0, w in BUTTON_COLUMNS:
        glyphs = []
        for y0, row, back, close_back in BUTTON_ROWS:
            bg = close_back if name == "close" else back
            tol = BUTTON_ALPHA_TOLERANCE.get(bg[3], 0) if bg else 0
            # The cell corners are background in every look.
            for px, py in [(1, 1), (w - 2, 1), (1, 17), (w - 2, 17), (0, 0), (w - 1, 18)]:
                got = img.getpixel((x0 + px, y0 + py))
                check(same_pixel(got, bg, tol), "ButtonStrip %s/%s: background at (%d, %d) is %s, expected %s"
                      % (row, name, px, py, got, bg if bg else "clear"))
            white = {(x, y) for y in range(19) for x in range(w)
                     if img.getpixel((x0 + x, y0 + y)) == (255, 255, 255, 255)}
            check(len(white) >= 10, "ButtonStrip %s/%s: no white glyph" % (row, name))
            glyphs.append(white)
        check(glyphs[0] == glyphs[1] == glyphs[2], "ButtonStrip %s: glyph differs between the rows" % name)


def check_logo(img):
    grey = 0
    for y in range(205, 255):
        for x in range(172):
            r, g, b, a = img.getpixel((x, y))
            if a == 255 and r == g == b and 60 <= r <= 200:
                grey += 1
    check(grey >= 200, "logo: no grey characters (only %d opaque grey pixels)" % grey)


def check_clear_elsewhere(img):
    w, h = img.size
    inside = [[False] * w for _ in range(h)]
    for _, x0, y0, rw, rh in SKIN_REGIONS:
        for y in range(y0, y0 + rh):
            for x in range(x0, x0 + rw):
                inside[y][x] = True
    stray = [(x, y) for y in range(h) for x in range(w) if not inside[y][x] and img.getpixel((x, y))[3] != 0]
    check(not stray, "skin.png: %d visible pixels outside every region, first at %s" % (len(stray), stray[:1]))


def check_skin(path):
    data = read(path)
    check_png_header(data)
    img = Image.open(path)
    if not check(img.mode == "RGBA" and img.size == (205, 260),
                 "skin.png: decodes as %s %s, expected RGBA 205x260" % (img.mode, img.size)):
        return
    img.load()
    check_glosses(img)
    check_size_grip(img)
    check_border_grid(img)
    check_tabs(img)
    check_button_strip(img)
    check_logo(img)
    check_clear_elsewhere(img)


# ---------------------------------------------------------------------------
# sprites.bmp, parsed by hand: the loader hands the raw rows to the system
# as bottom-up 24-bit data at offset 54, so that is what must be in the file.
# ---------------------------------------------------------------------------

MAGENTA = (255, 0, 255)
SPRITE_W, SPRITE_H = 160, 55
PUSH_CELLS = [("normal", 0), ("hot", 40), ("pressed", 80), ("disabled", 120)]
SMALL_STATES = ["normal", "hot", "pressed", "disabled"]


class Bmp:
    def __init__(self, data):
        self.data = data
        self.stride = (SPRITE_W * 3 + 3) & ~3

    def px(self, x, y):
        o = 54 + (SPRITE_H - 1 - y) * self.stride + 3 * x
        b, g, r = self.data[o:o + 3]
        return (r, g, b)


def is_green(p):
    r, g, b = p
    return g > r + 50 and g > b + 50


def check_sprites(path):
    data = read(path)
    if not check(len(data) >= 54 and data[:2] == b"BM", "sprites.bmp: not a BMP file"):
        return
    file_size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    hsize, w, h, planes, bpp, comp, img_size = struct.unpack_from("<IiiHHII", data, 14)
    stride = (SPRITE_W * 3 + 3) & ~3
    for name, got, want in [("file size field", file_size, len(data)), ("pixel offset", offset, 54),
                            ("info header size", hsize, 40), ("width", w, SPRITE_W),
                            ("height (positive: bottom-up)", h, SPRITE_H), ("planes", planes, 1),
                            ("bits per pixel", bpp, 24), ("compression", comp, 0),
                            ("file length", len(data), 54 + stride * SPRITE_H)]:
        check(got == want, "sprites.bmp: %s is %d, expected %d" % (name, got, want))
    if failures and any(f.startswith("sprites.bmp") for f in failures):
        return
    bmp = Bmp(data)

    for y in (23, 24):
        bad = [x for x in range(SPRITE_W) if bmp.px(x, y) != MAGENTA]
        check(not bad, "sprites.bmp: row %d is not magenta at x %s" % (y, bad[:5]))
    bad = [(x, y) for y in range(25, 55) for x in range(120, 160) if bmp.px(x, y) != MAGENTA]
    check(not bad, "sprites.bmp: block x 120-159, y 25-54 is not magenta at %s" % bad[:3])

    # Push-button cells are copied opaque, so the transparency key must not
    # appear in them; the middle columns must be alike so that stretching
    # them keeps the look of the unstretched corners.
    for name, x0 in PUSH_CELLS:
        cell = [[bmp.px(x0 + x, y) for x in range(40)] for y in range(23)]
        check(not any(p == MAGENTA for row in cell for p in row), "sprites.bmp: push %s cell contains magenta" % name)
        col5 = [cell[y][5] for y in range(23)]
        check(all([cell[y][x] for y in range(23)] == col5 for x in range(5, 35)),
              "sprites.bmp: push %s cell's stretched columns 5-34 differ" % name)
        r, g, b = cell[11][20]
        edge = cell[11][0]
        check(sum(edge) < sum(cell[11][20]) - 60, "sprites.bmp: push %s cell has no darker border" % name)
        looks = {
            "normal": min(r, g, b) >= 200 and max(r, g, b) - min(r, g, b) <= 12,
            "hot": b > r + 10 and min(r, g, b) >= 150,
            "pressed": b > r + 80,
            "disabled": max(r, g, b) - min(r, g, b) <= 12 and max(r, g, b) < 250,
        }
        check(looks[name], "sprites.bmp: push %s cell face %s does not look %s" % (name, (r, g, b), name))

    for kind, y0 in (("check box", 25), ("radio", 40)):
        cells = {}
        for checked in (False, True):
            for i, state in enumerate(SMALL_STATES):
                x0 = 15 * i + (60 if checked else 0)
                label = "%s %s%s cell at x %d" % (kind, "checked " if checked else "", state, x0)
                cell = [[bmp.px(x0 + x, y0 + y) for x in range(15)] for y in range(15)]
                for cx, cy in ((0, 0), (14, 0), (0, 14), (14, 14)):
                    check(cell[cy][cx] == MAGENTA, "sprites.bmp: %s: corner (%d, %d) is not magenta" % (label, cx, cy))
                check(cell[7][7] != MAGENTA, "sprites.bmp: %s: centre is transparent" % label)
                green = any(is_green(p) for row in cell for p in row)
                want_green = checked and state != "disabled"
                check(green == want_green, "sprites.bmp: %s: %s" % (label, "no green mark" if want_green else "unexpected green"))
                cells[(checked, state)] = cell
        check(cells[(True, "disabled")] != cells[(False, "disabled")],
              "sprites.bmp: %s disabled checked cell shows no mark" % kind)
        for state in SMALL_STATES[1:]:
            check(cells[(False, state)] != cells[(False, "normal")],
                  "sprites.bmp: %s %s cell looks like the normal one" % (kind, state))


# ---------------------------------------------------------------------------
# Icons
# ---------------------------------------------------------------------------

def parse_ico(name, data):
    """Returns [(width, height, rgba rows top-down, and mask rows)] or None."""
    if not check(len(data) >= 6, "%s: too short" % name):
        return None
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if not check(reserved == 0 and kind == 1 and count >= 1, "%s: not an icon directory" % name):
        return None
    images = []
    for i in range(count):
        e = 6 + 16 * i
        if not check(len(data) >= e + 16, "%s: directory entry %d is cut off" % (name, i)):
            return None
        w, h, colours, res, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", data, e)
        label = "%s image %d" % (name, i)
        check(colours == 0 and res == 0 and planes == 1 and bpp == 32,
              "%s: entry has colours %d, reserved %d, planes %d, bpp %d; expected 0, 0, 1, 32" % (label, colours, res, planes, bpp))
        if not check(off + size <= len(data) and off >= 6 + 16 * count, "%s: data range lies outside the file" % label):
            continue
        blob = data[off:off + size]
        hsize, bw, bh, bplanes, bbpp, comp = struct.unpack_from("<IiiHHI", blob, 0)
        mask_stride = ((w + 31) // 32) * 4
        ok = check(hsize == 40 and bw == w and bh == 2 * h and bbpp == 32 and comp == 0,
                   "%s: bitmap header %dx%d %d bpp (header %d, compression %d) does not match entry %dx%d"
                   % (label, bw, bh, bbpp, hsize, comp, w, h))
        ok = check(size == 40 + w * h * 4 + mask_stride * h,
                   "%s: size %d is not header + BGRA + AND mask (%d)" % (label, size, 40 + w * h * 4 + mask_stride * h)) and ok
        if not ok:
            continue
        rgba, mask = [], []
        for y in range(h):
            src = h - 1 - y
            row = blob[40 + src * w * 4:40 + (src + 1) * w * 4]
            rgba.append([(row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]) for x in range(w)])
            m = blob[40 + w * h * 4 + src * mask_stride:]
            mask.append([(m[x // 8] >> (7 - x % 8)) & 1 for x in range(w)])
        images.append((w, h, rgba, mask))
    return images


def check_icon(name, path, sizes, exact_length=None, centre_white=False):
    data = read(path)
    images = parse_ico(name, data)
    if images is None:
        return
    got_sizes = sorted((w, h) for w, h, _, _ in images)
    check(got_sizes == sorted(sizes), "%s: image sizes %s, expected %s" % (name, got_sizes, sorted(sizes)))
    if exact_length is not None:
        check(len(data) == exact_length, "%s: %d bytes, expected %d" % (name, len(data), exact_length))
    for w, h, rgba, mask in images:
        label = "%s %dx%d" % (name, w, h)
        for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            check(rgba[y][x][3] == 0, "%s: corner (%d, %d) is not transparent" % (label, x, y))
        mismatch = [(x, y) for y in range(h) for x in range(w) if mask[y][x] != (rgba[y][x][3] == 0)]
        check(not mismatch, "%s: AND mask disagrees with alpha at %s" % (label, mismatch[:3]))
        opaque = sum(1 for row in rgba for p in row if p[3] == 255)
        check(opaque >= w * h // 4, "%s: only %d opaque pixels" % (label, opaque))
        if centre_white:
            p = rgba[h // 2][w // 2]
            check(p == (255, 255, 255, 255), "%s: centre %s is not a white sheet" % (label, p))


# ---------------------------------------------------------------------------
# banner.jpg
# ---------------------------------------------------------------------------

def check_banner(path):
    data = read(path)
    if not check(data[:2] == b"\xff\xd8", "banner.jpg: no JPEG start marker"):
        return
    i, frames = 2, []
    while i + 4 <= len(data):
        if data[i] != 0xFF:
            fail("banner.jpg: bad marker at offset %d" % i)
            return
        marker = data[i + 1]
        if marker == 0xD9 or marker == 0xDA:  # end of image / start of scan data
            break
        length = struct.unpack_from(">H", data, i + 2)[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            precision, h, w, comps = struct.unpack_from(">BHHB", data, i + 4)
            frames.append((marker, precision, w, h, comps))
        i += 2 + length
    if not check(len(frames) == 1, "banner.jpg: %d frame headers, expected 1" % len(frames)):
        return
    marker, precision, w, h, comps = frames[0]
    check(marker == 0xC0, "banner.jpg: frame marker 0xFF%02X, expected baseline 0xFFC0" % marker)
    for name, got, want in [("precision", precision, 8), ("width", w, 406), ("height", h, 205), ("components", comps, 3)]:
        check(got == want, "banner.jpg: %s %d, expected %d" % (name, got, want))
    img = Image.open(path).convert("RGB")
    # A burst of warm light: reds and yellows, a bright core, no blues.
    px = [img.getpixel((x, y)) for y in range(0, 205, 5) for x in range(0, 406, 5)]
    check(all(r >= b for r, g, b in px), "banner.jpg: has pixels bluer than red")
    check(max(sum(p) for p in px) >= 700, "banner.jpg: has no bright centre")
    check(any(r > 150 and g < 80 for r, g, b in px), "banner.jpg: has no red")
    check(any(r > 200 and g > 170 and b < 150 for r, g, b in px), "banner.jpg: has no yellow")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    res = argv[1] if len(argv) > 1 else os.path.join(here, "..", "..", "resources")
    checks = [
        ("skin.png", check_skin),
        ("sprites.bmp", check_sprites),
        ("page_default.ico", lambda p: check_icon("page_default.ico", p, [(32, 32)], 4286, centre_white=True)),
        ("page_house.ico", lambda p: check_icon("page_house.ico", p, [(32, 32)], 4286)),
        ("app.ico", lambda p: check_icon("app.ico", p, [(16, 16), (32, 32)])),
        ("banner.jpg", check_banner),
    ]
    for name, fn in checks:
        path = os.path.join(res, name)
        if not os.path.isfile(path):
            fail("%s: missing in %s" % (name, res))
            continue
        try:
            fn(path)
        except Exception as e:  # a file too broken to parse is a failure, not a crash
            fail("%s: cannot be checked: %s: %s" % (name, type(e).__name__, e))
    for f in failures:
        print("FAIL " + f)
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("all resource checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
