#!/usr/bin/python3
# Writes svg_reference_extents.inc: the extent of each corpus SVG drawing as an independent
# program (librsvg, through its GObject bindings) computes it, in millimetres with y up and the
# page's lower edge at y = 0. Run with the corpus's svg folder as argument (Debian packages
# gir1.2-rsvg-2.0 and python3-gi). The logical box leaves strokes out but takes text in, and
# for rotated or skewed shapes it is the box around their transformed boxes.
import os
import sys

import gi

gi.require_version("Rsvg", "2.0")
from gi.repository import Rsvg  # noqa: E402

MM_PER_PX = 25.4 / 96


def extent(path):
    handle = Rsvg.Handle.new_from_file(path)
    handle.set_dpi(96)
    found, width, height = handle.get_intrinsic_size_in_pixels()
    if not found:
        dimensions = handle.get_dimensions()
        width, height = dimensions.width, dimensions.height
    viewport = Rsvg.Rectangle()
    viewport.x, viewport.y, viewport.width, viewport.height = 0, 0, width, height
    ok, _ink, box = handle.get_geometry_for_layer(None, viewport)
    if not ok or box.width <= 0 and box.height <= 0:
        return None
    return (box.x * MM_PER_PX, (height - box.y - box.height) * MM_PER_PX,
            (box.x + box.width) * MM_PER_PX, (height - box.y) * MM_PER_PX)


def main():
    folder = sys.argv[1]
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
