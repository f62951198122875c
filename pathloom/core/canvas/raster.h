// Rasterising the scene straight into a 32-bit pixel buffer: one-pixel lines (solid or dotted),
// discs for points and start dots, the grid and the origin cross, clipped to the buffer. Writing
// spans ourselves keeps a full repaint of a million segments well inside a frame.
#pragma once

#include <cstdint>

#include "core/canvas/scene.h"

namespace pathloom::canvas {

// A view of 32-bit pixels; `stride` counts pixels per row.
struct PixelBuffer {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * stride + x]; }
};

// A dotted line's pattern: two pixels on, two off, carried on from one segment to the next.
struct DotPhase {
    int step = 0;
};

void fill(PixelBuffer& image, Colour colour);
void drawLine(PixelBuffer& image, int x0, int y0, int x1, int y1, Colour colour,
              DotPhase* dots = nullptr);
void drawDisc(PixelBuffer& image, int cx, int cy, int diameter, Colour colour);

// Background, depth tint, grid, origin cross, vects, travel moves and start dots, in this order.
// Order numbers and rulers carry text and are the window's part.
void paintScene(PixelBuffer& image, const Scene& scene);

}  // namespace pathloom::canvas
