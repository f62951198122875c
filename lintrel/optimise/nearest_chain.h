// The nearest-neighbour sort of mode 1 (and of mode 3 with reversal on arcs whose reversed ends
// move by rounding), reproducing the selection scan that stored jobs were made with.
#pragma once

#include "model/geometry.h"
#include "optimise/end_screen.h"
#include "optimise/sort_list.h"

namespace lintrel {

// Each position keeps its vect until a later one is nearer the reference point (the end of the
// vect before it, or `centre` when given), which then swaps in and is compared from then on.
// Without reversal a vect must be nearer by more than `margin`; with reversal either end counts
// and the nearer end becomes the start. The list is reordered and its reversals recorded.
// `lanes` chooses the screen's width (and with it the scan's form), for tests.
void nearestSort(SortList& list, bool allowReverse, double margin, const Point* centre,
                 EndScreen::Lanes lanes = EndScreen::Lanes::Widest);

}  // namespace lintrel
