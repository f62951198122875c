// Exports of ordering and travel optimisation: argument checks and the walk over a list of
// groups or of vects; the work is in optimise/.
#include <lintrel/lintrel.h>

#include "optimise/ordering.h"
#include "optimise/sort_walk.h"

using namespace lintrel;

extern "C" {

LINTREL_API int Lintrel_AutoSort(void** list, int mode, int allowReverse, int selectedOnly) {
    if (!list || !*list) return LINTREL_BAD_ARGUMENT;
    if ((mode < 1 || mode > 7) && mode != 10) return LINTREL_NOT_AVAILABLE;
    return forEachVectList(list, [&](Vect*& head) {
        return autoSortList(head, mode, allowReverse != 0, selectedOnly != 0);
    });
}

LINTREL_API int Lintrel_GridsSort(void** list, double cellWidth, double cellHeight,
                                  int allowReverse, int selectedOnly) {
    return forEachVectList(list, [&](Vect*& head) {
        return gridSortList(head, cellWidth, cellHeight, allowReverse != 0, selectedOnly != 0);
    });
}

LINTREL_API int Lintrel_HandSort(void** list, int mode) {
    return forEachVectList(list, [&](Vect*& head) { return handSortList(head, mode); });
}

LINTREL_API int Lintrel_OptimizeAbs(VectGroup* first, double tolerance, int selectedOnly) {
    return optimizeStartPoints(first, tolerance, selectedOnly != 0);
}

}  // extern "C"
