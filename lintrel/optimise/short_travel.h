// The shortest-travel sort of a drawing: one tour per vect list in group order, each starting
// where the previous one ended, kept only when its travel is shorter than that of the default
// order (nearest neighbour, mode 1, followed by the travel optimisation).
#pragma once

#include <lintrel/lintrel.h>

#include <vector>

#include "optimise/tour.h"

namespace lintrel {

// The tours of every vect list of a group chain, with the list positions they fill.
struct DrawingPlan {
    struct ListPlan {
        std::vector<int> slots;  // positions of the vects taking part
        TourInput input;
        TourPlan tour;
    };
    std::vector<ListPlan> lists;  // one per group with vects, in group order
    bool anyTakingPart = false;
};

// Plans the tours without changing the drawing. Every vect must have its working chain built.
DrawingPlan planShortTravel(VectGroup* first, bool allowReverse, bool selectedOnly);
// Lays the plan out on the drawing it was made for, or on an exact copy of it.
void applyShortTravel(VectGroup* first, const DrawingPlan& plan, bool selectedOnly);

// The sort with its guard, on the list `*list` names (a group chain or a vect list, whose
// pointer follows its new first vect). 0 when sorted, 100 when no vect takes part, 21000 for a
// bad list.
int shortTravelSort(void** list, bool allowReverse, bool selectedOnly);

}  // namespace lintrel
