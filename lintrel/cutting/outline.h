// Vects as plain point lists for the cutting operations: the points of the chain a vect is cut
// along (a curve without a flattened copy is flattened on the side), whether it encloses an
// inside, its box and its signed area.
#pragma once

#include <lintrel/lintrel.h>

#include <span>
#include <vector>

#include "model/geometry.h"

namespace lintrel {

// A chain whose last point lies this close to its first still counts as closed.
inline constexpr double kClosingGap = 1e-3;

struct Box {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    bool containsBox(const Box& other, double tolerance) const {
        return other.xMin >= xMin - tolerance && other.xMax <= xMax + tolerance &&
               other.yMin >= yMin - tolerance && other.yMax <= yMax + tolerance;
    }
    bool containsPoint(Point p, double tolerance) const {
        return p.x >= xMin - tolerance && p.x <= xMax + tolerance && p.y >= yMin - tolerance &&
               p.y <= yMax + tolerance;
    }
    bool overlaps(const Box& other) const {
        return other.xMin <= xMax && other.xMax >= xMin && other.yMin <= yMax && other.yMax >= yMin;
    }
};

// A closed outline lists its vertices once (the edge from the last back to the first is
// implied); any other chain lists its points in order, and a pen-up move of a chain of several
// pieces (text) starts at an index listed in `pieceStarts`.
struct Outline {
    std::vector<Point> points;
    std::vector<int> pieceStarts;
    bool closed = false;  // a closed vect whose one piece returns to its start
    Box box;
    double area = 0;  // signed: positive counter-clockwise (y up)

    int edgeCount() const {
        const int n = static_cast<int>(points.size());
        return closed ? n : n - 1;
    }
    // Calls `visit(a, b)` for every drawn edge.
    template <class Visit>
    void forEachEdge(Visit&& visit) const {
        const int n = static_cast<int>(points.size());
        size_t piece = 0;
        for (int i = 1; i < n; ++i) {
            if (piece < pieceStarts.size() && pieceStarts[piece] == i) {
                ++piece;
                continue;
            }
            visit(points[i - 1], points[i]);
        }
        if (closed && n > 2) visit(points[n - 1], points[0]);
    }
};

// Reads the outline of a vect's working chain; curves without a flattened copy are flattened at
// `precision` on a copy. An empty outline for a vect without segs or with a coordinate that is
// not finite. One point buffer serves every read, so an outline costs a single allocation of
// its own size.
class OutlineReader {
  public:
    Outline read(const Vect& v, double precision);

  private:
    std::vector<Point> points_;
};

// The outlines of `vects`, in order.
std::vector<Outline> outlinesOf(std::span<Vect* const> vects, double precision);

// Signed area of a closed point list (counter-clockwise positive).
double signedArea(std::span<const Point> points);

// The vects of a list (a first group or a first vect) in drawing order: groups in order, each
// group's vects in list order. Empty for an item of another kind.
std::vector<Vect*> drawingVects(void* list);

}  // namespace lintrel
