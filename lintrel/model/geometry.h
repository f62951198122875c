// Small geometry shared by every subsystem: points, the direction-angle rule, the step-count
// rule of curve flattening, distances to segments, arc definitions and working chains.
// Each rule has exactly one implementation, here.
#pragma once

#include <lintrel/lintrel.h>

#include <cmath>
#include <span>

namespace lintrel {

// The constants as the library has always written them; stored results depend on them.
inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2 * kPi;
inline constexpr double kHalfPi = 1.570796326794895;
inline constexpr double kThreeHalfPi = 4.712388980384685;
// Two points or angles closer than this count as equal.
inline constexpr double kSame = 1e-4;
// Precision used where curves are flattened only to be measured.
inline constexpr double kMeasurePrecision = 0.05;
// Upper bound on the segments of one flattened curve piece, so that absurd coordinates in a
// file cannot make the library allocate without bound.
inline constexpr int kMaxCurveSteps = 1 << 20;

struct Point {
    double x = 0;
    double y = 0;
};

inline Point segStart(const Seg& s) {
    return {s.x0, s.y0};
}
inline Point segEnd(const Seg& s) {
    return {s.x1, s.y1};
}
inline double distanceSquared(Point a, Point b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}
inline double distance(Point a, Point b) {
    return std::sqrt(distanceSquared(a, b));
}
// True when both coordinates agree within `tolerance` (inclusive).
inline bool samePoint(Point a, Point b, double tolerance = kSame) {
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}
// Rounds a coordinate through single precision, as flattened sample points are kept.
inline double single(double v) {
    return static_cast<double>(static_cast<float>(v));
}

// Limits a chord tolerance to [0.0005, 0.5].
double clampPrecision(double precision);

// Direction angle of the vector (dx, dy) in [0, 2pi]: 0 for a vector shorter than 1e-4 in both
// coordinates, 3pi/2 or pi/2 for a vertical one, otherwise from the arc tangent. The single
// precision form is the one curve flattening uses.
double directionAngle(double dx, double dy);
float directionAngle(float dx, float dy);
inline double directionAngle(const Seg& s) {
    return directionAngle(s.x1 - s.x0, s.y1 - s.y0);
}
// Angle of `p` seen from `centre`, by the same rule.
inline double angleFrom(Point centre, Point p) {
    return directionAngle(p.x - centre.x, p.y - centre.y);
}
// Turn between two directions, in [0, pi] (single precision, as flattening uses it).
float turnBetween(float dx0, float dy0, float dx1, float dy1);

// Number of steps for a curve of length `length` and representative radius `radius` at a chord
// tolerance: enough that each chord's sagitta stays within `precision`, at least 8.
int stepCount(double length, double radius, double precision);

// Nearest point of the segment a-b to p (projection clamped to the ends), and the distance.
Point footOnSegment(Point p, Point a, Point b);
double distanceToSegment(Point p, Point a, Point b);
inline double distanceToSeg(Point p, const Seg& s) {
    return distanceToSegment(p, segStart(s), segEnd(s));
}

// ---- Arcs: one defining seg whose points are opposite corners of the bounding square ----

struct ArcGeometry {
    Point centre;
    double radius = 0;
    double start = 0;  // stored start angle, clockwise from +x
    double sweep = 0;  // signed, clockwise positive
    bool fullCircle() const { return std::fabs(sweep) <= kSame; }
};
ArcGeometry arcGeometry(const Seg& definition);
// Start and end points of an arc in mathematical orientation (a stored angle a is 2pi - a).
Point arcStartPoint(const ArcGeometry& arc);
Point arcEndPoint(const ArcGeometry& arc);

// Builds a chain of line segs through `points` (one seg fewer than points; null for fewer than
// two points).
Seg* chainThrough(std::span<const Point> points);

// ---- Working chains ----

// The chain a vect is cut along: its flattened copy when it has one, else its definition.
inline Seg* workingChain(const Vect& v) {
    return v.flatSegs ? v.flatSegs : v.segs;
}
// Start and end of a vect's working chain; an arc without a flattened copy answers from its
// definition. False for a vect without segs.
bool vectStartPoint(const Vect& v, Point& out);
bool vectEndPoint(const Vect& v, Point& out);

// Brings an angle into [0, 2pi] by whole turns (far-out values from damaged files are reduced
// in one step instead of looping).
double wrapAngle(double angle);

// Reverses a vect's direction of travel: an open arc's start becomes its old end and its sweep
// changes sign; both seg chains are reversed. Points have no direction: false, nothing changed.
bool reverseVect(Vect& v);

// Reverses a chain's direction of travel: the order of its segs, each seg's start and end, and
// the jumps, which move from each seg onto its predecessor. Returns the new head.
Seg* reverseChain(Seg* head);

}  // namespace lintrel
