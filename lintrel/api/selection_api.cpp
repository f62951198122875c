// Exports of selection, on any vect or group chain and on the indexed array family's chain.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "array/array_chain.h"
#include "editing/selection.h"
#include "model/frame.h"

using namespace lintrel;

extern "C" {

LINTREL_API int Lintrel_ClearSelect(void* item) {
    return guardedCode([&] { return clearSelection(item); });
}

LINTREL_API int Lintrel_SelectAll(void* item) {
    return guardedCode([&] { return selectAll(item); });
}

LINTREL_API int Lintrel_SelectInvert(void* item) {
    return guardedCode([&] { return invertSelection(item); });
}

LINTREL_API int Lintrel_GetSelNum(void* item) {
    return guardedCall(-1, [&] {
        const int count = countSelected(item);
        if (count < 0) frame::setLastError(LINTREL_BAD_ARGUMENT);
        return count;
    });
}

LINTREL_API int Lintrel_ClickSelect(void* item, double px, double py, double tolerance,
                                    int additive) {
    return guardedCode([&] {
        return clickSelect(item, {px, py}, tolerance, (additive & 0xFF) != 0);
    });
}

LINTREL_API int Lintrel_BoxSelect(void* item, double fromX, double fromY, double toX, double toY,
                                  int additive) {
    return guardedCode([&] {
        return boxSelect(item, {fromX, fromY}, {toX, toY}, (additive & 0xFF) != 0);
    });
}

LINTREL_API int Lintrel_GetSelRange(void* item, float* x, float* y, float* width, float* height,
                                    double precision) {
    return guardedCode([&]() -> int {
        if (!x || !y || !width || !height) return LINTREL_BAD_ARGUMENT;
        RectF r;
        const int result = selectionRange(item, precision, r);
        if (result != LINTREL_OK) return result;
        *x = r.x;
        *y = r.y;
        *width = r.width;
        *height = r.height;
        return LINTREL_OK;
    });
}

LINTREL_API int Lintrel_SelVectGroup(VectGroup* first, int number) {
    return guardedCode([&] { return selectGroup(first, number); });
}

LINTREL_API int Lintrel_ChangeVectGroup(VectGroup** first, int number) {
    return guardedCode([&]() -> int {
        if (!first) return LINTREL_BAD_ARGUMENT;
        return moveSelectionToGroup(*first, number);
    });
}

LINTREL_API int VarnixCadArray_SelOne(double px, double py, double tolerance, int additive) {
    return guardedCode(
        [&] { return Lintrel_ClickSelect(arrayChain(), px, py, tolerance, additive); });
}

LINTREL_API int VarnixCadArray_SelLeftToRight(double fromX, double fromY, double toX, double toY,
                                              int additive) {
    return guardedCode([&]() -> int {
        if (fromX > toX) return LINTREL_BAD_ARGUMENT;
        return Lintrel_BoxSelect(arrayChain(), fromX, fromY, toX, toY, additive);
    });
}

LINTREL_API int VarnixCadArray_SelRightToLeft(double fromX, double fromY, double toX, double toY,
                                              int additive) {
    return guardedCode([&]() -> int {
        if (fromX < toX) return LINTREL_BAD_ARGUMENT;
        return Lintrel_BoxSelect(arrayChain(), fromX, fromY, toX, toY, additive);
    });
}

LINTREL_API int VarnixCadArray_SelVectGroup(int number) {
    return guardedCode([&] { return Lintrel_SelVectGroup(arrayChain(), number); });
}

LINTREL_API int VarnixCadArray_ChangeVectGroup(int number) {
    return guardedCode([&] { return Lintrel_ChangeVectGroup(&arrayChain(), number); });
}

}  // extern "C"
