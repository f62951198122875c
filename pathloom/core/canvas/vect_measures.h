// Measures of vects that the canvas needs beside the picture: a vect's length (which decides
// whether it is big enough on the screen for a start dot and an order number) and the snap point
// near the cursor.
#pragma once

#include <optional>

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include "core/canvas/view_transform.h"

namespace pathloom::canvas {

// The working chain: the flattened copy when there is one, else the defining chain.
using lintrel::workingChain;
// Arcs and Bezier curves without a flattened chain are drawn from their definitions.
bool drawnFromDefinition(const Vect& vect);

// Length in drawing units: an arc's radius times its sweep (2π for a full circle), a Bezier
// curve's flattened length at 0.05, otherwise the sum over the working chain, where a curve
// control seg counts (x1 − x0) × π or, beyond one turn, (x1 − x0) / 2 × |z1|.
double vectLength(const Vect& vect);

// A vect is marked (start dot, order number) when its length on the screen exceeds 50 pixels
// at display scale 1.
inline bool bigOnScreen(double length, double zoom, double scale) {
    return length * zoom > 50 * scale;
}

// Centre and radius of an arc from its defining seg.
struct Circle {
    double cx = 0, cy = 0, r = 0;
};
Circle arcCircle(const Seg& definition);

// The first start or end point, walking groups and vects in chain order, inside the square of
// half side `half` (drawing units) around (x, y). For a closed arc without a flattened chain
// the candidates are its start at angle 0 twice, or its start and its centre when `originPick`.
std::optional<PointD> snapPoint(const VectGroup* drawing, double x, double y, double half,
                                bool originPick);

}  // namespace pathloom::canvas
