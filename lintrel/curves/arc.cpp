// Arcs, circles and ellipses to line segs. Sample points are computed in double and kept in
// single precision, as stored drawings have always had them.
#include <vector>

#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel {

namespace {

constexpr int kFewestArcSteps = 8;  // the step-count rule's minimum
constexpr int kFewestEllipsePoints = 20;

void installChain(Vect& vect, const std::vector<Point>& points) {
    replaceSegs(&vect, chainThrough(points));
    vect.type = LINTREL_POLYLINE;
}

// Sets the last seg's end to exactly the first seg's start, so the ring closes.
void closeExactly(Seg* head) {
    Seg* last = head->prev;
    last->x1 = head->x0;
    last->y1 = head->y0;
    last->z1 = head->z0;
}

// Brings a parameter angle below 2pi by whole turns; values far out of range (from a corrupt
// file) are reduced in one step instead of looping.
double belowFullTurn(double angle) {
    if (angle >= 64 * kTwoPi) angle = std::fmod(angle, kTwoPi);
    while (angle >= kTwoPi)
        angle -= kTwoPi;
    return angle;
}

}  // namespace

void flattenArc(const Seg& source, double precision, Vect& vect, FlattenBudget* budget) {
    precision = clampPrecision(precision);
    const ArcGeometry arc = arcGeometry(source);
    const double r = arc.radius;
    double span, length;
    if (std::fabs(arc.sweep) > kSame) {
        span = -arc.sweep;
        length = std::fabs(arc.sweep) * r;
    } else {
        span = source.x0 <= source.x1 ? kTwoPi : -kTwoPi;
        length = kTwoPi * r;
    }
    const int n = budgetedSteps(budget, stepCount(length, r, precision), kFewestArcSteps);
    std::vector<Point> points(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double theta = i * span / n + (kTwoPi - arc.start);
        points[i] = {single(arc.centre.x + r * std::cos(theta)),
                     single(arc.centre.y + r * std::sin(theta))};
    }
    installChain(vect, points);
    if (std::fabs(span - kTwoPi) < kSame) closeExactly(vect.segs);
}

void flattenEllipse(const Seg& source, double precision, Vect& vect, FlattenBudget* budget) {
    precision = clampPrecision(precision);
    const double cx = (source.x0 + source.x1) / 2, cy = (source.y0 + source.y1) / 2;
    const double a = std::fabs(source.x1 - source.x0) / 2, b = std::fabs(source.y1 - source.y0) / 2;
    const double e = vect.liftHeight;
    const double rotation = (e > 0 && e <= kPi) ? kTwoPi - e : -e;
    const double start = belowFullTurn(kTwoPi - source.z0);
    const double sweep = source.z1;

    // Perimeter estimate and mean radius in single precision, as the step count always used.
    const float perimeter = static_cast<float>((4 * std::fabs(a - b) + kTwoPi * std::min(a, b)) /
                                               kTwoPi * std::fabs(sweep));
    const float meanRadius = perimeter / static_cast<float>(std::fabs(sweep));
    double chord = meanRadius > precision
                       ? 2 * meanRadius * std::acos((meanRadius - precision) / meanRadius)
                       : 0;
    if (!(chord >= 0.1)) chord = 0.1;
    const double wanted = perimeter / chord + 1;
    int count = std::isfinite(wanted) && wanted < kMaxCurveSteps ? static_cast<int>(wanted)
                                                                 : kMaxCurveSteps;
    if (!std::isfinite(wanted)) count = 20;
    count = budgetedSteps(budget, std::max(count, kFewestEllipsePoints), kFewestEllipsePoints);

    const double cf = std::cos(rotation), sf = std::sin(rotation);
    std::vector<Point> points(count);
    for (int i = 0; i < count; ++i) {
        const double angle = i * -sweep / (count - 1) + start;
        const double x = a * std::cos(angle), y = b * std::sin(angle);
        points[i] = {single(cx + x * cf - y * sf), single(cy + x * sf + y * cf)};
    }
    installChain(vect, points);
    if (std::fabs(-sweep - kTwoPi) < kSame) closeExactly(vect.segs);
}

}  // namespace lintrel
