// The travel measure over a group chain or a vect chain.
#include "optimise/travel.h"

#include "model/geometry.h"
#include "model/items.h"

namespace lintrel {

namespace {

void addVects(Vect* first, Point& at, double& total) {
    for (const Vect* v : ring(first)) {
        Point start, end;
        if (!vectStartPoint(*v, start) || !vectEndPoint(*v, end)) continue;
        total += distance(at, start);
        at = end;
    }
}

}  // namespace

double travelDistance(const void* list) {
    if (!list) return 0;
    Point at{0, 0};
    double total = 0;
    void* item = const_cast<void*>(list);
    switch (baseTypeOf(item)) {
        case LINTREL_BASE_VECT:
            addVects(static_cast<Vect*>(item), at, total);
            break;
        case LINTREL_BASE_GROUP:
            for (VectGroup* g : ring(static_cast<VectGroup*>(item)))
                addVects(g->vects, at, total);
            break;
        default:
            return 0;
    }
    return total + distance(at, Point{0, 0});
}

}  // namespace lintrel
