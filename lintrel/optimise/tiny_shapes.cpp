// Removal of tiny shapes: vects whose defining records span less than a limit in X and in Y.
#include <algorithm>
#include <cmath>

#include "model/items.h"
#include "model/list_walk.h"
#include "optimise/cleanup.h"

namespace lintrel {

namespace {

// Width and height of the box of a vect's defining records (an arc's whole circle, a Bezier's
// control points), measured like the range operation: in double, then rounded to single.
void definitionExtent(const Vect& v, float& width, float& height) {
    double xLow = INFINITY, yLow = INFINITY, xHigh = -INFINITY, yHigh = -INFINITY;
    for (const Seg* s : ring(v.segs)) {
        xLow = std::min({xLow, s->x0, s->x1});
        xHigh = std::max({xHigh, s->x0, s->x1});
        yLow = std::min({yLow, s->y0, s->y1});
        yHigh = std::max({yHigh, s->y0, s->y1});
    }
    // A vect without records has no extent at all.
    width = v.segs ? static_cast<float>(xHigh - xLow) : 0.0f;
    height = v.segs ? static_cast<float>(yHigh - yLow) : 0.0f;
}

int deleteTinyIn(Vect*& head, double xLimit, double yLimit, int selectedOnly) {
    bool deleted = false;
    for (Vect* v : ring(head)) {
        if (!takesPart(*v, selectedOnly)) continue;
        float width = 0, height = 0;
        definitionExtent(*v, width, height);
        if (xLimit > width && yLimit > height) {
            eraseFrom(head, v);
            deleted = true;
        }
    }
    return deleted ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace

int deleteTinyShapes(void*& list, double minWidth, double minHeight, int selectedOnly) {
    if (!list) return LINTREL_BAD_ARGUMENT;
    // Not-a-number limits are raised like any other small limit.
    const double xLimit = minWidth > kTinyLimit ? minWidth : kTinyLimit;
    const double yLimit = minHeight > kTinyLimit ? minHeight : kTinyLimit;
    const int base = baseTypeOf(list);
    if (base == LINTREL_BASE_VECT) {
        Vect* head = static_cast<Vect*>(list);
        const int result = deleteTinyIn(head, xLimit, yLimit, selectedOnly);
        list = head;
        return result;
    }
    if (base != LINTREL_BASE_GROUP) return LINTREL_BAD_ARGUMENT;

    VectGroup* groups = static_cast<VectGroup*>(list);
    bool deleted = false;
    for (VectGroup* g : ring(groups)) {
        if (!g->vects) continue;
        if (deleteTinyIn(g->vects, xLimit, yLimit, selectedOnly) == LINTREL_OK) deleted = true;
        if (!g->vects) eraseFrom(groups, g);
    }
    list = groups;
    return deleted ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel
