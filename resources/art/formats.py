"""Writes pictures as Windows icon (.ico) and bitmap (.bmp) files."""

import struct

from drawing import PALETTE


def icon_bytes(canvas):
    """One 4-bit image with its transparency mask, as an .ico file."""
    width, height = canvas.width, canvas.height
    xor_stride = ((width * 4 + 31) // 32) * 4
    and_stride = ((width + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for y in reversed(range(height)):  # device-independent bitmaps run bottom-up
        row = canvas.pixels[y]
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, colour in enumerate(row):
            index = 0 if colour is None else colour
            xor[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if colour is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image_size = len(xor_rows) * xor_stride + len(and_rows) * and_stride
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, image_size, 0, 0, 16, 0)
    image = info + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def bitmap_bytes(canvas):
    """A 24-bit bitmap file."""
    width, height = canvas.width, canvas.height
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for r, g, b in canvas.pixels[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    image = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + image
