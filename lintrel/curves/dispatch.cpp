// Flattening by vect type over vects, vect chains and group chains, and the flattened copy a
// curve keeps beside its definition.
#include "curves/flatten.h"

#include <algorithm>

#include "model/items.h"

namespace lintrel {

int FlattenBudget::grant(int wanted, int fewest) {
    if (wanted <= left_) {
        left_ -= wanted;
        return wanted;
    }
    ++coarsened_;
    const long steps = std::max<long>(fewest, left_);
    left_ = 0;
    return static_cast<int>(steps);
}

void flattenVect(Vect& vect, double precision, FlattenBudget* budget) {
    if (!vect.segs) return;
    switch (vect.type) {
        case LINTREL_SPLINE:
            flattenSpline(vect.segs, precision, vect, budget);
            break;
        case LINTREL_ARC:
            flattenArc(*vect.segs, precision, vect, budget);
            break;
        case LINTREL_ELLIPSE:
            flattenEllipse(*vect.segs, precision, vect, budget);
            break;
        case LINTREL_BEZIER:
            flattenBezierChain(vect.segs, precision, vect, budget);
            break;
        case LINTREL_TEXT:
            flattenText(vect.segs, vect);
            break;
        default:
            break;
    }
}

void flattenVectChain(Vect* first, double precision, FlattenBudget* budget) {
    for (Vect* vect : ring(first))
        flattenVect(*vect, precision, budget);
}

void flattenGroupChain(VectGroup* first, double precision, FlattenBudget* budget) {
    for (VectGroup* group : ring(first))
        flattenVectChain(group->vects, precision, budget);
}

Seg* flattenedCopy(const Vect& vect, double precision) {
    if (!vect.segs) return nullptr;
    Vect probe{};
    probe.type = vect.type;
    probe.liftHeight = vect.liftHeight;
    probe.segs = copySegChain(vect.segs);
    if (vect.type == LINTREL_ARC)
        flattenArc(*probe.segs, precision, probe);
    else
        flattenBezierChain(probe.segs, precision, probe);
    return probe.segs;
}

bool buildFlatSegs(Vect* vect, double precision) {
    if (!vect || !vect->segs) return false;
    const int type = vect->type;
    if (type != LINTREL_SPLINE && type != LINTREL_ARC && type != LINTREL_BEZIER &&
        type != LINTREL_TEXT)
        return false;
    Seg* definition = copySegChain(vect->segs);
    clearFlatSegs(vect);
    flattenVect(*vect, precision);
    vect->flatSegs = vect->segs;
    vect->segs = definition;
    // A spline keeps the polyline type its resampling gave it.
    if (type != LINTREL_SPLINE) vect->type = type;
    return true;
}

}  // namespace lintrel
