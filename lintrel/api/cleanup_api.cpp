// Exports of clean-up and curve precision, on lists of vects or groups and on the indexed array
// family's group chain.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "array/array_chain.h"
#include "model/list_walk.h"
#include "optimise/cleanup.h"

using namespace lintrel;

namespace {

void* arrayList() {
    return arrayChain();
}

}  // namespace

extern "C" {

LINTREL_API int Lintrel_DelLitSeg(void** list, double minWidth, double minHeight,
                                  int selectedOnly) {
    return guardedCode([&]() -> int {
        if (!list) return LINTREL_BAD_ARGUMENT;
        return deleteTinyShapes(*list, minWidth, minHeight, selectedOnly);
    });
}

LINTREL_API int Lintrel_DelSameSeg(void* list, int selectedOnly) {
    return guardedCode([&]() -> int {
        return walkVectLists(list, GroupFold::AnyChanged,
                             [&](Vect*& head) { return deleteDuplicates(head, selectedOnly); });
    });
}

LINTREL_API int Lintrel_MergeSeg(void* list, double tolerance, int selectedOnly) {
    return guardedCode([&]() -> int {
        return walkVectLists(list, GroupFold::AnyChanged, [&](Vect*& head) {
            return mergeConnected(head, tolerance, selectedOnly);
        });
    });
}

LINTREL_API int Lintrel_SplitVect(void* list, double x, double y, double tolerance, int apply) {
    return guardedCode([&]() -> int {
        return walkVectLists(list, GroupFold::FirstChanged, [&](Vect*& head) {
            return splitVect(head, {x, y}, tolerance, apply != 0);
        });
    });
}

LINTREL_API int Lintrel_ChangStartPt(void* list, double x, double y, double tolerance, int apply) {
    return guardedCode([&]() -> int {
        return walkVectLists(list, GroupFold::FirstChanged, [&](Vect*& head) {
            return changeStartPoint(head, {x, y}, tolerance, apply != 0);
        });
    });
}

LINTREL_API int Lintrel_Reverse(void* list, int selectedOnly) {
    return guardedCode([&]() -> int {
        return walkVectLists(list, GroupFold::AnyChanged,
                             [&](Vect*& head) { return reverseVects(head, selectedOnly); });
    });
}

LINTREL_API int Lintrel_IfCloseVect(void* list, int selectedOnly) {
    return guardedCode([&]() -> int {
        return walkVectLists(list, GroupFold::FirstNonZero,
                             [&](Vect*& head) { return updateClosedFlags(head, selectedOnly); });
    });
}

LINTREL_API int Lintrel_CurveSmooth(void* list, double precision, int selectedOnly, int firstOnly) {
    return guardedCode([&]() -> int {
        return walkVectLists(
            list, GroupFold::AnyChanged,
            [&](Vect*& head) {
                return smoothCurves(head, precision, selectedOnly, firstOnly != 0);
            },
            firstOnly != 0);
    });
}

LINTREL_API int Lintrel_TransSeges(void* list, double precision, int selectedOnly, int firstOnly) {
    return guardedCode([&]() -> int {
        return walkVectLists(
            list, GroupFold::AnyChanged,
            [&](Vect*& head) {
                return convertCurves(head, precision, selectedOnly, firstOnly != 0);
            },
            firstOnly != 0);
    });
}

LINTREL_API int VarnixCadArray_DelLitSeg(double minWidth, double minHeight, int selectedOnly) {
    return guardedCode([&]() -> int {
        void* list = arrayChain();
        const int result = Lintrel_DelLitSeg(&list, minWidth, minHeight, selectedOnly);
        arrayChain() = static_cast<VectGroup*>(list);
        return result;
    });
}

LINTREL_API int VarnixCadArray_DelSameSeg(int selectedOnly) {
    return guardedCode([&] { return Lintrel_DelSameSeg(arrayList(), selectedOnly); });
}

LINTREL_API int VarnixCadArray_MergeSeg(double tolerance, int selectedOnly) {
    return guardedCode([&] { return Lintrel_MergeSeg(arrayList(), tolerance, selectedOnly); });
}

LINTREL_API int VarnixCadArray_SplitVect(double x, double y, double tolerance, int apply) {
    return guardedCode([&] { return Lintrel_SplitVect(arrayList(), x, y, tolerance, apply); });
}

LINTREL_API int VarnixCadArray_ChangStartPt(double x, double y, double tolerance, int apply) {
    return guardedCode([&] { return Lintrel_ChangStartPt(arrayList(), x, y, tolerance, apply); });
}

LINTREL_API int VarnixCadArray_Reverse(void) {
    return guardedCode([&] { return Lintrel_Reverse(arrayList(), 1); });
}

LINTREL_API int VarnixCadArray_IfCloseVect(int selectedOnly) {
    return guardedCode([&] { return Lintrel_IfCloseVect(arrayList(), selectedOnly); });
}

LINTREL_API int VarnixCadArray_CurveSmooth(double precision, int selectedOnly) {
    return guardedCode(
        [&] { return Lintrel_CurveSmooth(arrayList(), precision, selectedOnly, 0); });
}

}  // extern "C"
