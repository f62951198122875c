// The library's own geometric rules, beside the points, directions, arcs and working chains of
// lintrel.hpp: precision clamping, the step-count rule of curve flattening, chains through
// points, angle wrapping and reversal. Each rule has exactly one implementation.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include <cmath>
#include <span>

namespace lintrel {

// Upper bound on the segments of one flattened curve piece, so that absurd coordinates in a
// file cannot make the library allocate without bound.
inline constexpr int kMaxCurveSteps = 1 << 20;

// Rounds a coordinate through single precision, as flattened sample points are kept.
inline double single(double v) {
    return static_cast<double>(static_cast<float>(v));
}

// Limits a chord tolerance to [0.0005, 0.5].
double clampPrecision(double precision);

// Turn between two directions, in [0, pi] (single precision, as flattening uses it).
float turnBetween(float dx0, float dy0, float dx1, float dy1);

// Number of steps for a curve of length `length` and representative radius `radius` at a chord
// tolerance: enough that each chord's sagitta stays within `precision`, at least 8.
int stepCount(double length, double radius, double precision);

// Builds a chain of line segs through `points` (one seg fewer than points; null for fewer than
// two points).
Seg* chainThrough(std::span<const Point> points);

// Brings an angle into [0, 2pi] by whole turns (far-out values from damaged files are reduced
// in one step instead of looping).
double wrapAngle(double angle);

// Reverses a vect's direction of travel: an open arc's start becomes its old end and its sweep
// changes sign; both seg chains are reversed. Points have no direction: false, nothing changed.
bool reverseVect(Vect& v);

// Reverses a chain's direction of travel: the order of its segs, each seg's start and end, and
// the jumps, which move from each seg onto its predecessor. Returns the new head.
Seg* reverseChain(Seg* head);

// Caches in a vect's xMin..yMax the box of its defining segs' end points, as readers fill it
// for a vect they build.
void cacheSegBox(Vect& v);

}  // namespace lintrel
