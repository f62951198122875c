// The ticks of the canvas rulers: drawing coordinates from the origin outwards in tiers of 1000,
// 500 and 100 units, each tier shown from its own zoom on, and only the ticks that fall inside the
// ruler's length (a far zoom-out would otherwise mean millions of strokes nobody sees).
#pragma once

#include <vector>

namespace pathloom::canvas {

struct RulerTick {
    double pixel = 0;     // position along the ruler
    long long value = 0;  // the coordinate it marks, in drawing units
    int from = 0;         // extent across the ruler, in pixels from its outer edge
    int to = 24;
    bool labelled = false;
};

// Ticks of a ruler whose origin lies at `originPixel` and whose coordinates grow by `zoom`
// pixels per unit in the direction of `growth` (+1 along x, -1 up the left ruler), limited to
// pixels 0 to `length`.
std::vector<RulerTick> rulerTicks(double originPixel, double zoom, int growth, int length);

}  // namespace pathloom::canvas
