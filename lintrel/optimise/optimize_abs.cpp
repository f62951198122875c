// Travel optimisation by start points: each closed outline is entered where the path from the
// previous vect to the next one meets it, or at the cheapest of a few candidate points. The
// order of the vects never changes.
#include <cmath>
#include <optional>

#include "curves/flatten.h"
#include "curves/range.h"
#include "model/chain_edit.h"
#include "model/items.h"
#include "model/list_walk.h"
#include "model/transform.h"
#include "optimise/ordering.h"

namespace lintrel {

namespace {

double cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}

bool withinBox(Point q, Point a, Point b) {
    return q.x >= std::min(a.x, b.x) - kSame && q.x <= std::max(a.x, b.x) + kSame &&
           q.y >= std::min(a.y, b.y) - kSame && q.y <= std::max(a.y, b.y) + kSame;
}

// The crossing point of segments a0-a1 and b0-b1: boxes overlapping within 1e-4, lines not
// parallel (|cross product| > 1e-4), the point within both segments with a 1e-4 margin.
std::optional<Point> crossing(Point a0, Point a1, Point b0, Point b1) {
    if (std::max(a0.x, a1.x) + kSame < std::min(b0.x, b1.x) ||
        std::max(b0.x, b1.x) + kSame < std::min(a0.x, a1.x) ||
        std::max(a0.y, a1.y) + kSame < std::min(b0.y, b1.y) ||
        std::max(b0.y, b1.y) + kSame < std::min(a0.y, a1.y))
        return std::nullopt;
    const Point da{a1.x - a0.x, a1.y - a0.y}, db{b1.x - b0.x, b1.y - b0.y};
    const double denominator = cross(da, db);
    if (!(std::fabs(denominator) > kSame)) return std::nullopt;
    const double s = cross({b0.x - a0.x, b0.y - a0.y}, db) / denominator;
    const Point q{a0.x + s * da.x, a0.y + s * da.y};
    if (!withinBox(q, a0, a1) || !withinBox(q, b0, b1)) return std::nullopt;
    return q;
}

double cost(Point p, Point q, Point n) {
    return distance(p, q) + distance(q, n);
}

bool differs(Point a, Point b, double tolerance) {
    return std::fabs(a.x - b.x) > tolerance || std::fabs(a.y - b.y) > tolerance;
}

bool treated(const Vect& v, bool selectedOnly) {
    return (!selectedOnly || v.selected) && v.closed != 0 && !v.link && v.type != LINTREL_POINT &&
           v.type != LINTREL_TEXT && workingChain(v);
}

// The cheapest candidate start point when the path from p to n does not cross the outline.
std::optional<Point> cheaperStart(Vect& v, Point p, Point n, Point s, double tolerance) {
    RectF box;
    if (rangeOf(&v, Reach::One, tolerance, box) != LINTREL_OK) return std::nullopt;
    const Point m{box.x + box.width / 2.0, box.y + box.height / 2.0};
    const double a2 = angleFrom(m, p), a3 = angleFrom(m, n);
    const double d = std::fabs(a2 - a3);
    const double theta = (d > kPi ? std::max(a2, a3) : std::min(a2, a3)) + d;
    const double reach = static_cast<double>(box.width) + box.height;
    const Point tip{m.x + reach * std::cos(theta), m.y + reach * std::sin(theta)};

    Seg* chain = workingChain(v);
    std::optional<Point> far;
    double farDistance = -1, nearP = INFINITY, nearN = INFINITY;
    Point toP, toN;
    for (const Seg* seg : ring(chain)) {
        const Point a = segStart(*seg), b = segEnd(*seg);
        if (const auto q = crossing(m, tip, a, b); q && distance(m, *q) > farDistance) {
            far = q;
            farDistance = distance(m, *q);
        }
        const Point fp = footOnSegment(p, a, b), fn = footOnSegment(n, a, b);
        if (distance(p, fp) < nearP) nearP = distance(p, fp), toP = fp;
        if (distance(n, fn) < nearN) nearN = distance(n, fn), toN = fn;
    }
    const double current = cost(p, s, n);
    double best = current;
    std::optional<Point> choice;
    const auto consider = [&](Point q) {
        if (cost(p, q, n) < best) best = cost(p, q, n), choice = q;
    };
    if (far) consider(*far);
    if (nearP < INFINITY) consider(toP);
    if (nearN < INFINITY) consider(toN);
    if (!choice || !(best < current - kSame) || !differs(*choice, s, tolerance))
        return std::nullopt;
    return choice;
}

// The new start of one closed vect given the travel from `p` and to `n`, if it should move.
std::optional<Point> betterStart(Vect& v, Point p, Point n, double tolerance) {
    Point s;
    if (!vectStartPoint(v, s)) return std::nullopt;
    for (const Seg* seg : ring(workingChain(v))) {
        const auto q = crossing(p, n, segStart(*seg), segEnd(*seg));
        if (!q) continue;
        if (differs(*q, s, tolerance)) return q;
        break;
    }
    return cheaperStart(v, p, n, s, tolerance);
}

// The vects of a group chain in drawing order, curves without a flattened copy given one on
// the way; `built` tells whether any was.
std::vector<Vect*> vectsFlattened(VectGroup* first, double tolerance, bool& built) {
    std::vector<Vect*> vects = vectsOfDrawing(first);
    built = false;
    for (Vect* v : vects)
        if (!v->flatSegs) built |= buildFlatSegs(v, tolerance);
    return vects;
}

}  // namespace

int optimizeStartPoints(VectGroup* first, double tolerance, bool selectedOnly, StartMoves* record) {
    if (!first || baseTypeOf(first) != LINTREL_BASE_GROUP || std::isnan(tolerance))
        return LINTREL_BAD_ARGUMENT;
    bool changed = false;
    // The records lie anywhere in memory; walked by index, they are asked for ahead of use.
    const std::vector<Vect*> vects = vectsFlattened(first, tolerance, changed);
    if (record) record->builtFlatSegs = changed;
    Point p{0, 0};
    for (size_t k = 0; k < vects.size(); ++k) {
        prefetchWorkingChains(vects, k);
        Vect& v = *vects[k];
        if (treated(v, selectedOnly)) {
            // The travel goes on to the next vect's start, or back to the origin after the last.
            Point n{0, 0};
            if (k + 1 < vects.size()) vectStartPoint(*vects[k + 1], n);
            const auto q = betterStart(v, p, n, tolerance);
            if (q && moveStartPoint(v, *q, tolerance, true)) {
                changed = true;
                if (record) record->moves.push_back({static_cast<int>(k), *q});
            }
        }
        vectEndPoint(v, p);
    }
    return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

void replayStartMoves(VectGroup* first, double tolerance, const StartMoves& record) {
    // Where no flattened copy was missing on the copy, none is missing here.
    if (!record.builtFlatSegs && record.moves.empty()) return;
    bool built = false;
    const std::vector<Vect*> vects =
        record.builtFlatSegs ? vectsFlattened(first, tolerance, built) : vectsOfDrawing(first);
    for (const StartMove& m : record.moves)
        moveStartPoint(*vects[m.vect], m.at, tolerance, true);
}

}  // namespace lintrel
