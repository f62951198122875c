// Flattening adapter, the guards on the values a program states and the arc-command geometry
// shared by both languages.
#include "core/codegen/vect_path.h"

#include "core/settings/settings.h"

namespace pathloom {

ProcessSettings writableSettings(const ProcessSettings& settings) {
    ProcessSettings checked = settings;
    keepValidValues(checked);
    return checked;
}

double cutSpeed(const Vect& vect, const ProcessPreset& preset) {
    return writtenRate(rules::kSpeed.allows(vect.speed) ? vect.speed : preset.speed);
}

int smoothVect(Vect& vect, double tolerance) {
    // The vect is taken as the head of its list; firstOnly limits the work to it.
    return Lintrel_CurveSmooth(&vect, tolerance, 0, 1);
}

int ensureFlatChain(Vect& vect, const ProcessPreset& preset) {
    if (vect.flatSegs) return 0;
    const int code = smoothVect(vect, preset.refAccuracy);
    return code == LINTREL_OK || code == LINTREL_NOTHING_TO_DO ? 0 : code;
}

ArcMove arcMove(const Vect& vect) {
    const Seg& definition = *vect.segs;
    ArcMove arc;
    if (std::fabs(definition.z1) >= kSamePosition) {
        arc.clockwise = definition.z1 > 0;
        arc.change = -definition.z1;
    } else {
        // A full circle runs clockwise when its definition's corners are stored right to left.
        arc.clockwise = definition.x1 <= definition.x0;
        arc.change = arc.clockwise ? -lintrel::kTwoPi : lintrel::kTwoPi;
    }
    arc.centre = {(definition.x0 + definition.x1) / 2, (definition.y0 + definition.y1) / 2};
    if (vect.flatSegs)
        arc.end = lintrel::segEnd(*vect.flatSegs->prev);
    else
        arc.end = lintrel::arcEndPoint(lintrel::arcGeometry(definition));
    return arc;
}

}  // namespace pathloom
