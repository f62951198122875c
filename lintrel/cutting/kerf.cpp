// The kerf-compensated copy of a drawing: the side each shape is offset to, circles offset
// exactly, other outlines through the polygon offsetter, and the offset ring laid out to run
// the way the shape ran and to start near where it started.
#include "cutting/kerf.h"

#include <algorithm>
#include <cmath>

#include "curves/flatten.h"
#include "cutting/containment.h"
#include "model/items.h"

namespace lintrel {

namespace {

bool grows(const KerfRule& rule, int depth) {
    if (rule.side == KerfSide::Outside) return true;
    if (rule.side == KerfSide::Inside) return false;
    // By depth: outer shapes (and parts inside holes) grow, holes shrink.
    return depth % 2 == 0;
}

// A ring as a closed chain that runs the way `area` says and starts at its vertex nearest to
// `start`.
Seg* ringChain(std::vector<Point> ring, double area, Point start) {
    if (area < 0) std::reverse(ring.begin(), ring.end());
    size_t nearest = 0;
    for (size_t k = 1; k < ring.size(); ++k)
        if (distanceSquared(ring[k], start) < distanceSquared(ring[nearest], start)) nearest = k;
    std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(nearest), ring.end());
    ring.push_back(ring.front());
    return chainThrough(ring);
}

bool isCircle(const Vect& v) {
    return v.type == LINTREL_ARC && v.segs && arcGeometry(*v.segs).fullCircle();
}

// A circle stays a circle: its defining square grows or shrinks about the centre. Its copy comes
// without the original's flattened copy, which is flattened anew at the new radius, or copied
// after all when the circle vanishes (the shape stays as drawn).
KerfResult offsetCircle(Vect& copy, const Vect& original, double delta, double precision) {
    Seg& d = *copy.segs;
    const ArcGeometry arc = arcGeometry(d);
    const double radius = arc.radius + delta;
    if (radius <= kSame) {
        copy.flatSegs = copySegChain(original.flatSegs);
        return KerfResult::Vanished;
    }
    d.x0 = arc.centre.x - radius;
    d.y0 = arc.centre.y - radius;
    d.x1 = arc.centre.x + radius;
    d.y1 = arc.centre.y + radius;
    if (original.flatSegs) buildFlatSegs(&copy, precision);
    return KerfResult::Offset;
}

// Offsets one copied vect in place; pieces beyond the first follow it in the ring.
KerfResult offsetVect(Vect& copy, const Vect& original, const Outline& outline, double delta,
                      const KerfRule& rule, double precision) {
    if (isCircle(original)) return offsetCircle(copy, original, delta, precision);
    std::vector<Point> counterClockwise = outline.points;
    if (outline.area < 0) std::reverse(counterClockwise.begin(), counterClockwise.end());
    std::vector<std::vector<Point>> rings;
    if (!offsetPolygon(counterClockwise, delta, rule.corners, rule.mitreLimit, precision, rings))
        return KerfResult::Failed;
    if (rings.empty()) return KerfResult::Vanished;
    const Point start = outline.points.front();
    for (size_t k = rings.size(); k-- > 1;) {
        Vect* piece = copyVect(&copy);
        piece->beforeAction = duplicateText(copy.beforeAction);
        piece->afterAction = duplicateText(copy.afterAction);
        clearFlatSegs(piece);
        piece->type = LINTREL_POLYLINE;
        replaceSegs(piece, ringChain(std::move(rings[k]), outline.area, start));
        spliceAfter(&copy, piece);
    }
    clearFlatSegs(&copy);
    copy.type = LINTREL_POLYLINE;
    replaceSegs(&copy, ringChain(std::move(rings[0]), outline.area, start));
    return rings.size() > 1 ? KerfResult::Split : KerfResult::Offset;
}

// Copies a drawing (a first group or a first vect) keeping each vect's action texts, which the
// copy operations leave out, and leaving out the flattened copies of the circles to be offset
// (`circleOffset`, by index in drawing order).
void* copyForOffset(void* list, const std::vector<char>& circleOffset) {
    size_t k = 0;
    const auto copyList = [&](const Vect* first) {
        Vect* head = nullptr;
        for (const Vect* v : ring(first)) {
            Vect source = *v;
            if (circleOffset[k++]) source.flatSegs = nullptr;
            Vect* copy = copyVect(&source);
            copy->beforeAction = duplicateText(v->beforeAction);
            copy->afterAction = duplicateText(v->afterAction);
            append(head, copy);
        }
        return head;
    };
    if (baseTypeOf(list) == LINTREL_BASE_VECT) return copyList(static_cast<Vect*>(list));
    VectGroup* head = nullptr;
    for (const VectGroup* g : ring(static_cast<VectGroup*>(list))) {
        VectGroup* copy = newGroup();
        copy->number = g->number;
        copy->colour = g->colour;
        copy->vects = copyList(g->vects);
        append(head, copy);
    }
    return head;
}

}  // namespace

void* kerfOffsetDrawing(void* list, std::span<const KerfRule> ruleOfVect, double precision,
                        std::vector<KerfResult>& results) {
    const std::vector<Vect*> originals = drawingVects(list);
    const std::vector<Outline> outlines = outlinesOf(originals, precision);
    const Containment nesting = findContainment(outlines, precision);

    // Which vects are offset, by how much.
    const size_t n = originals.size();
    results.assign(n, KerfResult::NotAsked);
    std::vector<double> delta(n, 0);
    std::vector<char> circleOffset(n, 0);
    for (size_t k = 0; k < n; ++k) {
        const KerfRule& rule = ruleOfVect[k];
        if (rule.side == KerfSide::None || !(rule.distance > 0)) continue;
        if (!outlines[k].closed) {
            results[k] = KerfResult::Open;
            continue;
        }
        delta[k] = grows(rule, nesting.depth[k]) ? rule.distance : -rule.distance;
        circleOffset[k] = isCircle(*originals[k]);
    }
    void* copy = copyForOffset(list, circleOffset);
    // Pieces are spliced in behind their vect, so the copies are listed before any is offset.
    const std::vector<Vect*> copies = drawingVects(copy);
    for (size_t k = 0; k < n; ++k)
        if (delta[k] != 0)
            results[k] = offsetVect(*copies[k], *originals[k], outlines[k], delta[k], ruleOfVect[k],
                                    precision);
    return copy;
}

}  // namespace lintrel
