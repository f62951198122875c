// Box selection. Dragged left to right the box selects what lies wholly inside it (window);
// dragged right to left it also selects what its edges cut through (crossing). A compound is
// decided as a whole.
#include <array>

#include "curves/flatten.h"
#include "curves/range.h"
#include "editing/selection.h"
#include "model/items.h"
#include "model/list_walk.h"

namespace lintrel {

namespace {

struct Box {
    double xLow, yLow, xHigh, yHigh;
};

double cross(Point o, Point a, Point b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool onSegment(Point p, Point a, Point b) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// True when the segments a-b and c-d meet, touching included.
bool segmentsMeet(Point a, Point b, Point c, Point d) {
    const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    return (d1 == 0 && onSegment(a, c, d)) || (d2 == 0 && onSegment(b, c, d)) ||
           (d3 == 0 && onSegment(c, a, b)) || (d4 == 0 && onSegment(d, a, b));
}

bool chainCutsEdge(const Seg* head, const Box& box) {
    const Point corners[4] = {
        {box.xLow, box.yLow}, {box.xHigh, box.yLow}, {box.xHigh, box.yHigh}, {box.xLow, box.yHigh}};
    for (const Seg* s : ring(head))
        for (int i = 0; i < 4; ++i)
            if (segmentsMeet(segStart(*s), segEnd(*s), corners[i], corners[(i + 1) % 4]))
                return true;
    return false;
}

bool cutsEdge(const Vect& v, const Box& box) {
    if (v.flatSegs) return chainCutsEdge(v.flatSegs, box);
    if (v.type == LINTREL_ARC || v.type == LINTREL_BEZIER) {
        const ChainOwner<Seg> flat(flattenedCopy(v, kMeasurePrecision));
        return chainCutsEdge(flat.get(), box);
    }
    return chainCutsEdge(v.segs, box);
}

bool qualifies(Vect& v, const Box& box, bool window) {
    RectF r;
    if ((!v.segs && !v.flatSegs) || rangeOf(&v, Reach::One, kMeasurePrecision, r) != LINTREL_OK)
        return false;
    const double xLow = r.x, yLow = r.y, xHigh = double(r.x) + r.width,
                 yHigh = double(r.y) + r.height;
    if (xLow >= box.xLow && xHigh <= box.xHigh && yLow >= box.yLow && yHigh <= box.yHigh)
        return true;
    if (window) return false;
    const bool overlaps =
        xLow <= box.xHigh && xHigh >= box.xLow && yLow <= box.yHigh && yHigh >= box.yLow;
    return overlaps && cutsEdge(v, box);
}

}  // namespace

int boxSelect(void* item, Point from, Point to, bool additive) {
    if (!(from.x < to.x) && !(from.x > to.x)) {
        // A box without a drag direction selects nothing; the item is still checked.
        if (!item) return LINTREL_BAD_ARGUMENT;
        const int base = baseTypeOf(item);
        return base == LINTREL_BASE_VECT || base == LINTREL_BASE_GROUP ? LINTREL_NOTHING_TO_DO
                                                                       : LINTREL_BAD_ARGUMENT;
    }
    const bool window = from.x < to.x;
    const Box box{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                  std::max(from.y, to.y)};
    return walkVectLists(item, GroupFold::AnyChanged, [&](Vect*& head) {
        bool changed = false;
        for (Vect* v = head;;) {
            // The compound from v to last (a lone vect is a compound of one).
            Vect* last = v;
            while (v->link && last->next != head && last->next->link == v->link)
                last = last->next;
            const Vect* decider = nullptr;
            for (Vect* m = v;; m = m->next) {
                const bool q = qualifies(*m, box, window);
                if (window && !q) {
                    decider = nullptr;
                    break;
                }
                if (q && !decider) decider = m;
                if (q && !window) break;
                if (m == last) break;
            }
            const bool leave = !decider && additive;
            const uint8_t flag = !decider ? 0 : additive && decider->selected ? 0 : 1;
            for (Vect* m = v; !leave; m = m->next) {
                changed = changed || m->selected != flag;
                m->selected = flag;
                if (m == last) break;
            }
            v = last->next;
            if (v == head) break;
        }
        return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
    });
}

}  // namespace lintrel
