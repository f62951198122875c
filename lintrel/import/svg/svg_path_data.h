// The path data grammar: every command of M L H V C S Q T A Z, absolute and relative, with
// implicit repeats. The parser resolves relative coordinates, H/V, the reflected control points
// of S and T and raises quadratic curves to cubics; arcs stay in endpoint form for the sink.
#pragma once

#include <lintrel/lintrel.hpp>

#include <string_view>

namespace lintrel::svg {

// Receives a path in absolute user coordinates. Every subpath starts with moveTo.
class PathSink {
  public:
    virtual ~PathSink() = default;
    virtual void moveTo(Point p) = 0;
    virtual void lineTo(Point p) = 0;
    virtual void cubicTo(Point c1, Point c2, Point p) = 0;
    // An elliptical arc from the current point to p; xAxisRotation in degrees.
    virtual void arcTo(double rx, double ry, double xAxisRotation, bool largeArc, bool sweep,
                       Point p) = 0;
    virtual void closePath() = 0;
};

// Feeds `d` to the sink. False when an error stopped it: what came before the error has been
// fed, as renderers draw it.
bool parsePathData(std::string_view d, PathSink& sink);

// Feeds the points of a polyline or polygon ("x,y x,y ..."); a trailing odd number is an error
// and is dropped. Returns false on an error, after feeding what came before it.
bool parsePointList(std::string_view points, bool close, PathSink& sink);

}  // namespace lintrel::svg
