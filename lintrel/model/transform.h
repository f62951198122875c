// Moving, scaling and rotating items in place, and measuring their bounding rectangles. The
// "one" forms act on the given item (a group's vects, a whole graph); the ring forms act on every
// item of the ring. Results are the library's codes.
#pragma once

#include <lintrel/lintrel.h>

namespace lintrel {

enum class Reach { One, Ring };

int moveItem(void* item, Reach reach, double dx, double dy);
int scaleItem(void* item, Reach reach, float sx, float sy, float cx, float cy);
int rotateItem(void* item, Reach reach, float angle, double cx, double cy);

// Axis-aligned rectangle in single precision: lower-left corner, width, height.
struct RectF {
    float x = 0, y = 0, width = 0, height = 0;
};

// Measures an item; curves without a flattened copy are flattened at `precision` on a copy.
// Returns 0, 21000 or 21003; `out` is written only on success.
int rangeOf(void* item, Reach reach, double precision, RectF& out);

}  // namespace lintrel
