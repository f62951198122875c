// Inner shapes first: an order that some sort produced, changed only where a shape would be cut
// after a closed outline enclosing it (cutting the outline first frees the part, and whatever
// lies inside it moves before it is cut).
#pragma once

#include <lintrel/lintrel.h>

#include <span>
#include <vector>

#include "optimise/short_travel.h"

namespace lintrel {

// How an order is mended. `parent[i]` is the nearest encloser of item i (an item of the same
// order, or -1); items are numbered in the order's own sequence.
enum class InnerFirstRule {
    // When a shape comes up whose descendants are not all cut, those are cut first, among
    // themselves by the same rule and in their own order: a part is cut where the order first
    // reaches any of it.
    PullForward,
    // A shape waits until its last descendant is cut.
    Defer,
};
std::vector<int> innerFirstOrder(std::span<const int> parent, InnerFirstRule rule);

// Mends the order of one vect list: the vects taking part (all, or the selected ones) are
// reordered among their own places, the others stay. Containment among them is judged on
// their outlines flattened at `precision`. `rule` none picks, by tool-up travel between the
// vects' ends, the better of the two rules. 0 when the order changed, 100 otherwise.
int innerFirstList(Vect*& head, bool selectedOnly, double precision, const InnerFirstRule* rule);

// The finish the shortest-travel sort gives every order it weighs: each vect list mended (the
// rule chosen as for `innerFirstList` without one), then one pass of the start-point
// optimisation. Its replay makes the same changes to an exact copy of the drawing it finished.
OrderFinish innerFirstFinish(bool selectedOnly);

// The shortest-travel sort with inner shapes first: every order the sort weighs (its tour and
// the default order that guards it) is mended, the start points of closed outlines are then
// optimised again, and the shorter wins. `list` as for the sort.
int innerFirstShortTravelSort(void** list, bool allowReverse, bool selectedOnly);

}  // namespace lintrel
