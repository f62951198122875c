// Spline polylines resampled at equal distances, cubic Bezier chains, Bezier curves of any
// degree and text outlines to line segs. Control points and samples are single precision.
#include <algorithm>
#include <vector>

#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel {

namespace {

struct PointF {
    float x = 0, y = 0;
};

PointF startF(const Seg& s) {
    return {static_cast<float>(s.x0), static_cast<float>(s.y0)};
}
PointF endF(const Seg& s) {
    return {static_cast<float>(s.x1), static_cast<float>(s.y1)};
}

float turnAt(PointF a, PointF b, PointF c) {
    return turnBetween(b.x - a.x, b.y - a.y, c.x - b.x, c.y - b.y);
}

PointF cubicAt(const PointF p[4], float t) {
    auto coord = [t](float p0, float p1, float p2, float p3) {
        return p0 + 3 * t * (p1 - p0) + 3 * t * t * (p0 - 2 * p1 + p2) +
               t * t * t * (3 * p1 - 3 * p2 + p3 - p0);
    };
    return {coord(p[0].x, p[1].x, p[2].x, p[3].x), coord(p[0].y, p[1].y, p[2].y, p[3].y)};
}

// Appends `count` samples of the cubic at t = i / (count - 1) as points.
void sampleCubic(const PointF p[4], int count, std::vector<Point>& out) {
    for (int i = 0; i < count; ++i) {
        const PointF b = cubicAt(p, static_cast<float>(i) / static_cast<float>(count - 1));
        out.push_back({b.x, b.y});
    }
}

std::vector<const Seg*> segsOf(const Seg* head) {
    std::vector<const Seg*> segs;
    for (const Seg* s : ring(head))
        segs.push_back(s);
    return segs;
}

void installPolyline(Vect& vect, Seg* chain) {
    replaceSegs(&vect, chain);
    vect.type = LINTREL_POLYLINE;
}

}  // namespace

void flattenSpline(const Seg* source, double precision, Vect& vect, FlattenBudget* budget) {
    precision = clampPrecision(precision);
    const std::vector<const Seg*> segs = segsOf(source);
    if (segs.size() < 2) return;

    double length = 0, turn = 0;
    for (size_t i = 0; i < segs.size(); ++i) {
        length += distance(segStart(*segs[i]), segEnd(*segs[i]));
        if (i > 0) turn += turnAt(startF(*segs[i - 1]), endF(*segs[i - 1]), endF(*segs[i]));
    }
    const int n = budgetedSteps(budget, stepCount(length, length / turn, precision), 8);
    const double step = length / n;

    // Walk the polyline placing a point after every `step`; the rest of a step carries over
    // into the next seg when the current one runs out.
    std::vector<Point> points;
    points.reserve(n + 1);
    points.push_back(segStart(*segs.front()));
    double left = step;
    for (const Seg* s : segs) {
        if (static_cast<int>(points.size()) >= n) break;
        const double segLength = distance(segStart(*s), segEnd(*s));
        const float angle =
            directionAngle(static_cast<float>(s->x1 - s->x0), static_cast<float>(s->y1 - s->y0));
        const double c = std::cos(angle), sn = std::sin(angle);
        double along = 0;
        while (segLength - along >= left && static_cast<int>(points.size()) < n) {
            along += left;
            left = step;
            points.push_back({s->x0 + along * c, s->y0 + along * sn});
        }
        left -= segLength - along;
    }
    points.push_back(segEnd(*segs.back()));
    installPolyline(vect, chainThrough(points));
}

void flattenBezierChain(const Seg* source, double precision, Vect& vect, FlattenBudget* budget) {
    precision = clampPrecision(precision);
    const std::vector<const Seg*> segs = segsOf(source);
    const size_t pieces = segs.size() / 3;
    if (pieces == 0) return;  // no complete piece: the vect stays a Bezier

    Seg* chain = nullptr;
    std::vector<Point> points;
    for (size_t k = 0; k < pieces; ++k) {
        const Seg* const* s = &segs[3 * k];
        const PointF p[4] = {startF(*s[0]), endF(*s[0]), endF(*s[1]), endF(*s[2])};
        const float length = std::fabs(p[1].x - p[0].x) + std::fabs(p[1].y - p[0].y) +
                             std::fabs(p[3].x - p[2].x) + std::fabs(p[3].y - p[2].y);
        const float turn = turnAt(p[0], p[1], p[2]) + turnAt(p[1], p[2], p[3]);
        const int n = budgetedSteps(budget, stepCount(length, length / turn, precision), 8);
        points.clear();
        sampleCubic(p, n, points);
        append(chain, chainThrough(points));
    }
    installPolyline(vect, chain);
}

void flattenBezierAnyDegree(const Seg* source, double step, Vect& vect) {
    const float stepF = static_cast<float>(clampPrecision(step));
    const std::vector<const Seg*> segs = segsOf(source);
    if (segs.size() < 2) {
        vect.type = LINTREL_POLYLINE;
        return;
    }
    std::vector<PointF> control;
    control.push_back(startF(*segs.front()));
    for (const Seg* s : segs)
        control.push_back(endF(*s));
    const int degree = static_cast<int>(segs.size());

    // Binomial coefficients by repeated multiply-and-divide; doubles stay exact far beyond
    // the degrees that occur and never overflow into undefined behaviour.
    std::vector<double> binomial(degree + 1);
    double c = 1;
    for (int i = 0; i <= degree; ++i) {
        binomial[i] = c;
        c = c * (degree - i) / (i + 1);
    }

    std::vector<Point> points;
    for (float t = 0;; t += stepF) {
        const bool last = t >= 1;
        if (last) t = 1;
        float x = 0, y = 0;
        for (int i = 0; i <= degree; ++i) {
            float w = static_cast<float>(binomial[i]);
            for (int j = 0; j < i; ++j)
                w *= t;
            for (int j = i; j < degree; ++j)
                w *= 1 - t;
            x += w * control[i].x;
            y += w * control[i].y;
        }
        points.push_back({x, y});
        if (last) break;
    }
    installPolyline(vect, chainThrough(points));
}

void flattenText(const Seg* source, Vect& vect) {
    const std::vector<const Seg*> segs = segsOf(source);
    Seg* chain = nullptr;
    int32_t pendingJump = 0;
    auto emit = [&](Seg* seg) {
        if (pendingJump) seg->jump = std::exchange(pendingJump, 0);
        append(chain, seg);
    };
    std::vector<Point> points;
    for (size_t i = 0; i < segs.size();) {
        const Seg& s = *segs[i];
        const bool curveRun = i + 2 < segs.size() && s.type == LINTREL_SEG_CURVE &&
                              segs[i + 1]->type == LINTREL_SEG_CURVE &&
                              segs[i + 2]->type == LINTREL_SEG_CURVE;
        if (!curveRun) {
            if (s.jump) pendingJump = s.jump;
            Seg* line = newLine(s.x0, s.y0, s.x1, s.y1);
            line->z0 = s.z0;
            line->z1 = s.z1;
            emit(line);
            ++i;
            continue;
        }
        for (int k = 0; k < 3; ++k)
            if (segs[i + k]->jump) pendingJump = segs[i + k]->jump;
        const PointF p[4] = {startF(s), endF(s), endF(*segs[i + 1]), endF(*segs[i + 2])};
        const float extent = std::fabs(p[3].x - p[2].x) + std::fabs(p[1].x - p[0].x) +
                             std::fabs(p[3].y - p[2].y) + std::fabs(p[1].y - p[0].y);
        const int n =
            std::isfinite(extent) ? std::clamp(static_cast<int>(std::min(extent, 50.f)), 8, 50) : 8;
        points.clear();
        sampleCubic(p, n, points);
        for (size_t j = 1; j < points.size(); ++j) {
            Seg* line = newLine(points[j - 1].x, points[j - 1].y, points[j].x, points[j].y);
            line->z0 = s.z0;
            line->z1 = s.z1;
            emit(line);
        }
        i += 3;
    }
    replaceSegs(&vect, chain);
    vect.type = LINTREL_POLYLINE;
}

}  // namespace lintrel
