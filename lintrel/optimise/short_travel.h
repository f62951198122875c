// The shortest-travel sort of a drawing: one tour per vect list in group order, each starting
// where the previous one ended, kept only when its travel is shorter than that of the default
// order (nearest neighbour, mode 1, followed by the travel optimisation) or, on large drawings,
// of the same rule found on an index.
#pragma once

#include <lintrel/lintrel.h>

#include <functional>
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
    int takingPart = 0;           // vects taking part in all lists
};

// Plans the tours without changing the drawing. Every vect must have its working chain built.
DrawingPlan planShortTravel(VectGroup* first, bool allowReverse, bool selectedOnly);
// Lays the plan out on the drawing it was made for, or on an exact copy of it.
void applyShortTravel(VectGroup* first, const DrawingPlan& plan, bool selectedOnly);

// Drawings with up to this many vects the sort may move are guarded by the default order
// itself. Its nearest-neighbour sort grows with the square of the count (0.25 s at 20,000
// vects, 6 s at 100,000), so larger ones are guarded by the chain following on a point index
// (mode 10: a nearest-neighbour order like mode 1's, but keeping the first vect first and
// taking a vect within 1e-4 in list order rather than the nearest), followed by the same
// travel optimisation. A drawing the tour does not shorten gets the default order itself
// either way.
constexpr int kExactGuardVects = 20'000;

// Changes made to every order the sort weighs (the tour and the guard's order), before it is
// measured, and to the one the drawing gets: a rule the order must keep (inner shapes first).
// A finish returns its replay: the same changes, made to an exact copy of the drawing as the
// finish found it, without working them out again. The drawing that gets the tour is such a
// copy of the tour measured, so it is given the replay.
using FinishReplay = std::function<void(VectGroup*)>;
using OrderFinish = std::function<FinishReplay(VectGroup*)>;

// The sort with its guard, on the list `*list` names (a group chain or a vect list, whose
// pointer follows its new first vect). 0 when sorted, 100 when no vect takes part, 21000 for a
// bad list. `exactGuardVects` is for tests. `finish` may be empty; it runs on copies of the
// drawing on two threads at once.
int shortTravelSort(void** list, bool allowReverse, bool selectedOnly,
                    int exactGuardVects = kExactGuardVects, const OrderFinish& finish = {});

// The travel optimisation of closed outlines (Lintrel_OptimizeAbs at 0.05) repeated while it
// changes something, at most five times: the step that completes the default order.
void repeatStartPointOptimisation(VectGroup* first, bool selectedOnly);

}  // namespace lintrel
