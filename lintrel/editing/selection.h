// Selection kept in the vects' `selected` flags: clear, all, invert, count, click and box
// selection (compounds go together), the selection's range, and selection by group number.
// Each takes the first group of a group chain or the first vect of a vect chain and returns the
// library's codes.
#pragma once

#include <lintrel/lintrel.h>

#include "model/geometry.h"
#include "model/transform.h"

namespace lintrel {

int clearSelection(void* item);
int selectAll(void* item);
int invertSelection(void* item);
// Number of selected vects, or -1 for a bad item.
int countSelected(void* item);

// True when the point lies within `tolerance` of the vect's path.
bool vectHit(const Vect& v, Point p, double tolerance);

int clickSelect(void* item, Point p, double tolerance, bool additive);
// Window mode when `from` lies left of `to`, crossing mode when right of it.
int boxSelect(void* item, Point from, Point to, bool additive);
// Union of the selected vects' rectangles; all zero when none is selected.
int selectionRange(void* item, double precision, RectF& out);

int selectGroup(VectGroup* first, int number);
// Moves the selected vects into the group `number` (made when missing) and leaves `first` at
// the lowest-numbered remaining group.
int moveSelectionToGroup(VectGroup*& first, int number);

}  // namespace lintrel
