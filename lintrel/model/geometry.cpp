// The library's own geometric rules: precision clamping, turns, step counts, chains through
// points, angle wrapping, reversal and the cached box of a vect.
#include "model/geometry.h"

#include <algorithm>
#include <vector>

#include "model/items.h"

namespace lintrel {

double clampPrecision(double precision) {
    if (!(precision >= 0.0005)) return 0.0005;  // also catches not-a-number
    if (precision > 0.5) return 0.5;
    return precision;
}

float turnBetween(float dx0, float dy0, float dx1, float dy1) {
    float turn = std::fabs(directionAngle(dx0, dy0) - directionAngle(dx1, dy1));
    if (turn > static_cast<float>(kPi)) turn = static_cast<float>(kTwoPi) - turn;
    return turn;
}

int stepCount(double length, double radius, double precision) {
    constexpr int kMinimum = 8;
    if (!(radius > precision)) return kMinimum;  // also a radius that is not a number
    const double steps = length / (2 * radius * std::acos((radius - precision) / radius)) + 1;
    if (!std::isfinite(steps) || steps < kMinimum) return kMinimum;
    if (steps >= kMaxCurveSteps) return kMaxCurveSteps;
    return static_cast<int>(steps);
}

Seg* chainThrough(std::span<const Point> points) {
    Seg* head = nullptr;
    for (size_t i = 1; i < points.size(); ++i)
        append(head, newLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y));
    return head;
}

double wrapAngle(double angle) {
    if (!std::isfinite(angle)) return angle;
    if (std::fabs(angle) > 64 * kTwoPi) angle = std::fmod(angle, kTwoPi);
    while (angle < 0)
        angle += kTwoPi;
    while (angle > kTwoPi)
        angle -= kTwoPi;
    return angle;
}

bool reverseVect(Vect& v) {
    if (v.type == LINTREL_POINT) return false;
    if (v.type == LINTREL_ARC && v.closed == 0 && v.segs) {
        Seg& d = *v.segs;
        const double end = wrapAngle(d.z0 + d.z1);
        d.z1 = -d.z1;
        d.z0 = end;
    }
    v.segs = reverseChain(v.segs);
    v.flatSegs = reverseChain(v.flatSegs);
    return true;
}

Seg* reverseChain(Seg* head) {
    if (!head) return nullptr;
    std::vector<Seg*> segs;
    for (Seg* s : ring(head))
        segs.push_back(s);
    const size_t n = segs.size();
    if (n > 1) {
        // A jump marks a gap before its seg; after reversal the same gap lies before the
        // seg's predecessor. The first seg's jump goes to the last, which becomes the head.
        std::vector<int32_t> jumps(n);
        for (size_t i = 0; i < n; ++i)
            jumps[(i + n - 1) % n] = segs[i]->jump != 0 ? 1 : 0;
        for (size_t i = 0; i < n; ++i)
            segs[i]->jump = jumps[i];
    }
    // Third values stay: in a curve's defining seg they hold angles, not a third coordinate.
    for (Seg* s : segs) {
        std::swap(s->x0, s->x1);
        std::swap(s->y0, s->y1);
        std::swap(s->prev, s->next);
    }
    return segs.back();
}

void cacheSegBox(Vect& v) {
    bool first = true;
    for (Seg* s : ring(v.segs))
        for (const Point p : {segStart(*s), segEnd(*s)}) {
            v.xMin = first ? p.x : std::min(v.xMin, p.x);
            v.yMin = first ? p.y : std::min(v.yMin, p.y);
            v.xMax = first ? p.x : std::max(v.xMax, p.x);
            v.yMax = first ? p.y : std::max(v.yMax, p.y);
            first = false;
        }
}

}  // namespace lintrel
