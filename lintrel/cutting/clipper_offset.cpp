// The polygon offsetter: Clipper's offset of one closed ring in integer coordinates of a
// nanometre (for drawings in millimetres), keeping the outer rings of the result.
#include <polyclipping/clipper.hpp>

#include <cmath>

#include "cutting/kerf.h"

namespace lintrel {

namespace {

constexpr double kScale = 1e6;
// Clipper's own coordinate range, with room for the offset.
constexpr double kLargest = 1e18;

}  // namespace

bool offsetAvailable() {
    return true;
}

bool offsetPolygon(std::span<const Point> points, double delta, Corners corners, double mitreLimit,
                   double precision, std::vector<std::vector<Point>>& rings) {
    rings.clear();
    ClipperLib::Path path;
    path.reserve(points.size());
    for (const Point& p : points) {
        const double x = p.x * kScale, y = p.y * kScale;
        if (!(std::fabs(x) < kLargest && std::fabs(y) < kLargest)) return false;
        path.emplace_back(static_cast<ClipperLib::cInt>(std::llround(x)),
                          static_cast<ClipperLib::cInt>(std::llround(y)));
    }
    if (!(std::fabs(delta * kScale) < kLargest)) return false;
    ClipperLib::ClipperOffset offset(std::max(2.0, mitreLimit), precision * kScale);
    offset.AddPath(path, corners == Corners::Round ? ClipperLib::jtRound : ClipperLib::jtMiter,
                   ClipperLib::etClosedPolygon);
    ClipperLib::Paths solution;
    try {
        offset.Execute(solution, delta * kScale);
    } catch (const ClipperLib::clipperException&) {
        return false;
    }
    for (const ClipperLib::Path& ring : solution) {
        // Growing a shape can close a narrow gap and leave a hole the tool never reaches.
        if (!ClipperLib::Orientation(ring)) continue;
        std::vector<Point> out;
        out.reserve(ring.size());
        for (const ClipperLib::IntPoint& q : ring)
            out.push_back({static_cast<double>(q.X) / kScale, static_cast<double>(q.Y) / kScale});
        rings.push_back(std::move(out));
    }
    return true;
}

}  // namespace lintrel
