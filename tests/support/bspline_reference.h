// A reference for tests of B-splines, written apart from the library's own: de Boor's
// evaluation of a spline, the point of a cubic Bezier piece, and the pieces of a Bezier vect.
// It takes the library's internal piece type, so only suites linked with the static library
// use it.
#pragma once

#include <lintrel/lintrel.hpp>

#include <vector>

#include "curves/bspline.h"
#include "support/builders.h"

namespace lintrel::test {

// The classic de Boor algorithm: the span holding t (the last one for t at the end), then the
// triangle of affine combinations. Control points are anything with x and y.
template <class P>
Point deBoorAt(const std::vector<P>& control, const std::vector<double>& knots, int degree,
               double t) {
    const int n = static_cast<int>(control.size());
    int span = degree;
    while (span < n - 1 && t >= knots[span + 1])
        ++span;
    std::vector<Point> d;
    for (int i = span - degree; i <= span; ++i)
        d.push_back({control[i].x, control[i].y});
    for (int r = 1; r <= degree; ++r)
        for (int j = degree; j >= r; --j) {
            const int i = span - degree + j;
            const double alpha = (t - knots[i]) / (knots[i + degree + 1 - r] - knots[i]);
            d[j] = {(1 - alpha) * d[j - 1].x + alpha * d[j].x,
                    (1 - alpha) * d[j - 1].y + alpha * d[j].y};
        }
    return d[degree];
}

inline Point bezierAt(const CubicPiece& p, double f) {
    const double u = 1 - f;
    const double b[] = {u * u * u, 3 * f * u * u, 3 * f * f * u, f * f * f};
    return {b[0] * p[0].x + b[1] * p[1].x + b[2] * p[2].x + b[3] * p[3].x,
            b[0] * p[0].y + b[1] * p[1].y + b[2] * p[2].y + b[3] * p[3].y};
}

// The Bezier pieces of a Bezier vect's control polygon, three segs each.
inline std::vector<CubicPiece> piecesOf(const Vect& v) {
    const std::vector<Seg*> segs = segsOf(v.segs);
    std::vector<CubicPiece> out;
    for (size_t i = 0; i + 2 < segs.size(); i += 3)
        out.push_back(
            {segStart(*segs[i]), segEnd(*segs[i]), segEnd(*segs[i + 1]), segEnd(*segs[i + 2])});
    return out;
}

}  // namespace lintrel::test
