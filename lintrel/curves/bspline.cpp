// De Boor evaluation (plain and rational), exact Bezier pieces of spans by knot insertion, the
// least-squares cubic fit with re-parameterisation, and the interpolation of fit points by a C2
// cubic.
#include "curves/bspline.h"

#include <algorithm>
#include <cmath>

namespace lintrel {

namespace {

struct Homogeneous {
    double x = 0, y = 0, w = 1;
};

Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
Point operator*(double k, Point a) {
    return {k * a.x, k * a.y};
}
double dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}

// First and second derivative of a cubic Bezier piece.
Point bezierDerivative(const CubicPiece& p, double t) {
    const double u = 1 - t;
    return 3 * u * u * (p[1] - p[0]) + 6 * u * t * (p[2] - p[1]) + 3 * t * t * (p[3] - p[2]);
}
Point bezierSecond(const CubicPiece& p, double t) {
    return 6 * (1 - t) * (p[2] - 2 * p[1] + p[0]) + 6 * t * (p[3] - 2 * p[2] + p[1]);
}

// Least-squares inner control points for samples at the given parameters, ends fixed.
CubicPiece fitAt(std::span<const Point> samples, std::span<const double> params) {
    const Point p0 = samples.front(), p3 = samples.back();
    double c11 = 0, c12 = 0, c22 = 0;
    Point x1, x2;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = params[i], u = 1 - t;
        const double b0 = u * u * u, b1 = 3 * t * u * u, b2 = 3 * t * t * u, b3 = t * t * t;
        const Point rest = samples[i] - b0 * p0 - b3 * p3;
        c11 += b1 * b1;
        c12 += b1 * b2;
        c22 += b2 * b2;
        x1 = x1 + b1 * rest;
        x2 = x2 + b2 * rest;
    }
    const double det = c11 * c22 - c12 * c12;
    if (!(std::fabs(det) > 1e-12))
        return {p0, p0 + (1.0 / 3) * (p3 - p0), p0 + (2.0 / 3) * (p3 - p0), p3};
    const Point p1 = (1 / det) * (c22 * x1 - c12 * x2);
    const Point p2 = (1 / det) * (c11 * x2 - c12 * x1);
    return {p0, p1, p2, p3};
}

// One Newton step towards the parameter of the piece's point nearest to `s`.
double nearestParameter(const CubicPiece& piece, Point s, double t) {
    const Point d = bezierPoint(piece, t) - s;
    const Point d1 = bezierDerivative(piece, t);
    const double denominator = dot(d1, d1) + dot(d, bezierSecond(piece, t));
    if (!(std::fabs(denominator) > 1e-15)) return t;
    return std::clamp(t - dot(d, d1) / denominator, 0.0, 1.0);
}

Point unit(Point v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0 ? (1 / length) * v : Point{};
}

}  // namespace

bool validKnots(int degree, size_t controlCount, std::span<const double> knots) {
    if (knots.size() != controlCount + static_cast<size_t>(degree) + 1) return false;
    for (size_t i = 1; i < knots.size(); ++i)
        if (!(knots[i] >= knots[i - 1])) return false;
    return knots.back() > knots.front();
}

std::vector<double> clampedUniformKnots(int degree, size_t controlCount) {
    const size_t count = controlCount + static_cast<size_t>(degree) + 1;
    const size_t inner = controlCount - static_cast<size_t>(degree);  // spans
    std::vector<double> knots(count);
    for (size_t i = 0; i < count; ++i) {
        const double k = static_cast<double>(i) - degree;
        knots[i] = std::clamp(k / static_cast<double>(inner), 0.0, 1.0);
    }
    return knots;
}

std::vector<double> normalisedKnots(std::span<const double> knots) {
    std::vector<double> out(knots.size(), 0.0);
    if (knots.empty()) return out;
    const double first = knots.front(), range = knots.back() - first;
    if (range != 0)
        for (size_t i = 0; i < knots.size(); ++i)
            out[i] = (knots[i] - first) / range;
    return out;
}

bool clampedKnots(int degree, std::span<const double> knots) {
    const size_t d = static_cast<size_t>(degree);
    if (knots.size() < 2 * d + 2) return false;
    for (size_t i = 1; i <= d; ++i)
        if (knots[i] != knots[0] || knots[knots.size() - 1 - i] != knots.back()) return false;
    return true;
}

namespace {

// De Boor's triangle over span `span`, level r (1 ... degree) taking the parameter
// levelParameter(r). With one parameter on every level it is the curve's point; with the parameters
// u1 ... up it is the polar form f(u1, ..., up), which is what inserting the knots u1 ... up
// (Boehm) leaves as a control point.
template <typename LevelParameter>
Point deBoor(const BSpline& curve, int span, LevelParameter levelParameter) {
    const int p = curve.degree;
    const bool rational = !curve.weights.empty();
    std::array<Homogeneous, kMaxDegree + 1> d;
    for (int j = 0; j <= p; ++j) {
        const size_t k = static_cast<size_t>(span - p + j);
        const double w = rational ? curve.weights[k] : 1;
        d[j] = {curve.control[k].x * w, curve.control[k].y * w, w};
    }
    for (int r = 1; r <= p; ++r) {
        const double t = levelParameter(r);
        for (int j = p; j >= r; --j) {
            const double left = curve.knots[static_cast<size_t>(span - p + j)];
            const double right = curve.knots[static_cast<size_t>(span + 1 + j - r)];
            const double alpha = right > left ? (t - left) / (right - left) : 0;
            d[j] = {(1 - alpha) * d[j - 1].x + alpha * d[j].x,
                    (1 - alpha) * d[j - 1].y + alpha * d[j].y,
                    (1 - alpha) * d[j - 1].w + alpha * d[j].w};
        }
    }
    if (!rational) return {d[p].x, d[p].y};
    return d[p].w != 0 ? Point{d[p].x / d[p].w, d[p].y / d[p].w} : Point{d[p].x, d[p].y};
}

// The polar form of the span's polynomial with `ends` of its arguments at the span's end knot
// and the rest at its start knot.
Point polarAtEnds(const BSpline& curve, int span, int ends) {
    const double a = curve.knots[static_cast<size_t>(span)];
    const double b = curve.knots[static_cast<size_t>(span) + 1];
    return deBoor(curve, span, [&](int level) { return level <= ends ? b : a; });
}

}  // namespace

Point evaluate(const BSpline& curve, int span, double t) {
    return deBoor(curve, span, [t](int) { return t; });
}

CubicPiece spanBezier(const BSpline& curve, int span) {
    // The Bezier control points of a span of degree p are f(a^(p-i), b^i), i = 0 ... p. Higher
    // degrees are no cubic; the bound only keeps a wrong call inside the array.
    std::array<Point, 4> polar;
    for (int i = 0; i <= std::min(curve.degree, 3); ++i)
        polar[static_cast<size_t>(i)] = polarAtEnds(curve, span, i);
    if (curve.degree == 3) return polar;
    return elevatedToCubic(
        std::span<const Point>(polar.data(), static_cast<size_t>(curve.degree) + 1));
}

CubicPiece elevatedToCubic(std::span<const Point> p) {
    if (p.size() == 2)
        return {p[0],
                {p[0].x + (p[1].x - p[0].x) / 3, p[0].y + (p[1].y - p[0].y) / 3},
                {p[0].x + 2 * (p[1].x - p[0].x) / 3, p[0].y + 2 * (p[1].y - p[0].y) / 3},
                p[1]};
    return {p[0],
            {p[0].x + 2 * (p[1].x - p[0].x) / 3, p[0].y + 2 * (p[1].y - p[0].y) / 3},
            {p[2].x + 2 * (p[1].x - p[2].x) / 3, p[2].y + 2 * (p[1].y - p[2].y) / 3},
            p[2]};
}

Point bezierPoint(const CubicPiece& p, double t) {
    const double u = 1 - t;
    return (u * u * u) * p[0] + (3 * t * u * u) * p[1] + (3 * t * t * u) * p[2] +
           (t * t * t) * p[3];
}

CubicPiece fitCubic(std::span<const Point> samples) {
    const size_t n = samples.size();
    std::vector<double> params(n);
    for (size_t i = 0; i < n; ++i)
        params[i] = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0;
    CubicPiece piece = fitAt(samples, params);
    for (int refit = 0; refit < 4; ++refit) {
        for (size_t i = 1; i + 1 < n; ++i)
            params[i] = nearestParameter(piece, samples[i], params[i]);
        const CubicPiece next = fitAt(samples, params);
        bool moved = false;
        for (int k : {1, 2})
            moved = moved || std::fabs(next[k].x - piece[k].x) >= 0.01 ||
                    std::fabs(next[k].y - piece[k].y) >= 0.01;
        piece = next;
        if (!moved) break;
    }
    return piece;
}

double fitDeviation(const CubicPiece& piece, const std::function<Point(double)>& at, double t0,
                    double t1, int checks) {
    double worst = 0;
    for (int i = 1; i < checks; ++i) {
        const double f = static_cast<double>(i) / checks;
        worst = std::max(worst, distance(bezierPoint(piece, f), at(t0 + f * (t1 - t0))));
    }
    return worst;
}

std::vector<CubicPiece> interpolateFitPoints(std::span<const Point> fit, const Point* startTangent,
                                             const Point* endTangent) {
    // Repeated points give no direction and no parameter step.
    std::vector<Point> q;
    for (const Point& p : fit)
        if (q.empty() || !samePoint(q.back(), p, 1e-12)) q.push_back(p);
    const size_t n = q.size();
    if (n < 2) return {};
    std::vector<double> h(n - 1);
    for (size_t i = 0; i + 1 < n; ++i)
        h[i] = distance(q[i], q[i + 1]);

    // Tridiagonal system for the first derivatives D_i (chord-length parameters, so about unit
    // speed): a_i D_{i-1} + b_i D_i + c_i D_{i+1} = r_i.
    std::vector<double> a(n, 0), b(n, 0), c(n, 0);
    std::vector<Point> r(n);
    const Point t0 = startTangent ? unit(*startTangent) : Point{};
    const Point t1 = endTangent ? unit(*endTangent) : Point{};
    if (startTangent && dot(t0, t0) > 0) {
        b[0] = 1;
        r[0] = t0;
    } else {
        b[0] = 2;
        c[0] = 1;
        r[0] = (3 / h[0]) * (q[1] - q[0]);
    }
    for (size_t i = 1; i + 1 < n; ++i) {
        a[i] = h[i];
        b[i] = 2 * (h[i - 1] + h[i]);
        c[i] = h[i - 1];
        r[i] = 3 * ((h[i] / h[i - 1]) * (q[i] - q[i - 1]) + (h[i - 1] / h[i]) * (q[i + 1] - q[i]));
    }
    if (endTangent && dot(t1, t1) > 0) {
        a[n - 1] = 0;
        b[n - 1] = 1;
        r[n - 1] = t1;
    } else {
        a[n - 1] = 1;
        b[n - 1] = 2;
        r[n - 1] = (3 / h[n - 2]) * (q[n - 1] - q[n - 2]);
    }
    // Thomas algorithm: the system is diagonally dominant, so no pivoting is needed.
    for (size_t i = 1; i < n; ++i) {
        const double m = a[i] / b[i - 1];
        b[i] -= m * c[i - 1];
        r[i] = r[i] - m * r[i - 1];
    }
    std::vector<Point> d(n);
    d[n - 1] = (1 / b[n - 1]) * r[n - 1];
    for (size_t i = n - 1; i-- > 0;)
        d[i] = (1 / b[i]) * (r[i] - c[i] * d[i + 1]);

    std::vector<CubicPiece> pieces(n - 1);
    for (size_t i = 0; i + 1 < n; ++i)
        pieces[i] = {q[i], q[i] + (h[i] / 3) * d[i], q[i + 1] - (h[i] / 3) * d[i + 1], q[i + 1]};
    return pieces;
}

}  // namespace lintrel
