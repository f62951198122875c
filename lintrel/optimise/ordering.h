// Ordering of vect lists: the automatic sorts, the grid sort, the manual moves and the start
// point optimisation of closed outlines. Each works on one vect list (`head` is updated when
// the first vect changes) and returns the library's codes.
#pragma once

#include <lintrel/lintrel.h>

namespace lintrel {

// Modes 1 to 7 and 10; 21001 for any other mode.
int autoSortList(Vect*& head, int mode, bool allowReverse, bool selectedOnly);
int gridSortList(Vect*& head, double cellWidth, double cellHeight, bool allowReverse,
                 bool selectedOnly);
// Modes 1 (forward) to 5 (reverse order); 21000 for any other mode.
int handSortList(Vect*& head, int mode);
// Over a chain of vect groups.
int optimizeStartPoints(VectGroup* first, double tolerance, bool selectedOnly);

}  // namespace lintrel
