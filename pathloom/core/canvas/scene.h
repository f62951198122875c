// The canvas's scene: everything the drawing area shows of a drawing, already mapped to pixels
// and reduced to what the pixels can show (consecutive points in one pixel become one), in
// painting order. It is built once per change of the drawing or of the view and then rasterised;
// the geometry stays in the drawing.
#pragma once

#include <cstdint>
#include <vector>

#include <lintrel/lintrel.h>

#include "core/canvas/view_transform.h"
#include "core/codegen/cut_paths.h"

namespace pathloom::canvas {

// 0xAARRGGBB with an opaque alpha, as 32-bit images hold pixels.
using Colour = uint32_t;
inline constexpr Colour rgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<Colour>(r) << 16) | (static_cast<Colour>(g) << 8) |
           static_cast<Colour>(b);
}

inline constexpr Colour kOpenColour = rgb(255, 0, 0);
inline constexpr Colour kSelectedColour = rgb(255, 215, 0);
inline constexpr Colour kSelectedPointColour = rgb(238, 199, 16);
inline constexpr Colour kTravelColour = rgb(255, 0, 0);
inline constexpr Colour kGridColour = rgb(24, 24, 24);
inline constexpr Colour kStartColour = rgb(255, 255, 255);
inline constexpr Colour kOriginColour = rgb(255, 0, 0);
// The hollow squares at both ends of an open shape: a red outline and an open red shape look
// alike by colour alone.
inline constexpr Colour kOpenEndColour = rgb(255, 255, 255);
inline constexpr int kOpenEndHalf = 3;
// The cut paths beside the drawing: kerf-compensated paths, and leads with overcuts.
inline constexpr Colour kOffsetColour = rgb(0, 190, 255);
inline constexpr Colour kLeadColour = rgb(255, 140, 0);
// The containment depth tint: closed shapes filled by how many closed shapes enclose them, in
// dark colours taken in turn, so that every line drawn over them stays bright against its fill.
inline constexpr Colour kDepthColours[4] = {rgb(24, 36, 72), rgb(22, 60, 34), rgb(74, 38, 22),
                                            rgb(58, 28, 74)};
Colour depthColour(int depth);

// The colour a group is painted in: its own colour, or for colour 0 (which would vanish on the
// black background) the palette colour of its number, or white beyond the palette.
Colour groupColour(const VectGroup& group);
// Palette entry of group number 1 to 20 (0x00BBGGRR as the groups carry colours).
uint32_t paletteValue(int number);

struct Pen {
    Colour colour = 0;
    bool dotted = false;
    int width = 1;  // 1 for lines; points are discs of this diameter
    bool operator==(const Pen&) const = default;
};

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A run of connected pixel points drawn with one pen; one point alone is a dot.
struct Stroke {
    uint32_t pen = 0;
    uint32_t first = 0;  // index into Scene::points
    uint32_t count = 0;
};

struct OrderLabel {
    PixelPoint at;
    int number = 0;
};

// A closed shape's outline, filled (even-odd) under everything else.
struct Fill {
    Colour colour = 0;
    uint32_t first = 0;  // index into Scene::points
    uint32_t count = 0;
};

struct Layers {
    bool showOpen = true;
    bool showTravel = true;
    bool showOrder = false;
    bool showStart = true;
    bool showDirection = true;
    bool showGrid = false;
    bool showDepth = false;  // closed shapes filled by their containment depth
};

struct Scene {
    int width = 1, height = 1;
    double zoom = 1;
    PointD origin;      // pixel of the drawing's (0, 0)
    double scale = 1;   // display scale
    bool grid = false;  // the grid is shown at this zoom
    std::vector<Pen> pens;
    std::vector<PixelPoint> points;
    std::vector<Stroke> strokes;       // vects with their arrows, then travel moves, in chain order
    std::vector<Fill> fills;           // the depth tint, shallowest first
    std::vector<PixelPoint> starts;    // where each cut pierces
    std::vector<PixelPoint> openEnds;  // both ends of each open shape big enough on the screen
    std::vector<OrderLabel> orders;
    size_t inputSegments = 0;  // segs visited, for the record
};

// The precision the depth tint judges containment at, in mm.
inline constexpr double kDepthPrecision = 0.01;

// The containment depth of each vect of `drawing` in chain order (how many closed vects enclose
// it), judged at `precision`; empty for no drawing or when the library refuses.
std::vector<int> containmentDepths(const VectGroup* drawing, double precision);

// The scene of `drawing` (may be null) under `view` with the layers switched on; `scale` is the
// display scale. With `cuts`, the paths its presets shape are drawn over the drawing: leads and
// overcuts in the lead pen, offset paths in the offset pen (dotted), the drawing left as drawn;
// travel moves, start dots and order numbers then follow the cut paths, from where each cut
// ends to where the next pierces, as the program moves. With the depth layer on, `depths`
// (from containmentDepths) tints the closed shapes.
Scene buildScene(const VectGroup* drawing, const ViewTransform& view, const Layers& layers,
                 double scale, const CutPaths* cuts = nullptr,
                 const std::vector<int>* depths = nullptr);

}  // namespace pathloom::canvas
