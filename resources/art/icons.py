"""The icons of the property pages, each a 32 x 32 picture in 16 colours.

Every function returns an IconCanvas; ICONS maps the file name that
art.rc names to the function that draws it.
"""

from drawing import (BLACK, BLUE, BOLD_A, DIGITS_3X5, GRAY, GREEN, NAVY, RED,
                     SILVER, TEAL, WHITE, YELLOW, IconCanvas)


def sheet(c, x, y, w, h, fill=WHITE, fold=True):
    """A sheet of paper: black edge, grey shadow, folded top right corner."""
    c.fill_rect(x + 1, y + h, w, 1, GRAY)
    c.fill_rect(x + w, y + 1, 1, h, GRAY)
    c.fill_rect(x, y, w, h, fill)
    c.frame(x, y, w, h, BLACK)
    size = max(2, min(w, h) // 5) if fold and min(w, h) >= 9 else 0
    if size:
        for i in range(size):
            for j in range(size - i):
                c.set(x + w - 1 - j, y + i, None)
        c.line(x + w - 1 - size, y, x + w - 1, y + size, BLACK)
        for i in range(1, size):
            c.line(x + w - 1 - size + i, y + 1, x + w - 1 - size + i, y + i, SILVER)
        c.fill_rect(x + w - size, y + size + 1, size, 0, GRAY)


# ---- Papers: real proportions, standing on one base line ---------------------

PAPER_SIZES_MM = {
    "paper_a3": (297, 420), "paper_b4": (257, 364), "paper_a4": (210, 297),
    "paper_b5": (182, 257), "paper_a5": (148, 210), "paper_letter": (216, 279),
    "paper_legal": (216, 356), "paper_postcard": (100, 148),
    "paper_invoice": (140, 216), "paper_ledger": (279, 432),
}


def paper(name, ruled=False):
    width_mm, length_mm = PAPER_SIZES_MM[name]
    scale = 30.0 / 432  # the largest sheet fills the icon's height
    w, h = max(5, round(width_mm * scale)), max(7, round(length_mm * scale))
    c = IconCanvas()
    x, y = (31 - w) // 2, 31 - h
    sheet(c, x, y, w, h)
    if ruled:  # a form: the invoice, of nearly the size of A5
        for row in range(y + 5, y + h - 2, 3):
            c.fill_rect(x + 2, row, w - 4, 1, SILVER)
    return c


def paper_user():
    c = IconCanvas()
    sheet(c, 5, 2, 21, 28)
    c.disc(15, 11, 3.6, TEAL)          # head
    for dy in range(7):                 # shoulders
        half = 4 + dy if dy < 3 else 7
        c.fill_rect(15 - half, 17 + dy, 2 * half + 1, 1, TEAL)
    c.fill_rect(7, 24, 17, 1, WHITE)
    c.frame(8, 5, 15, 20, SILVER)
    return c


# ---- Orientation: the letter on a tall or a wide sheet -----------------------

def orientation(landscape):
    c = IconCanvas()
    x, y, w, h = (1, 6, 30, 21) if landscape else (5, 1, 21, 30)
    sheet(c, x, y, w, h)
    c.bitmap(x + (w - 8) // 2, y + (h - 10) // 2, BOLD_A, BLACK)
    return c


# ---- N in 1: numbered pages on a sheet -----------------------------------------

def cells(c, x, y, w, h, columns, rows, digits, font=None):
    """Numbered page cells filling the inside of a sheet, read row by row."""
    inner_x, inner_y, inner_w, inner_h = x + 2, y + 2, w - 4, h - 4
    cell_w = (inner_w - (columns - 1)) // columns
    cell_h = (inner_h - (rows - 1)) // rows
    for i, digit in enumerate(digits):
        cx = inner_x + (i % columns) * (cell_w + 1)
        cy = inner_y + (i // columns) * (cell_h + 1)
        c.frame(cx, cy, cell_w, cell_h, BLUE)
        if font:
            c.centred_glyph(cx, cy, cell_w, cell_h, digit, NAVY, font)
        else:
            c.centred_glyph(cx, cy, cell_w, cell_h, digit, NAVY)


def n_up(digits, landscape):
    c = IconCanvas()
    x, y, w, h = (0, 5, 31, 22) if landscape else (5, 0, 22, 31)
    sheet(c, x, y, w, h, fold=False)
    count = len(digits)
    if count == 1:
        cells(c, x, y, w, h, 1, 1, digits)
    elif count == 2:
        cells(c, x, y, w, h, 2 if landscape else 1, 1 if landscape else 2, digits)
    else:
        cells(c, x, y, w, h, 2, 2, digits, DIGITS_3X5)
    return c


# ---- Duplex: the two sides of a sheet, joined at the binding edge --------------

def flip(side_by_side, wide_pages):
    c = IconCanvas()
    if side_by_side:
        w, h = (15, 12) if wide_pages else (14, 24)
        x, y = 16 - w, (31 - h) // 2
        pages = [(x, y), (16, y)]
        spine = lambda: c.fill_rect(15, y - 1, 2, h + 2, RED)
    else:
        w, h = (26, 13) if wide_pages else (12, 15)
        x, y = (31 - w) // 2, 16 - h
        pages = [(x, y), (x, 16)]
        spine = lambda: c.fill_rect(x - 1, 15, w + 2, 2, RED)
    for px, py in pages:
        sheet(c, px, py, w, h, fold=False)
        c.centred_glyph(px, py, w, h, "A", BLACK)
    spine()
    return c


# ---- Handling pictures -----------------------------------------------------------

def shift():
    c = IconCanvas()
    for x, y in ((1, 2), (6, 7), (1, 12)):
        sheet(c, x, y, 15, 18, fold=False)
    c.fill_rect(20, 15, 7, 3, RED)             # arrow to the right
    for i in range(5):
        c.line(27 + i, 12 + i, 27 + i, 20 - i, RED)
    return c


def margin(on):
    c = IconCanvas()
    sheet(c, 5, 1, 21, 30)
    left, colour = (11, BLUE) if on else (8, BLACK)
    lengths = [14, 12, 14, 9, 14, 13, 14, 7]
    for i, length in enumerate(lengths):
        c.fill_rect(left, 6 + 3 * i, min(length, 23 - left), 1, colour)
    if on:
        for y in range(3, 30, 2):
            c.set(9, y, RED)
    return c


def fan(positions, digits, fills, w=12, h=16):
    """Overlapping sheets, back to front, each numbered in its visible corner."""
    c = IconCanvas()
    for (x, y), digit, fill in zip(positions, digits, fills):
        sheet(c, x, y, w, h, fill, fold=False)
        c.bitmap(x + 2, y + 2, DIGITS_3X5[digit], BLACK)
    return c


# Page 2 is yellow and page 1 white, so the order shows without reading.
PAGE_FILL = {"1": WHITE, "2": YELLOW, "3": SILVER}


def sorter(sort):
    if sort:
        positions = [(1, 1), (6, 5), (14, 11), (19, 15)]
        digits = "2121"
    else:
        positions = [(1, 1), (7, 5), (13, 9), (19, 13)]
        digits = "2211"
    return fan(positions, digits, [PAGE_FILL[d] for d in digits])


def rotate():
    c = IconCanvas()
    sheet(c, 2, 11, 14, 19, fold=False)
    sheet(c, 5, 8, 14, 19, fold=False)
    sheet(c, 4, 17, 19, 13, fold=False)       # the sheet turned crosswise
    c.arc(17, 17, 11, 95, 5, GREEN, thickness=2)
    for i in range(4):                         # arrow head at the arc's end
        c.fill_rect(24 + i, 17 + i, 8 - 2 * i, 1, GREEN)
    return c


def order(digits):
    positions = [(6, 1), (11, 7), (16, 13)]
    return fan(positions, digits, [PAGE_FILL[d] for d in digits], w=13, h=17)


ICONS = {
    "flip_short_landscape": lambda: flip(side_by_side=True, wide_pages=True),
    "flip_short_portrait": lambda: flip(side_by_side=False, wide_pages=False),
    "flip_long_landscape": lambda: flip(side_by_side=False, wide_pages=True),
    "flip_long_portrait": lambda: flip(side_by_side=True, wide_pages=False),
    "shift": shift,
    "margin_off": lambda: margin(False),
    "margin_on": lambda: margin(True),
    "paper_user": paper_user,
    "orient_portrait": lambda: orientation(False),
    "orient_landscape": lambda: orientation(True),
    "nup1_portrait": lambda: n_up("1", False),
    "nup1_landscape": lambda: n_up("1", True),
    "nup2_12_landscape": lambda: n_up("12", True),
    "nup2_21_landscape": lambda: n_up("21", True),
    "nup2_12_portrait": lambda: n_up("12", False),
    "nup2_21_portrait": lambda: n_up("21", False),
    "sorter_stack": lambda: sorter(False),
    "sorter_sort": lambda: sorter(True),
    "rotate": rotate,
    "order_321": lambda: order("321"),
    "order_123": lambda: order("123"),
}
for _name in PAPER_SIZES_MM:
    ICONS[_name] = (lambda n: lambda: paper(n, ruled=(n == "paper_invoice")))(_name)
for _orient in ("portrait", "landscape"):
    for _digits in ("1234", "1324", "2143", "3142"):
        ICONS["nup4_%s_%s" % (_digits, _orient)] = (
            lambda d, o: lambda: n_up(d, o == "landscape"))(_digits, _orient)
