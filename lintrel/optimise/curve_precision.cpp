// Curve precision: flattened copies kept beside curve definitions, or conversion of curves to
// polylines for good.
#include "curves/flatten.h"
#include "model/items.h"
#include "model/list_walk.h"
#include "optimise/cleanup.h"

namespace lintrel {

int smoothCurves(Vect* head, double precision, int selectedOnly, bool firstOnly) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    bool treated = false;
    for (Vect* v : ring(head)) {
        if (!takesPart(*v, selectedOnly)) continue;
        if (buildFlatSegs(v, precision) && v->flatSegs) treated = true;
        if (firstOnly) break;
    }
    return treated ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

int convertCurves(Vect* head, double precision, int selectedOnly, bool firstOnly) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    bool converted = false;
    for (Vect* v : ring(head)) {
        if (!takesPart(*v, selectedOnly)) continue;
        const bool curve = v->type >= LINTREL_SPLINE && v->type <= LINTREL_TEXT;
        if (curve) {
            flattenVect(*v, precision);
            // A flattened copy of a definition that no longer exists would go stale.
            clearFlatSegs(v);
            converted = true;
        }
        if (firstOnly) break;
    }
    return converted ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel
