// Exports of curve flattening. Each checks its arguments and hands the curve to the
// flattening of its kind.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"

using namespace lintrel;

extern "C" {

LINTREL_API int VarnixCad3_TransSeges(void* item, double precision) {
    return guardedCode([&]() -> int {
        if (!item) return LINTREL_BAD_ARGUMENT;
        precision = clampPrecision(precision);
        switch (baseTypeOf(item)) {
            case LINTREL_BASE_VECT:
                return VarnixCad3_TransSplineVect(static_cast<Vect*>(item), precision);
            case LINTREL_BASE_GROUP:
                return VarnixCad3_TransSplineVectGroup(static_cast<VectGroup*>(item), precision);
            case LINTREL_BASE_GRAPH:
                return VarnixCad3_TransSplineVectGroup(static_cast<Graph*>(item)->groups,
                                                       precision);
            default:
                return LINTREL_BAD_ARGUMENT;
        }
    });
}

LINTREL_API int VarnixCad3_TransSplineVectGroup(VectGroup* group, double precision) {
    return guardedCode([&]() -> int {
        if (!group) return LINTREL_BAD_ARGUMENT;
        flattenGroupChain(group, precision);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_TransSplineVect(Vect* vect, double precision) {
    return guardedCode([&]() -> int {
        if (!vect) return LINTREL_BAD_ARGUMENT;
        flattenVectChain(vect, precision);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_TransSplineSeges(Seg* segs, double precision, Vect* vect) {
    return guardedCode([&]() -> int {
        if (!segs || !vect) return LINTREL_BAD_ARGUMENT;
        flattenSpline(segs, precision, *vect);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_TransArcSeges(Seg* segs, double precision, Vect* vect) {
    return guardedCode([&]() -> int {
        if (!segs || !vect) return LINTREL_BAD_ARGUMENT;
        flattenArc(*segs, precision, *vect);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_TransEclipseSeges(Seg* segs, double precision, Vect* vect) {
    return guardedCode([&]() -> int {
        if (!segs || !vect) return LINTREL_BAD_ARGUMENT;
        flattenEllipse(*segs, precision, *vect);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_TransBezierSeges(Seg* segs, double precision, Vect* vect) {
    return guardedCode([&]() -> int {
        if (!segs || !vect) return LINTREL_BAD_ARGUMENT;
        flattenBezierChain(segs, precision, *vect);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_TransNOrderBezierSeges(Seg* segs, double precision, Vect* vect) {
    return guardedCode([&]() -> int {
        if (!segs || !vect) return LINTREL_BAD_ARGUMENT;
        flattenBezierAnyDegree(segs, precision, *vect);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_TransTextSeges(Seg* segs, double /*precision: not used*/, Vect* vect) {
    return guardedCode([&]() -> int {
        if (!segs || !vect) return LINTREL_BAD_ARGUMENT;
        flattenText(segs, *vect);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCad3_BuildFlatSegs(Vect* vect, double precision) {
    return guardedCode([&] {
        if (!vect) return LINTREL_BAD_ARGUMENT;
        return buildFlatSegs(vect, precision) ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
    });
}

}  // extern "C"
