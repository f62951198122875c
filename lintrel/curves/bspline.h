// B-spline and NURBS curves as the readers meet them: evaluation by de Boor's algorithm
// (weighted when the curve is rational), the exact Bezier piece of a polynomial span, the fitting
// of one cubic Bezier piece to samples of a curve, and the cubic that interpolates a row of fit
// points. Everything is double precision;
// the flattening of the resulting Bezier pieces is curve flattening's own business.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <vector>

#include "model/geometry.h"

namespace lintrel {

// Degrees above this do not occur in drawings; readers clamp to it.
inline constexpr int kMaxDegree = 25;

struct BSpline {
    int degree = 3;
    std::span<const double> knots;  // control count + degree + 1 values, non-decreasing
    std::span<const Point> control;
    std::span<const double> weights;  // one per control point, or empty for a plain B-spline
};

// True when the knots fit the control points and degree and never decrease.
bool validKnots(int degree, size_t controlCount, std::span<const double> knots);
// Knots of a clamped uniform B-spline over 0 ... 1.
std::vector<double> clampedUniformKnots(int degree, size_t controlCount);
// Knots mapped onto 0 ... 1; all 0 when the first and last are equal.
std::vector<double> normalisedKnots(std::span<const double> knots);
// True when the first and the last degree + 1 knots are equal, so that the curve starts at
// the first control point and ends at the last.
bool clampedKnots(int degree, std::span<const double> knots);

// The curve at parameter t, evaluated with the polynomial of knot span `span`
// (knots[span] <= t <= knots[span + 1], degree <= span < control count, degree <= kMaxDegree).
Point evaluate(const BSpline& curve, int span, double t);

using CubicPiece = std::array<Point, 4>;

// The cubic Bezier piece that is exactly knot span `span` of a plain (unweighted) B-spline of
// degree 1, 2 or 3: the span's control points once its two end knots are inserted up to the
// degree (Boehm), raised to a cubic for the lower degrees. Parameter f of the piece is the
// curve's knots[span] + f * (knots[span + 1] - knots[span]).
CubicPiece spanBezier(const BSpline& curve, int span);

// A Bezier curve of degree 1 or 2 (two or three control points) written as the cubic it equals.
CubicPiece elevatedToCubic(std::span<const Point> control);

// Fits one cubic Bezier piece to samples taken at parameters 0, 1 / (n - 1), ... 1: the end
// points are kept, the inner control points come from a least-squares fit; the samples are
// then moved to their nearest parameters on the fitted piece and the fit repeated, at most four
// times, until no inner control point moves by 0.01 or more.
CubicPiece fitCubic(std::span<const Point> samples);

// The largest distance between `piece` and the curve `at` over a parameter interval, checked at
// `checks` evenly spread parameters (the curve's parameter mapped linearly onto the piece's).
double fitDeviation(const CubicPiece& piece, const std::function<Point(double)>& at, double t0,
                    double t1, int checks);

// A point of a cubic Bezier piece.
Point bezierPoint(const CubicPiece& p, double t);

// Cubic Bezier pieces of the C2 cubic through `fit` (chord-length parameters); the end
// tangents, when given, fix the directions at the ends, otherwise the ends are natural.
std::vector<CubicPiece> interpolateFitPoints(std::span<const Point> fit, const Point* startTangent,
                                             const Point* endTangent);

}  // namespace lintrel
