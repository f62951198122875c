// The automatic clean-up and ordering run after every import: the six steps in their fixed order,
// each with its status text and its error message.
#pragma once

#include <lintrel/lintrel.h>

#include "core/document/status_sink.h"
#include "core/settings/settings.h"
#include "core/text/texts.h"

namespace pathloom {

// Runs the enabled steps on `*drawing`. Each step accepts 0 and 100; any other code shows the
// step's message and ends the run there. Returns false when a step failed, or when the sink asks
// to stop (checked before each step; a step the library stopped returns LINTREL_CANCELLED and
// is not reported). When a step leaves
// nothing of the drawing, `emptiedBy` (if given) receives that step's name.
bool runAutoOptimize(VectGroup** drawing, const AutoOptimizeSettings& steps, StatusSink& sink,
                     Text* emptiedBy = nullptr);

// The same settings with all six steps off: the drawing stays as the reader made it (units are
// still converted).
AutoOptimizeSettings withoutSteps(AutoOptimizeSettings settings);

// One sort as the import steps and the sort menu run it.
struct SortRun {
    int sortBy = kSortByDefault;  // 0 grid, 1 to 7 the automatic sort modes, 8 shortest travel
    bool allowReverse = false;
    bool selectedOnly = false;
    double gridCell = 100;  // the grid sort's cell, in both directions
    // No shape after a closed shape enclosing it, containment judged at `precision`.
    bool innerFirst = false;
    double precision = 0.05;
};
// Returns the library's code: 0 when the order changed, 100 when nothing did.
int sortDrawing(void** list, const SortRun& run);

// Travel optimisation as the program runs it: repeated while it changes something, at most five
// calls. Returns the last code.
int optimizeTravel(VectGroup* drawing, double tolerance, int selectedOnly);

}  // namespace pathloom
