#!/usr/bin/python3
# Writes the reference extents of the corpus SVG drawings as an independent program (librsvg)
# computes them, in millimetres with y up and the page's lower edge at y = 0:
#   svg_reference_extents.py SVG_FOLDER boxes > svg_reference_extents.inc
#       the logical box of every drawing (through librsvg's GObject bindings: Debian packages
#       gir1.2-rsvg-2.0 and python3-gi). It leaves strokes out but takes text in, and for
#       rotated or skewed shapes it is the box around their transformed boxes.
#   svg_reference_extents.py SVG_FOLDER ink FILE... > svg_ink_extents.inc
#       the box of the pixels rsvg-convert (librsvg2-bin) paints with strokes thinned to a
#       hairline and text hidden, for the drawings whose logical box is too wide. Sides where the
#       painted pixels reach the page's edge (shapes beyond the page) are NAN; the pixel size
#       is the last number.
import os
import struct
import subprocess
import sys
import tempfile
import zlib

import gi

gi.require_version("Rsvg", "2.0")
from gi.repository import Rsvg  # noqa: E402

MM_PER_PX = 25.4 / 96


def page_size(handle):
    handle.set_dpi(96)
    found, width, height = handle.get_intrinsic_size_in_pixels()
    if not found:
        dimensions = handle.get_dimensions()
        width, height = dimensions.width, dimensions.height
    return width, height


def extent(path):
    handle = Rsvg.Handle.new_from_file(path)
    width, height = page_size(handle)
    viewport = Rsvg.Rectangle()
    viewport.x, viewport.y, viewport.width, viewport.height = 0, 0, width, height
    ok, _ink, box = handle.get_geometry_for_layer(None, viewport)
    if not ok or box.width <= 0 and box.height <= 0:
        return None
    return (box.x * MM_PER_PX, (height - box.y - box.height) * MM_PER_PX,
            (box.x + box.width) * MM_PER_PX, (height - box.y) * MM_PER_PX)


def unfiltered_rows(path):
    data = open(path, "rb").read()
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height = struct.unpack(">II", chunk[:8])
        elif kind == b"IDAT":
            idat += chunk
    raw, stride, previous, at = zlib.decompress(idat), width * 4, bytearray(width * 4), 0
    for _ in range(height):
        kind, row = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for x in range(stride):
            a = row[x - 4] if x >= 4 else 0
            b, c = previous[x], previous[x - 4] if x >= 4 else 0
            if kind == 1:
                row[x] = (row[x] + a) & 255
            elif kind == 2:
                row[x] = (row[x] + b) & 255
            elif kind == 3:
                row[x] = (row[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        yield width, height, row
        previous = row


def ink_extent(path):
    width, height = page_size(Rsvg.Handle.new_from_file(path))
    zoom = min(8.0, 2000.0 / max(width, height))
    with tempfile.TemporaryDirectory() as folder:
        css, png = os.path.join(folder, "thin.css"), os.path.join(folder, "ink.png")
        with open(css, "w") as out:
            out.write("* { stroke-width: 0.02px !important } text { display: none !important }")
        subprocess.run(["rsvg-convert", "-z", str(zoom), "-s", css, "-o", png, path], check=True)
        x0, y0, x1, y1, w, h = 10**9, 10**9, -1, -1, 0, 0
        for y, (w, h, row) in enumerate(unfiltered_rows(png)):
            painted = [x for x, alpha in enumerate(row[3::4]) if alpha > 0]
            if painted:
                x0, x1, y0, y1 = min(x0, painted[0]), max(x1, painted[-1]), min(y0, y), y
    pixel = MM_PER_PX / zoom
    side = lambda value, edge: "NAN" if edge else "%.4f" % value
    return (side(x0 * pixel, x0 == 0), side((h - y1 - 1) * pixel, y1 == h - 1),
            side((x1 + 1) * pixel, x1 == w - 1), side((h - y0) * pixel, y0 == 0), "%.4f" % pixel)


def main():
    folder = sys.argv[1]
    if sys.argv[2] == "ink":
        print("// Painted extents of corpus SVG drawings whose logical box is too wide, by "
              "rsvg-convert")
        print("// (svg_reference_extents.py): {file name, x0, y0, x1, y1, pixel size} in "
              "millimetres, y up.")
        for name in sys.argv[3:]:
            print('    {"%s", %s, %s, %s, %s, %s},' % ((name,) + ink_extent(os.path.join(folder, name))))
        return
    print("// Reference extents of the corpus SVG drawings computed by librsvg "
          "(svg_reference_extents.py):")
    print("// {file name, x0, y0, x1, y1} in millimetres, y up. Included by svg_corpus_test.cpp.")
    for name in sorted(os.listdir(folder)):
        if not name.lower().endswith(".svg"):
            continue
        box = extent(os.path.join(folder, name))
        if box:
            print('    {"%s", %.4f, %.4f, %.4f, %.4f},' % ((name,) + box))


main()
