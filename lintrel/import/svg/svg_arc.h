// Elliptical arcs of path data: the conversion from endpoint form (as written) to centre form,
// with the correction of radii too small to reach the end point, and cubic Bezier pieces for
// arcs that cannot stay arcs (ellipses, skewed or non-uniformly scaled circles).
#pragma once

#include <lintrel/lintrel.hpp>

#include <functional>

namespace lintrel::svg {

struct CentreArc {
    Point centre;
    double rx = 0, ry = 0;
    double rotation = 0;  // of the x axis, radians
    double start = 0;     // parameter angle of the start point, radians
    double sweep = 0;     // signed parameter sweep, radians (positive towards +y)
};

enum class ArcForm {
    kNothing,  // start and end coincide: the arc is omitted
    kLine,     // a zero radius: a straight line to the end
    kArc,
};

// The centre form of the arc from p0 to p1; radii are made positive and scaled up when they
// are too small for the two points.
ArcForm centreArc(Point p0, double rx, double ry, double xAxisRotationDegrees, bool largeArc,
                  bool sweep, Point p1, CentreArc& out);

// The point at parameter angle t.
Point pointOnArc(const CentreArc& arc, double t);

// The arc as cubic pieces of at most a quarter turn each: calls piece(c1, c2, end) per piece.
void arcToCubics(const CentreArc& arc, const std::function<void(Point, Point, Point)>& piece);

}  // namespace lintrel::svg
