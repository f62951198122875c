// Drawing figures for the converter's summary.
#include "core/document/drawing_summary.h"

#include <lintrel/lintrel.hpp>

#include <cmath>

namespace pathloom {

namespace {

using lintrel::ring;

double chainLength(const Seg* head, int& segs) {
    double length = 0;
    for (const Seg* s : ring(head)) {
        length += lintrel::distance(lintrel::segStart(*s), lintrel::segEnd(*s));
        ++segs;
    }
    return length;
}

double vectLength(const Vect& v, int& segs) {
    if (!v.segs) return 0;
    if (v.flatSegs) return chainLength(v.flatSegs, segs);
    if (v.type == LINTREL_ARC) {
        const lintrel::ArcGeometry arc = lintrel::arcGeometry(*v.segs);
        ++segs;
        return arc.radius * (arc.fullCircle() ? lintrel::kTwoPi : std::fabs(arc.sweep));
    }
    if (v.type == LINTREL_BEZIER || v.type == LINTREL_TEXT) {
        // Their segs are control points, not a path: measure along a flattened copy.
        Vect* copy = static_cast<Vect*>(VarnixCad3_CopyOne(const_cast<Vect*>(&v)));
        if (!copy) return 0;
        VarnixCad3_BuildFlatSegs(copy, lintrel::kMeasurePrecision);
        const double length = copy->flatSegs ? chainLength(copy->flatSegs, segs) : 0;
        VarnixCad3_DeleteChain(copy);
        return length;
    }
    return chainLength(v.segs, segs);
}

}  // namespace

DrawingFigures measureDrawing(VectGroup* drawing, const MachineParameters& machine) {
    DrawingFigures f;
    if (!drawing) return f;
    for (VectGroup* group : ring(drawing)) {
        ++f.groups;
        for (Vect* v : ring(group->vects)) {
            ++f.vects;
            const double length = vectLength(*v, f.segs);
            f.cutLength += length;
            if (v->speed > 0) f.cutSeconds += length / v->speed;
        }
    }
    f.hasExtent = VarnixCad3_GetRange(drawing, &f.x, &f.y, &f.width, &f.height, 0.05) == LINTREL_OK;
    VarnixCad3_GetTravelLength(drawing, &f.travel);
    if (machine.emptySpeed > 0) f.travelSeconds = f.travel / machine.emptySpeed;
    return f;
}

}  // namespace pathloom
