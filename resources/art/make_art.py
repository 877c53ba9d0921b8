#!/usr/bin/env python3
"""Draws every icon and banner of the resource library.

    make_art.py OUTPUT_DIR

writes OUTPUT_DIR/<name>.ico for each icon and OUTPUT_DIR/<name>.bmp for each
banner (the names art.rc uses). The build runs it; the output is the same
byte for byte on every run.
"""

import os
import sys

# Nothing is written into the source tree but by hand.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from banners import BANNERS  # noqa: E402
from formats import bitmap_bytes, icon_bytes  # noqa: E402
from icons import ICONS  # noqa: E402


def write(path, data):
    # Unchanged files keep their time, so the library is not relinked for nothing.
    if os.path.exists(path):
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    with open(path, "wb") as out:
        out.write(data)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in sorted(ICONS.items()):
        write(os.path.join(out, name + ".ico"), icon_bytes(draw()))
    for name, draw in sorted(BANNERS.items()):
        write(os.path.join(out, name + ".bmp"), bitmap_bytes(draw()))


if __name__ == "__main__":
    main()
