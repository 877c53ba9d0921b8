"""The 325 x 87 banners of the Device Options page: the product logo, alone
or with a small caption in the lower right corner."""

from drawing import FONT_5X7, RgbCanvas, ellipse_points

WIDTH, HEIGHT = 325, 87

# The logo's word in strokes: cap height 10, x-height 7, y growing downwards.
# Each glyph is (advance, [polyline, ...]).
STROKE_GLYPHS = {
    "V": (8.0, [[(0, 0), (3.6, 10), (7.2, 0)]]),
    "e": (7.2, [[(0.2, 6.6), (6.0, 6.6)] + ellipse_points(3.1, 6.6, 3.0, 3.4, 0, 305)]),
    "l": (2.8, [[(1, 0), (1, 10)]]),
    "o": (7.2, [ellipse_points(3.1, 6.6, 3.0, 3.4, 0, 360, 32)]),
    "f": (4.6, [[(1.6, 10), (1.6, 2.4)] + ellipse_points(3.6, 2.4, 2.0, 2.0, 180, 60, 8),
                [(0, 3.6), (4.0, 3.6)]]),
    "a": (7.6, [ellipse_points(3.1, 6.6, 3.0, 3.4, 0, 360, 32), [(6.1, 3.2), (6.1, 10)]]),
    "x": (7.0, [[(0, 3.2), (6, 10)], [(6, 3.2), (0, 10)]]),
}


def stroke_word(canvas, word, x, baseline, cap_height, width, colour, slant=0.22):
    scale = cap_height / 10.0
    for ch in word:
        advance, polylines = STROKE_GLYPHS[ch]
        for polyline in polylines:
            points = [(x + (px + (10 - py) * slant) * scale, baseline - (10 - py) * scale)
                      for px, py in polyline]
            canvas.stroke(points, width, colour)
        x += (advance + 1.2) * scale
    return x


def _mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def banner(caption=None):
    c = RgbCanvas(WIDTH, HEIGHT)
    deep, light = (18, 38, 78), (36, 104, 150)

    def background(x, y):
        t = x / (WIDTH - 1)
        colour = _mix(deep, light, t)
        # A lighter diagonal band behind the logo.
        if 0 < (x - 0.9 * y) - 40 < 70:
            colour = _mix(colour, (255, 255, 255), 0.06)
        return colour
    c.shade(background)

    # The mark: three sheets leaving at speed.
    for i, (dx, dy) in enumerate(((0, 0), (9, 6), (18, 12))):
        x0, y0 = 40 + dx, 16 + dy
        sheet = [(x0, y0), (x0 + 30, y0), (x0 + 30 + 8, y0 + 40), (x0 + 8, y0 + 40)]
        c.fill_polygon(sheet, _mix((200, 220, 240), (255, 255, 255), i / 2.0))
        c.stroke(sheet + [sheet[0]], 1.2, (20, 40, 80))
    for i, (length, y) in enumerate(((22, 38), (30, 46), (18, 54))):
        c.stroke([(34 - length, y), (34 - 2, y)], 2.2, (150, 200, 235))

    right = stroke_word(c, "Velofax", 116, 52, 34, 5.0, (255, 255, 255))
    tagline = "PAGE PRINTER DRIVER"
    c.text(118, 62, tagline, (170, 210, 240), FONT_5X7, spacing=2)
    c.stroke([(118, 72), (max(right, 118 + c.text_width(tagline, spacing=2)), 72)], 1.0, (90, 150, 200))

    if caption:
        width = c.text_width(caption)
        c.text(WIDTH - 8 - width, HEIGHT - 13, caption, (230, 236, 245))
    return c


BANNERS = {
    "banner": lambda: banner(),
    "banner_image2": lambda: banner("image2"),
    "banner_image3": lambda: banner("image3"),
}
