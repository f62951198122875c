// Moving, scaling and rotating items in place (their bounding rectangles are measured in
// curves/range.h). The "one" forms act on the given item (a group's vects, a whole graph); the
// ring forms act on every item of the ring. Results are the library's codes.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

namespace lintrel {

enum class Reach { One, Ring };

// Calls `f` on the item alone, or on every item of its ring.
template <class T, class F>
void eachReached(T& item, Reach reach, F f) {
    if (reach == Reach::One)
        f(item);
    else
        for (T* p : ring(&item))
            f(*p);
}

int moveItem(void* item, Reach reach, double dx, double dy);
int scaleItem(void* item, Reach reach, float sx, float sy, float cx, float cy);
int rotateItem(void* item, Reach reach, float angle, double cx, double cy);

// Axis-aligned rectangle in single precision: lower-left corner, width, height.
struct RectF {
    float x = 0, y = 0, width = 0, height = 0;
};

}  // namespace lintrel
