// Figures of a drawing for the converter's summary: counts, extent, cut length, tool-up travel
// and an estimate of the machining time.
#pragma once

#include <lintrel/lintrel.h>

#include "core/presets/process.h"

namespace pathloom {

struct DrawingFigures {
    int groups = 0;
    int vects = 0;
    int segs = 0;  // segs of the working chains
    bool hasExtent = false;
    float x = 0, y = 0, width = 0, height = 0;
    double cutLength = 0;      // along every vect's working chain (an arc by its exact length)
    double travel = 0;         // tool up: from the origin through every vect and back
    double cutSeconds = 0;     // each vect's length at its own speed
    double travelSeconds = 0;  // travel at the machine's travel speed
};

// Measures the drawing as it is; vects of a kind that has no line form yet (Bezier curves, text)
// are measured along a flattened copy at 0.05.
DrawingFigures measureDrawing(VectGroup* drawing, const MachineParameters& machine);

}  // namespace pathloom
