// Finding the round corners of an offset path: the corners go into a hash grid of cells as wide
// as the radius, so each point of the path meets only the corners it may lie on a circle of.
#include "core/codegen/corner_arcs.h"

#include <lintrel/lintrel.hpp>

#include <cmath>
#include <cstdint>

namespace pathloom {
namespace {

// The offsetter works in whole nanometres: a corner and a point of its arc are each rounded
// once, so a point of a round corner lies within about 1.5e-6 of the radius.
constexpr double kOnCircle = 4e-6;

class CornerGrid {
  public:
    CornerGrid(std::span<const Point> corners, double cell) : corners_(corners), cell_(cell) {
        if (corners.size() <= kFew) return;
        for (size_t k = 0; k < corners.size(); ++k)
            cells_[key(cellOf(corners[k].x), cellOf(corners[k].y))].push_back(static_cast<int>(k));
    }

    // Calls `visit(corner)` for every corner within a cell of `p`.
    template <class Visit>
    void near(Point p, Visit&& visit) const {
        if (corners_.size() <= kFew) {
            for (const Point& corner : corners_)
                if (visit(corner)) return;
            return;
        }
        const std::int64_t cx = cellOf(p.x), cy = cellOf(p.y);
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy)
                if (const auto found = cells_.find(key(cx + dx, cy + dy)); found != cells_.end())
                    for (const int k : found->second)
                        if (visit(corners_[static_cast<size_t>(k)])) return;
    }

  private:
    // A shape of a few corners is searched whole; building cells would cost more.
    static constexpr size_t kFew = 32;

    std::int64_t cellOf(double v) const { return static_cast<std::int64_t>(std::floor(v / cell_)); }
    static std::uint64_t key(std::int64_t cx, std::int64_t cy) {
        return (static_cast<std::uint64_t>(cx) << 32) ^ static_cast<std::uint64_t>(cy & 0xffffffff);
    }

    std::span<const Point> corners_;
    double cell_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
};

// The signed angle from a to b about c, counter-clockwise positive.
double turnAbout(Point c, Point a, Point b) {
    const double ax = a.x - c.x, ay = a.y - c.y, bx = b.x - c.x, by = b.y - c.y;
    return std::atan2(ax * by - ay * bx, ax * bx + ay * by);
}

}  // namespace

std::vector<CornerArc> findCornerArcs(const Vect& cut, std::span<const Point> corners,
                                      double radius) {
    std::vector<CornerArc> arcs;
    const Seg* chain = lintrel::workingChain(cut);
    if (!chain || cut.type != LINTREL_POLYLINE || corners.empty() || !(radius > kOnCircle))
        return arcs;
    // points[k] starts seg k; a seg that jumps starts a new piece, which no arc runs across.
    std::vector<Point> points;
    std::vector<char> jumps;
    for (const Seg* seg : lintrel::ring(chain)) {
        points.push_back(lintrel::segStart(*seg));
        jumps.push_back(seg->jump != 0);
    }
    points.push_back(lintrel::segEnd(*chain->prev));
    const int segs = static_cast<int>(jumps.size());

    // Cells twice the radius: a point on a corner's circle is always in a neighbouring cell.
    const CornerGrid grid(corners, 2 * radius);
    auto onCircle = [radius](Point p, Point centre) {
        return std::fabs(lintrel::distance(p, centre) - radius) <= kOnCircle;
    };
    for (int i = 0; i < segs;) {
        Point centre{};
        bool found = false;
        grid.near(points[static_cast<size_t>(i)], [&](Point corner) {
            found = onCircle(points[static_cast<size_t>(i)], corner) &&
                    onCircle(points[static_cast<size_t>(i) + 1], corner);
            if (found) centre = corner;
            return found;
        });
        if (!found) {
            ++i;
            continue;
        }
        int last = i;
        while (last + 1 < segs && !jumps[static_cast<size_t>(last) + 1] &&
               onCircle(points[static_cast<size_t>(last) + 2], centre))
            ++last;
        // Every chord must turn the same way about the corner, and the whole by under half a turn.
        double sweep = 0;
        bool oneWay = true;
        for (int k = i; k <= last && oneWay; ++k) {
            const double step = turnAbout(centre, points[static_cast<size_t>(k)],
                                          points[static_cast<size_t>(k) + 1]);
            oneWay = step != 0 && (sweep == 0 || (step > 0) == (sweep > 0));
            sweep += step;
        }
        const Point start = points[static_cast<size_t>(i)];
        const Point end = points[static_cast<size_t>(last) + 1];
        if (oneWay && std::fabs(sweep) < lintrel::kTwoPi / 2 &&
            lintrel::distance(start, end) >= kShortestCornerArc) {
            CornerArc arc;
            arc.firstSeg = i;
            arc.lastSeg = last;
            arc.move.clockwise = sweep < 0;
            arc.move.change = sweep;
            arc.move.centre = centre;
            arc.move.end = end;
            arcs.push_back(arc);
            i = last + 1;
        } else {
            ++i;
        }
    }
    return arcs;
}

}  // namespace pathloom
