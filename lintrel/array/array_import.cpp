// The array family's import: the drawing replaces the array chain, and every curve but arcs is
// reduced to line segments, as the family's records carry only lines and arcs.
#include "array/array_chain.h"
#include "curves/flatten.h"
#include "import/reader.h"
#include "model/items.h"

namespace lintrel {

void importArrayChain(const char* fileName, double pltUnits, int importOptions, double precision,
                      ImportDiagnostics& diagnostics) {
    VectGroup*& chain = arrayChain();
    deleteGroupChain(chain);
    chain = nullptr;
    chain =
        VxCadReader().importFile(fileName, pltUnits, importOptions, precision, false, diagnostics);
    numberGroups(chain);
    for (VectGroup* g : ring(chain))
        for (Vect* v : ring(g->vects)) {
            if (v->segs) {
                if (v->type == LINTREL_SPLINE) flattenSpline(v->segs, precision, *v);
                if (v->type == LINTREL_ELLIPSE) flattenEllipse(*v->segs, precision, *v);
                if (v->type == LINTREL_BEZIER) flattenBezierChain(v->segs, precision, *v);
                if (v->type == LINTREL_TEXT) flattenText(v->segs, *v);
            }
            if (v->type != LINTREL_POINT && v->type != LINTREL_POLYLINE && v->type != LINTREL_ARC)
                v->type = LINTREL_POLYLINE;
        }
}

}  // namespace lintrel
