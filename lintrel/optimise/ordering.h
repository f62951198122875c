// Ordering of vect lists: the automatic sorts, the grid sort, the manual moves and the start
// point optimisation of closed outlines. Each works on one vect list (`head` is updated when
// the first vect changes) and returns the library's codes.
#pragma once

#include <lintrel/lintrel.h>

#include <optional>
#include <vector>

#include "model/geometry.h"

namespace lintrel {

// The automatic sorts, by the numbers the exports and stored settings give them.
enum class SortMode {
    Nearest = 1,       // nearest neighbour from the origin (the exact selection scan)
    SmallFirst = 2,    // by the larger side of the bounding box, smaller first
    InsideOut = 3,     // by distance from the centre of the list's extent
    LeftFirst = 4,     // by the left edge of the bounding box
    RightFirst = 5,    // by the right edge, rightmost first
    TopFirst = 6,      // by the top edge, topmost first
    BottomFirst = 7,   // by the bottom edge
    ShortTravel = 8,   // shortest travel, a drawing-wide tour: its own export (short_travel.h)
    ChainFollow = 10,  // each next vect starts where the last ended, else the nearest
};
// The mode a number names; none for a number that names no mode.
std::optional<SortMode> sortModeOf(int number);

// The manual moves of the selected vects, by their numbers.
enum class HandMove {
    Forward = 1,       // one place towards the front
    Backward = 2,      // one place towards the end
    ToFront = 3,       // all to the front, in their order
    ToEnd = 4,         // all to the end, in their order
    ReverseOrder = 5,  // their order among themselves reversed
};
std::optional<HandMove> handMoveOf(int number);

int autoSortList(Vect*& head, SortMode mode, bool allowReverse, bool selectedOnly);
// Every list of a group list, as `walkVectLists` with `GroupFold::AnyChanged` would sort them in
// turn. The lists are independent, so the nearest-neighbour sort (quadratic) sorts long ones
// side by side, the longest first, on `workerThreads` threads; the results do not depend on
// the thread count, and a stop asked for on the calling thread stops all of them before any
// has changed its list, or none.
int autoSortGroups(VectGroup* first, SortMode mode, bool allowReverse, bool selectedOnly);
int gridSortList(Vect*& head, double cellWidth, double cellHeight, bool allowReverse,
                 bool selectedOnly);
int handSortList(Vect*& head, HandMove move);
// Over a chain of vect groups. With `record`, what it changed is written there, so that
// `replayStartMoves` can make the same changes to an exact copy of the drawing without working
// them out again.
struct StartMove {
    int vect;  // index in drawing order: groups in order, each group's vects in list order
    Point at;
};
struct StartMoves {
    bool builtFlatSegs = false;  // a curve was missing its flattened copy
    std::vector<StartMove> moves;
};
int optimizeStartPoints(VectGroup* first, double tolerance, bool selectedOnly,
                        StartMoves* record = nullptr);
void replayStartMoves(VectGroup* first, double tolerance, const StartMoves& record);

}  // namespace lintrel
