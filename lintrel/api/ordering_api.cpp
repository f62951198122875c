// Exports of ordering and travel optimisation: argument checks and the walk over a list of
// groups or of vects; the work is in optimise/.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "array/array_chain.h"
#include "model/list_walk.h"
#include "optimise/ordering.h"
#include "optimise/short_travel.h"
#include "optimise/travel.h"

using namespace lintrel;

namespace {

// Runs an ordering export on the array family's current list, which it may re-head.
template <class Export>
int onArrayChain(const Export& run) {
    void* list = arrayChain();
    const int result = run(&list);
    arrayChain() = static_cast<VectGroup*>(list);
    return result;
}

int arrayAutoSort(SortMode mode, int allowReverse, int selectedOnly) {
    return onArrayChain([&](void** list) {
        return Lintrel_AutoSort(list, static_cast<int>(mode), allowReverse, selectedOnly);
    });
}

}  // namespace

extern "C" {

LINTREL_API int Lintrel_AutoSort(void** list, int mode, int allowReverse, int selectedOnly) {
    return guardedCode([&]() -> int {
        if (!list || !*list) return LINTREL_BAD_ARGUMENT;
        const std::optional<SortMode> sortMode = sortModeOf(mode);
        if (!sortMode) return LINTREL_NOT_AVAILABLE;
        if (baseTypeOf(*list) == LINTREL_BASE_GROUP)
            return autoSortGroups(static_cast<VectGroup*>(*list), *sortMode, allowReverse != 0,
                                  selectedOnly != 0);
        return walkVectLists(list, GroupFold::AnyChanged, [&](Vect*& head) {
            return autoSortList(head, *sortMode, allowReverse != 0, selectedOnly != 0);
        });
    });
}

LINTREL_API int Lintrel_GridsSort(void** list, double cellWidth, double cellHeight,
                                  int allowReverse, int selectedOnly) {
    return guardedCode([&]() -> int {
        return walkVectLists(list, GroupFold::AnyChanged, [&](Vect*& head) {
            return gridSortList(head, cellWidth, cellHeight, allowReverse != 0, selectedOnly != 0);
        });
    });
}

LINTREL_API int Lintrel_HandSort(void** list, int mode) {
    return guardedCode([&]() -> int {
        const std::optional<HandMove> move = handMoveOf(mode);
        return walkVectLists(list, GroupFold::AnyChanged, [&](Vect*& head) {
            return move ? handSortList(head, *move) : int{LINTREL_BAD_ARGUMENT};
        });
    });
}

LINTREL_API int Lintrel_OptimizeAbs(VectGroup* first, double tolerance, int selectedOnly) {
    return guardedCode([&] { return optimizeStartPoints(first, tolerance, selectedOnly != 0); });
}

LINTREL_API int VarnixCadArray_GridsSort(double cellWidth, double cellHeight, int allowReverse,
                                         int selectedOnly) {
    return guardedCode([&]() -> int {
        return onArrayChain([&](void** list) {
            return Lintrel_GridsSort(list, cellWidth, cellHeight, allowReverse, selectedOnly);
        });
    });
}

LINTREL_API int VarnixCadArray_MinAbsSort(int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return arrayAutoSort(SortMode::Nearest, allowReverse, selectedOnly); });
}
LINTREL_API int VarnixCadArray_MinVectSort(int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return arrayAutoSort(SortMode::SmallFirst, allowReverse, selectedOnly); });
}
LINTREL_API int VarnixCadArray_InSort(int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return arrayAutoSort(SortMode::InsideOut, allowReverse, selectedOnly); });
}
LINTREL_API int VarnixCadArray_LeftSort(int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return arrayAutoSort(SortMode::LeftFirst, allowReverse, selectedOnly); });
}
LINTREL_API int VarnixCadArray_RightSort(int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return arrayAutoSort(SortMode::RightFirst, allowReverse, selectedOnly); });
}
LINTREL_API int VarnixCadArray_TopSort(int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return arrayAutoSort(SortMode::TopFirst, allowReverse, selectedOnly); });
}
LINTREL_API int VarnixCadArray_BottomSort(int allowReverse, int selectedOnly) {
    return guardedCode(
        [&] { return arrayAutoSort(SortMode::BottomFirst, allowReverse, selectedOnly); });
}

LINTREL_API int VarnixCadArray_HandSort(int mode) {
    return guardedCode(
        [&] { return onArrayChain([&](void** list) { return Lintrel_HandSort(list, mode); }); });
}

LINTREL_API int VarnixCadArray_ReSort(void) {
    return guardedCode(
        [&] { return VarnixCadArray_HandSort(static_cast<int>(HandMove::ReverseOrder)); });
}

LINTREL_API int VarnixCadArray_OptimizeAbs(double tolerance, int selectedOnly) {
    return guardedCode([&] { return Lintrel_OptimizeAbs(arrayChain(), tolerance, selectedOnly); });
}

LINTREL_API int Lintrel_ShortTravelSort(void** list, int allowReverse, int selectedOnly) {
    return guardedCode([&] { return shortTravelSort(list, allowReverse != 0, selectedOnly != 0); });
}

LINTREL_API int VarnixCadArray_ShortTravelSort(int allowReverse, int selectedOnly) {
    return guardedCode([&]() -> int {
        return onArrayChain(
            [&](void** list) { return Lintrel_ShortTravelSort(list, allowReverse, selectedOnly); });
    });
}

LINTREL_API int VarnixCad3_GetTravelLength(void* list, double* length) {
    return guardedCode([&] {
        if (!list || !length) return LINTREL_BAD_ARGUMENT;
        const int base = baseTypeOf(list);
        if (base != LINTREL_BASE_VECT && base != LINTREL_BASE_GROUP) return LINTREL_BAD_ARGUMENT;
        *length = travelDistance(list);
        return LINTREL_OK;
    });
}

}  // extern "C"
