// Point lists of vects for the cutting operations.
#include "cutting/outline.h"

#include <algorithm>
#include <cmath>

#include "curves/flatten.h"
#include "model/items.h"
#include "model/list_walk.h"

namespace lintrel {

namespace {

// The chain to read: the working chain, or a flattened copy of a curve's definition.
const Seg* chainToRead(const Vect& v, double precision, ChainOwner<Seg>& scratch) {
    if (v.flatSegs || v.type == LINTREL_POLYLINE || v.type == LINTREL_POINT || !v.segs)
        return workingChain(v);
    Vect probe{};
    probe.type = v.type;
    probe.liftHeight = v.liftHeight;
    probe.workHeight = v.workHeight;
    probe.textHeight = v.textHeight;
    probe.segs = copySegChain(v.segs);
    flattenVect(probe, precision);
    scratch.reset(probe.segs);
    return probe.segs;
}

Box boxOf(std::span<const Point> points) {
    Box b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) {
        b.xMin = std::min(b.xMin, p.x);
        b.yMin = std::min(b.yMin, p.y);
        b.xMax = std::max(b.xMax, p.x);
        b.yMax = std::max(b.yMax, p.y);
    }
    return b;
}

}  // namespace

double signedArea(std::span<const Point> points) {
    double twice = 0;
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        const Point a = points[i], b = points[(i + 1) % n];
        twice +=
            (a.x - points[0].x) * (b.y - points[0].y) - (b.x - points[0].x) * (a.y - points[0].y);
    }
    return twice / 2;
}

Outline OutlineReader::read(const Vect& v, double precision) {
    Outline out;
    ChainOwner<Seg> scratch;
    const Seg* chain = chainToRead(v, precision, scratch);
    if (!chain) return out;
    std::vector<Point>& points = points_;
    points.clear();
    for (const Seg* s : ring(chain)) {
        if (s != chain && s->jump) {
            out.pieceStarts.push_back(static_cast<int>(points.size()));
            points.push_back(segStart(*s));
        } else if (s == chain) {
            points.push_back(segStart(*s));
        }
        points.push_back(segEnd(*s));
    }
    // A damaged file's non-finite coordinate would defeat every box and sort: such a vect is
    // passed over (no inside, inside nothing).
    for (const Point& p : points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return Outline{};
    out.box = boxOf(points);
    const bool returns = samePoint(points.front(), points.back(), kClosingGap);
    const bool closes = v.closed && out.pieceStarts.empty() && returns && v.type != LINTREL_POINT &&
                        v.type != LINTREL_TEXT && points.size() >= 4;
    out.points.assign(points.begin(), closes ? points.end() - 1 : points.end());
    if (closes) {
        out.area = signedArea(out.points);
        out.closed = out.area != 0;
    }
    return out;
}

std::vector<Outline> outlinesOf(std::span<Vect* const> vects, double precision) {
    std::vector<Outline> outlines;
    outlines.reserve(vects.size());
    OutlineReader reader;
    for (size_t k = 0; k < vects.size(); ++k) {
        prefetchWorkingChains(vects, k);
        outlines.push_back(reader.read(*vects[k], precision));
    }
    return outlines;
}

std::vector<Vect*> drawingVects(void* list) {
    std::vector<Vect*> out;
    if (!list) return out;
    if (baseTypeOf(list) == LINTREL_BASE_VECT) {
        for (Vect* v : ring(static_cast<Vect*>(list)))
            out.push_back(v);
    } else if (baseTypeOf(list) == LINTREL_BASE_GROUP) {
        out = vectsOfDrawing(static_cast<VectGroup*>(list));
    }
    return out;
}

}  // namespace lintrel
