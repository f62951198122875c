// Exports of the item family's transforms and ranges, in their "one" and ring forms.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "curves/range.h"
#include "model/transform.h"

using namespace lintrel;

namespace {

int range(void* item, Reach reach, float* x, float* y, float* width, float* height,
          double precision) {
    if (!item) return LINTREL_BAD_ARGUMENT;
    RectF r;
    const int code = rangeOf(item, reach, precision, r);
    if (code != LINTREL_OK) return code;
    if (x) *x = r.x;
    if (y) *y = r.y;
    if (width) *width = r.width;
    if (height) *height = r.height;
    return LINTREL_OK;
}

}  // namespace

extern "C" {

LINTREL_API int VarnixCad3_MoveOne(void* item, double dx, double dy) {
    return guardedCode(
        [&] { return item ? moveItem(item, Reach::One, dx, dy) : LINTREL_BAD_ARGUMENT; });
}
LINTREL_API int VarnixCad3_Move(void* item, double dx, double dy) {
    return guardedCode(
        [&] { return item ? moveItem(item, Reach::Ring, dx, dy) : LINTREL_BAD_ARGUMENT; });
}
LINTREL_API int VarnixCad3_ScaleOne(void* item, float sx, float sy, float cx, float cy) {
    return guardedCode(
        [&] { return item ? scaleItem(item, Reach::One, sx, sy, cx, cy) : LINTREL_BAD_ARGUMENT; });
}
LINTREL_API int VarnixCad3_Scale(void* item, float sx, float sy, float cx, float cy) {
    return guardedCode(
        [&] { return item ? scaleItem(item, Reach::Ring, sx, sy, cx, cy) : LINTREL_BAD_ARGUMENT; });
}
LINTREL_API int VarnixCad3_RotateOne(void* item, float angle, double cx, double cy) {
    return guardedCode(
        [&] { return item ? rotateItem(item, Reach::One, angle, cx, cy) : LINTREL_BAD_ARGUMENT; });
}
LINTREL_API int VarnixCad3_Rotate(void* item, float angle, double cx, double cy) {
    return guardedCode(
        [&] { return item ? rotateItem(item, Reach::Ring, angle, cx, cy) : LINTREL_BAD_ARGUMENT; });
}
LINTREL_API int VarnixCad3_GetRangeOne(void* item, float* x, float* y, float* width, float* height,
                                       double precision) {
    return guardedCode([&] { return range(item, Reach::One, x, y, width, height, precision); });
}
LINTREL_API int VarnixCad3_GetRange(void* item, float* x, float* y, float* width, float* height,
                                    double precision) {
    return guardedCode([&] { return range(item, Reach::Ring, x, y, width, height, precision); });
}

}  // extern "C"
