"""Pixel canvases and the little fonts the pictures are drawn with.

Icons are drawn on an indexed canvas (the 16 standard colours, None for
transparent); banners on an RGB canvas with anti-aliased strokes.
"""

import math

# The sixteen colours every display shows, in palette order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


def _glyphs(rows_by_char):
    return {ch: [row for row in rows.split()] for ch, rows in rows_by_char.items()}


# Digits three pixels wide, for the small pages of four-up pictures.
DIGITS_3X5 = _glyphs({
    "1": ".#. ##. .#. .#. ###",
    "2": "##. ..# .#. #.. ###",
    "3": "##. ..# .#. ..# ##.",
    "4": "#.# #.# ### ..# ..#",
})

# A five-by-seven face: page numbers, the letter on the pages, banner captions.
FONT_5X7 = _glyphs({
    "1": "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",
    "2": ".###. #...# ....# ...#. ..#.. .#... #####",
    "3": "####. ....# ....# .###. ....# ....# ####.",
    "4": "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    "A": ".###. #...# #...# ##### #...# #...# #...#",
    "C": ".###. #...# #.... #.... #.... #...# .###.",
    "D": "####. #...# #...# #...# #...# #...# ####.",
    "E": "##### #.... #.... ####. #.... #.... #####",
    "G": ".###. #...# #.... #.### #...# #...# .####",
    "I": ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###.",
    "L": "#.... #.... #.... #.... #.... #.... #####",
    "N": "#...# ##..# #.#.# #..## #...# #...# #...#",
    "P": "####. #...# #...# ####. #.... #.... #....",
    "R": "####. #...# #...# ####. #.#.. #..#. #...#",
    "T": "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "V": "#...# #...# #...# #...# #...# .#.#. ..#..",
    "X": "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    "a": "..... ..... .###. ....# .#### #...# .####",
    "e": "..... ..... .###. #...# ##### #.... .###.",
    "g": "..... .#### #...# #...# .#### ....# .###.",
    "i": "..#.. ..... .##.. ..#.. ..#.. ..#.. .###.",
    "m": "..... ..... ##.#. #.#.# #.#.# #.#.# #...#",
    " ": "..... ..... ..... ..... ..... ..... .....",
})

# The bold letter on the orientation pictures.
BOLD_A = [
    "...##...",
    "...##...",
    "..####..",
    "..#..#..",
    ".##..##.",
    ".##..##.",
    ".######.",
    "##....##",
    "##....##",
    "##....##",
]


class IconCanvas:
    """A small picture in palette indices; None is transparent."""

    def __init__(self, width=32, height=32):
        self.width = width
        self.height = height
        self.pixels = [[None] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill_rect(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, colour)

    def frame(self, x, y, w, h, colour):
        for xx in range(x, x + w):
            self.set(xx, y, colour)
            self.set(xx, y + h - 1, colour)
        for yy in range(y, y + h):
            self.set(x, yy, colour)
            self.set(x + w - 1, yy, colour)

    def line(self, x0, y0, x1, y1, colour):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, radius, colour):
        for yy in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for xx in range(int(cx - radius) - 1, int(cx + radius) + 2):
                if (xx - cx) ** 2 + (yy - cy) ** 2 <= radius * radius:
                    self.set(xx, yy, colour)

    def arc(self, cx, cy, radius, start_deg, end_deg, colour, thickness=1):
        """An arc, angles counter-clockwise from three o'clock."""
        steps = max(8, int(abs(end_deg - start_deg) * radius / 20))
        for i in range(steps + 1):
            angle = math.radians(start_deg + (end_deg - start_deg) * i / steps)
            for t in range(thickness):
                r = radius - t
                self.set(round(cx + r * math.cos(angle)), round(cy - r * math.sin(angle)), colour)

    def bitmap(self, x, y, rows, colour):
        for dy, row in enumerate(rows):
            for dx, cell in enumerate(row):
                if cell == "#":
                    self.set(x + dx, y + dy, colour)

    def text(self, x, y, text, colour, font=FONT_5X7, spacing=1):
        for ch in text:
            rows = font[ch]
            self.bitmap(x, y, rows, colour)
            x += len(rows[0]) + spacing

    def centred_glyph(self, x, y, w, h, ch, colour, font=FONT_5X7):
        rows = font[ch]
        gw, gh = len(rows[0]), len(rows)
        self.bitmap(x + (w - gw) // 2, y + (h - gh) // 2, rows, colour)


class RgbCanvas:
    """A true-colour picture; strokes are blended by their coverage."""

    def __init__(self, width, height, background=(255, 255, 255)):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def shade(self, function):
        """Sets every pixel to function(x, y)."""
        for y in range(self.height):
            row = self.pixels[y]
            for x in range(self.width):
                row[x] = function(x, y)

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        alpha = min(alpha, 1.0)
        old = self.pixels[y][x]
        self.pixels[y][x] = tuple(round(o + (c - o) * alpha) for o, c in zip(old, colour))

    def fill_polygon(self, points, colour, samples=4):
        """Anti-aliased fill of a simple polygon (even-odd rule)."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        for y in range(max(0, int(min(ys))), min(self.height, int(max(ys)) + 2)):
            for x in range(max(0, int(min(xs))), min(self.width, int(max(xs)) + 2)):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        if _inside(points, x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                            hits += 1
                self.blend(x, y, colour, hits / (samples * samples))

    def stroke(self, polyline, width, colour):
        """An anti-aliased polyline with round joints and ends."""
        radius = width / 2.0
        coverage = {}
        for (x0, y0), (x1, y1) in zip(polyline, polyline[1:] or polyline):
            left, right = min(x0, x1) - radius - 1, max(x0, x1) + radius + 1
            top, bottom = min(y0, y1) - radius - 1, max(y0, y1) + radius + 1
            for y in range(max(0, int(top)), min(self.height, int(bottom) + 1)):
                for x in range(max(0, int(left)), min(self.width, int(right) + 1)):
                    # Coverage from the distance of the pixel centre to the segment.
                    d = _distance_to_segment(x + 0.5, y + 0.5, x0, y0, x1, y1)
                    a = max(0.0, min(1.0, radius + 0.5 - d))
                    if a > coverage.get((x, y), 0.0):
                        coverage[(x, y)] = a
        for (x, y), a in coverage.items():
            self.blend(x, y, colour, a)

    def bitmap(self, x, y, rows, colour, scale=1):
        for dy, row in enumerate(rows):
            for dx, cell in enumerate(row):
                if cell == "#":
                    for sy in range(scale):
                        for sx in range(scale):
                            self.blend(x + dx * scale + sx, y + dy * scale + sy, colour, 1.0)

    def text(self, x, y, text, colour, font=FONT_5X7, spacing=1, scale=1):
        for ch in text:
            rows = font[ch]
            self.bitmap(x, y, rows, colour, scale)
            x += (len(rows[0]) + spacing) * scale

    @staticmethod
    def text_width(text, font=FONT_5X7, spacing=1, scale=1):
        return sum((len(font[ch][0]) + spacing) * scale for ch in text) - spacing * scale


def _distance_to_segment(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
    return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))


def _inside(points, x, y):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def ellipse_points(cx, cy, rx, ry, start_deg, end_deg, steps=24):
    """Points along an ellipse, angles counter-clockwise from three o'clock."""
    points = []
    for i in range(steps + 1):
        angle = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        points.append((cx + rx * math.cos(angle), cy - ry * math.sin(angle)))
    return points
