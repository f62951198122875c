// Selection flags: whole-list changes, counting, click selection and the selection's range.
#include "editing/selection.h"
#include "curves/range.h"

#include <algorithm>

#include "curves/flatten.h"
#include "model/chain_edit.h"
#include "model/items.h"
#include "model/list_walk.h"

namespace lintrel {

namespace {

// Applies `flag(old)` to every vect; 0 when some flag changed, else 100.
template <class NewFlag>
int setFlags(void* item, NewFlag newFlag) {
    return walkVectLists(item, GroupFold::AnyChanged, [&](Vect*& head) {
        bool changed = false;
        for (Vect* v : ring(head)) {
            const uint8_t flag = newFlag(v->selected);
            changed = changed || flag != v->selected;
            v->selected = flag;
        }
        return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
    });
}

}  // namespace

int clearSelection(void* item) {
    return setFlags(item, [](uint8_t) { return uint8_t{0}; });
}

int selectAll(void* item) {
    return setFlags(item, [](uint8_t) { return uint8_t{1}; });
}

int invertSelection(void* item) {
    const int result = setFlags(item, [](uint8_t f) { return uint8_t(f ? 0 : 1); });
    return result == LINTREL_BAD_ARGUMENT ? result : LINTREL_OK;
}

int countSelected(void* item) {
    int count = 0;
    const int result = walkVectLists(item, GroupFold::AnyChanged, [&](Vect*& head) {
        for (const Vect* v : ring(head))
            count += v->selected != 0;
        return LINTREL_OK;
    });
    return result == LINTREL_BAD_ARGUMENT ? -1 : count;
}

bool vectHit(const Vect& v, Point p, double tolerance) {
    if (v.flatSegs) return firstSegWithin(v.flatSegs, p, tolerance) != nullptr;
    if (!v.segs) return false;
    if (v.type == LINTREL_ARC) return arcHit(*v.segs, v.closed != 0, p, tolerance);
    if (v.type == LINTREL_BEZIER) {
        const ChainOwner<Seg> flat(flattenedCopy(v, kMeasurePrecision));
        return firstSegWithin(flat.get(), p, tolerance) != nullptr;
    }
    return firstSegWithin(v.segs, p, tolerance) != nullptr;
}

int clickSelect(void* item, Point p, double tolerance, bool additive) {
    bool hitFound = false;
    return walkVectLists(item, GroupFold::AnyChanged, [&](Vect*& head) {
        bool changed = false;
        auto give = [&](Vect* v, uint8_t flag) {
            changed = changed || v->selected != flag;
            v->selected = flag;
        };
        for (Vect* v = head;;) {
            if (!additive) give(v, 0);
            if (!hitFound && vectHit(*v, p, tolerance)) {
                hitFound = true;
                const uint8_t flag = additive && v->selected ? 0 : 1;
                give(v, flag);
                if (v->link) {
                    // The whole compound takes the flag; the walk goes on after it.
                    Vect* first = v;
                    while (first != head && first->prev->link == v->link)
                        first = first->prev;
                    while (v->next != head && v->next->link == first->link)
                        v = v->next;
                    for (Vect* m = first;; m = m->next) {
                        give(m, flag);
                        if (m == v) break;
                    }
                }
            }
            v = v->next;
            if (v == head) break;
        }
        return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
    });
}

int selectionRange(void* item, double precision, RectF& out) {
    bool any = false;
    float xLow = 0, yLow = 0, xHigh = 0, yHigh = 0;
    const int result = walkVectLists(item, GroupFold::AnyChanged, [&](Vect*& head) {
        for (Vect* v : ring(head)) {
            RectF r;
            if (!v->selected || rangeOf(v, Reach::One, precision, r) != LINTREL_OK) continue;
            xLow = any ? std::min(xLow, r.x) : r.x;
            yLow = any ? std::min(yLow, r.y) : r.y;
            xHigh = any ? std::max(xHigh, r.x + r.width) : r.x + r.width;
            yHigh = any ? std::max(yHigh, r.y + r.height) : r.y + r.height;
            any = true;
        }
        return LINTREL_OK;
    });
    if (result == LINTREL_BAD_ARGUMENT) return result;
    out = any ? RectF{xLow, yLow, xHigh - xLow, yHigh - yLow} : RectF{};
    return LINTREL_OK;
}

}  // namespace lintrel
