// The ticks of the canvas rulers: drawing coordinates from the origin outwards in tiers of 1000,
// 500 and 100 units, each tier shown from its own zoom on, and only the ticks that fall inside the
// ruler's length (a far zoom-out would otherwise mean millions of strokes nobody sees). Where the
// tiers leave fewer than five labels on the ruler (a small drawing seen close, or a huge one far
// out), ticks of a 1, 2 or 5 times a power of ten step are added with labels, so that the ruler
// always reads.
#pragma once

#include <string>
#include <vector>

namespace pathloom::canvas {

struct RulerTick {
    double pixel = 0;  // position along the ruler
    double value = 0;  // the coordinate it marks, in drawing units
    int from = 0;      // extent across the ruler, in pixels from its outer edge
    int to = 24;
    std::string label;  // empty when the tick carries none
    // Where the label is written along the ruler: the x its text starts at on the top ruler,
    // the y its turned text starts at (running upwards) on the left ruler. Two pixels after the
    // tick, or moved back inside the ruler at its far end.
    double labelPixel = 0;
};

// How a ruler is laid out: its origin lies at `originPixel`, its coordinates grow by `zoom`
// pixels per unit in the direction of `growth` (+1 along x, -1 up the left ruler), and ticks are
// drawn from pixel `start` (the corner square the two rulers share stays clear) to `length`.
// A label is written 2 pixels after its tick and takes `charWidth` pixels per character; it is
// kept inside the ruler, and dropped where it would touch the label before it.
struct RulerLayout {
    double originPixel = 0;
    double zoom = 1;
    int growth = 1;
    int start = 0;
    int length = 0;
    double charWidth = 0;
};

inline constexpr int kMinRulerLabels = 5;

std::vector<RulerTick> rulerTicks(const RulerLayout& layout);

// The step of the added ticks: the smallest 1, 2 or 5 times a power of ten whose labels, written
// one after another, do not touch.
double rulerStep(const RulerLayout& layout);

}  // namespace pathloom::canvas
