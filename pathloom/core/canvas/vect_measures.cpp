// Vect lengths, arc circles and snap candidates.
#include "core/canvas/vect_measures.h"

#include <cmath>

namespace pathloom::canvas {
namespace {

constexpr double kFullCircle = 1e-4;
constexpr double kBezierPrecision = 0.05;
constexpr double kPi = 3.14159265358979323846;

double chainLength(const Seg* chain) {
    double length = 0;
    for (const Seg* s : lintrel::ring(chain)) {
        const Seg& seg = *s;
        if (seg.type == LINTREL_SEG_CURVE) {
            length += std::fabs(seg.z1) > 2 * kPi + 1e-4 ? (seg.x1 - seg.x0) / 2 * std::fabs(seg.z1)
                                                         : (seg.x1 - seg.x0) * kPi;
        } else {
            const double dx = seg.x1 - seg.x0, dy = seg.y1 - seg.y0;
            length += std::sqrt(dx * dx + dy * dy);
        }
    }
    return length;
}

double bezierLength(const Vect& vect) {
    // A flattened copy in a vect of its own, deleted afterwards: the drawing stays as it was.
    Vect* copy = VarnixCad3_NewVect();
    if (!copy) return 0;
    VarnixCad3_TransBezierSeges(vect.segs, kBezierPrecision, copy);
    const double length = chainLength(workingChain(*copy));
    VarnixCad3_DeleteChain(copy);
    return length;
}

bool inside(double px, double py, double x, double y, double half) {
    return px >= x - half && px <= x + half && py >= y - half && py <= y + half;
}

}  // namespace

bool drawnFromDefinition(const Vect& vect) {
    return !vect.flatSegs && vect.segs && (vect.type == LINTREL_ARC || vect.type == LINTREL_BEZIER);
}

Circle arcCircle(const Seg& d) {
    return {(d.x0 + d.x1) / 2, (d.y0 + d.y1) / 2, std::fabs(d.x1 - d.x0) / 2};
}

double vectLength(const Vect& vect) {
    if (!vect.flatSegs && vect.segs && vect.type == LINTREL_ARC) {
        const Circle c = arcCircle(*vect.segs);
        const double sweep = std::fabs(vect.segs->z1);
        return c.r * (sweep <= kFullCircle ? 2 * kPi : sweep);
    }
    if (!vect.flatSegs && vect.segs && vect.type == LINTREL_BEZIER) return bezierLength(vect);
    return chainLength(workingChain(vect));
}

std::optional<PointD> snapPoint(const VectGroup* drawing, double x, double y, double half,
                                bool originPick) {
    std::optional<PointD> found;
    for (const VectGroup* group : lintrel::ring(drawing)) {
        if (found) break;
        for (const Vect* v : lintrel::ring(group->vects)) {
            const Vect& vect = *v;
            if (found) break;
            const Seg* chain = workingChain(vect);
            if (!chain) continue;
            PointD candidates[2];
            if (vect.type == LINTREL_ARC && !vect.flatSegs) {
                const Circle c = arcCircle(*chain);
                if (vect.closed) {
                    candidates[0] = {c.cx + c.r, c.cy};
                    candidates[1] = originPick ? PointD{c.cx, c.cy} : candidates[0];
                } else {
                    const double a = 2 * kPi - chain->z0, b = a - chain->z1;
                    candidates[0] = {c.cx + c.r * std::cos(a), c.cy + c.r * std::sin(a)};
                    candidates[1] = {c.cx + c.r * std::cos(b), c.cy + c.r * std::sin(b)};
                }
            } else {
                candidates[0] = {chain->x0, chain->y0};
                candidates[1] = {chain->prev->x1, chain->prev->y1};
            }
            for (const PointD& p : candidates)
                if (!found && inside(p.x, p.y, x, y, half)) found = p;
        }
    }
    return found;
}

}  // namespace pathloom::canvas
