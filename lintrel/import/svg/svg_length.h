// Lengths with units, view boxes and preserveAspectRatio: how SVG user units relate to the
// viewport and to physical units (1 px = 1/96 in).
#pragma once

#include <string_view>

#include "import/svg/svg_matrix.h"

namespace lintrel::svg {

inline constexpr double kMillimetresPerPixel = 25.4 / 96;

enum class Axis { kX, kY, kOther };

// What relative lengths are relative to: the viewport (for %) and the font size (em, ex).
struct LengthBase {
    double viewportWidth = 0;
    double viewportHeight = 0;
    double fontSize = 16;
};

enum class LengthStatus { kAbsolute, kRelative, kBad };

struct Length {
    double value = 0;      // in user units (px) once resolved
    bool percent = false;  // written in %
    double number = 0;     // the number as written
};

// Reads a length: a number with an optional unit (px, mm, cm, in, pt, pc, em, ex, %).
// kRelative for em, ex and %, which depend on `base`; kBad for anything else.
LengthStatus parseLength(std::string_view text, const LengthBase& base, Axis axis, Length& out);

struct ViewBox {
    double x = 0, y = 0, width = 0, height = 0;
};

// False for a missing or malformed view box, or one with a width or height not above zero.
bool parseViewBox(std::string_view text, ViewBox& out);

struct AspectRatio {
    bool none = false;   // stretch to fill, non-uniformly
    bool slice = false;  // cover the viewport instead of fitting inside it
    int alignX = 1;      // 0 min, 1 mid, 2 max
    int alignY = 1;
};

AspectRatio parseAspectRatio(std::string_view text);

// Maps a view box onto the viewport (x, y, width, height).
Matrix viewBoxTransform(const ViewBox& box, const AspectRatio& aspect, double x, double y,
                        double width, double height);

}  // namespace lintrel::svg
