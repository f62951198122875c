// Conversion of ELLIPSE, SPLINE and MLINE. An ellipse becomes an ellipse vect in the library's
// clockwise convention; a cubic spline becomes a chain of Bezier pieces, one exact piece per span,
// other splines a Bezier chain or a polyline through points on the curve; a multiline becomes
// one polyline per element.
#include <algorithm>
#include <cmath>
#include <functional>

#include "import/dxf/dxf_converter.h"

namespace lintrel::dxf {

namespace {

// Rotation of an ellipse's major axis as the ellipse vect stores it.
double storedRotation(double ax, double ay) {
    const double t =
        std::fabs(ax) > 1e-6 ? std::fabs(std::atan(ay / ax)) : std::fabs(std::atan2(ay, ax));
    if (ay >= 0) return ax >= 0 ? kPi - t : t;
    return ax >= 0 ? -(kPi - t) : -t;
}

// The deepest a span is halved while its cubic piece strays from a rational or high-degree
// curve by more than the tolerance, and the most pieces one spline may ask to halve for; wild
// weights in a damaged file must not cost without bound.
constexpr int kMaxSplits = 8;
constexpr size_t kMaxPieces = 1 << 14;
// Multiline styles have at most 16 elements; more in a file is damage.
constexpr size_t kMaxMLineElements = 64;

// Weights count only when every control point has a positive one and they are not all equal;
// equal weights describe the plain B-spline.
bool isRational(const DxfSpline& s) {
    if (s.weights.size() != s.control.size() || s.weights.empty()) return false;
    bool equal = true;
    for (const double w : s.weights) {
        if (!(w > 0)) return false;
        equal = equal && w == s.weights.front();
    }
    return !equal;
}

Point unitOf(const Vec3& v) {
    const double length = std::hypot(v.x, v.y);
    return length > 0 ? Point{v.x / length, v.y / length} : Point{};
}

bool sameInSingle(Point a, Point b) {
    return std::fabs(static_cast<float>(a.x) - static_cast<float>(b.x)) < 1e-4f &&
           std::fabs(static_cast<float>(a.y) - static_cast<float>(b.y)) < 1e-4f;
}

// True when every control point of `piece` lies within 1e-4 of `at`: the piece adds nothing.
bool addsNothing(const CubicPiece& piece, Point at) {
    return std::all_of(piece.begin(), piece.end(), [at](Point p) { return sameInSingle(p, at); });
}

// Cubic pieces of a cubic spline, each exactly one span. A span adds nothing, and is left out,
// when the curve at its end lies within 1e-4 of the curve at nine tenths of it (repeated knots
// above all) and its whole piece lies within 1e-4 of where the chain stands; a short span that
// ends at a standstill but still goes somewhere keeps its piece. Each piece starts where the
// last one ended, so that the chain stays joined.
void cubicSpanPieces(const BSpline& curve, std::vector<CubicPiece>& pieces) {
    const int n = static_cast<int>(curve.control.size());
    Point previous = evaluate(curve, 3, curve.knots[3]);
    for (int s = 3; s < n; ++s) {
        const double k0 = curve.knots[static_cast<size_t>(s)];
        const double k1 = curve.knots[static_cast<size_t>(s) + 1];
        CubicPiece piece = spanBezier(curve, s);
        if (s + 1 < n &&
            sameInSingle(evaluate(curve, s, k1), evaluate(curve, s, k0 + 9 * (k1 - k0) / 10)) &&
            addsNothing(piece, previous))
            continue;
        piece[0] = previous;
        pieces.push_back(piece);
        previous = piece[3];
    }
}

// Cubic pieces that follow any curve within `tolerance` over [t0, t1], halving the interval
// where one piece is not enough.
void adaptivePieces(const std::function<Point(double)>& at, double t0, double t1, double tolerance,
                    int depth, std::vector<CubicPiece>& pieces) {
    std::array<Point, 11> samples;
    for (int i = 0; i <= 10; ++i)
        samples[i] = at(t0 + i * (t1 - t0) / 10);
    const CubicPiece piece = fitCubic(samples);
    if (depth < kMaxSplits && pieces.size() < kMaxPieces &&
        fitDeviation(piece, at, t0, t1, 20) > tolerance) {
        const double mid = (t0 + t1) / 2;
        adaptivePieces(at, t0, mid, tolerance, depth + 1, pieces);
        adaptivePieces(at, mid, t1, tolerance, depth + 1, pieces);
        return;
    }
    pieces.push_back(piece);
    // Neighbouring pieces meet exactly, whatever the fit made of the ends.
    if (pieces.size() > 1) pieces.back()[0] = pieces[pieces.size() - 2][3];
}

}  // namespace

// The affine image of an ellipse C + cos t·P + sin t·Q is again an ellipse. With the placed
// half-axes as the columns of B = R(beta) · diag(sx, sy) · R(gamma) (the singular value
// decomposition of a 2 x 2 matrix), its major axis is sx along beta, its ratio |sy| / sx, and
// its parameter t + gamma; a negative sy (a mirroring placement) runs it the other way round.
DxfEllipse Converter::placedEllipse(const DxfEllipse& in) const {
    const Point p = place_.vector(in.major.x, in.major.y);
    const Point q = place_.vector(-in.ratio * in.major.y, in.ratio * in.major.x);
    const double e = (p.x + q.y) / 2, f = (p.x - q.y) / 2;
    const double g = (p.y + q.x) / 2, h = (p.y - q.x) / 2;
    const double hq = std::hypot(e, h), hr = std::hypot(f, g);
    const double sx = hq + hr, sy = hq - hr;
    const double a1 = std::atan2(g, f), a2 = std::atan2(h, e);
    const double gamma = (a2 - a1) / 2, beta = (a2 + a1) / 2;

    DxfEllipse out = in;
    const Point c = placed(in.centre.x, in.centre.y);
    out.centre = {c.x, c.y, in.centre.z};
    out.major = {sx * std::cos(beta), sx * std::sin(beta), in.major.z};
    out.ratio = sx > 0 ? std::fabs(sy) / sx : 0;
    const bool full = std::fabs(in.start) < 1e-5 && std::fabs(in.end - kTwoPi) < 1e-5;
    if (sy < 0) {
        out.start = -(in.start + gamma);
        out.end = -(in.end + gamma);
        out.direction = in.direction ? 0 : 1;
    } else {
        out.start = in.start + gamma;
        out.end = in.end + gamma;
    }
    if (full) {
        out.start = 0;
        out.end = kTwoPi;
    }
    return out;
}

void Converter::convertEllipse(const DxfEllipse& in) {
    const DxfEllipse e = place_.identity ? in : placedEllipse(in);
    const double d = e.start, en = e.end;
    double f = kTwoPi - (d - kPi), g = kTwoPi - (en - kPi);
    if (std::fabs(d) < 1e-5 && std::fabs(en - kTwoPi) < 1e-5) {
        f = e.direction > 0 ? -kTwoPi : 0;
        g = e.direction > 0 ? 0 : kTwoPi;
    }
    const double a = std::hypot(e.major.x, e.major.y);
    f = reduceAngle(f);
    g = reduceAngle(g);
    const double sweep =
        e.direction >= 1 ? -((g < f ? f : f + kTwoPi) - g) : (f < g ? g - f : g + kTwoPi - f);
    Vect* v = newVect();
    v->type = LINTREL_ELLIPSE;
    v->liftHeight = storedRotation(e.major.x, e.major.y);
    Seg* s =
        newLine(e.centre.x - a, e.centre.y - a * e.ratio, e.centre.x + a, e.centre.y + a * e.ratio);
    s->z0 = f;
    s->z1 = sweep;
    v->segs = s;
    v->closed = std::fabs(sweep) <= 1e-4 ? 1 : 0;
    add(e.colour, v);
}

void Converter::convertAsEllipse(const DxfEntity& entity, const Vec3& centre, double radius,
                                 double start, double end, bool ccw) {
    DxfEllipse e;
    static_cast<DxfEntity&>(e) = entity;
    e.centre = centre;
    e.major = {radius, 0, 0};
    e.start = start;
    e.end = end;
    e.direction = ccw ? 1 : 0;
    convertEllipse(e);
}

void Converter::emitBezier(const std::vector<CubicPiece>& pieces, int colour) {
    if (pieces.empty()) return;
    Vect* v = newVect();
    v->type = LINTREL_BEZIER;
    for (const CubicPiece& p : pieces)
        for (int k = 0; k < 3; ++k)
            append(v->segs, newLine(p[k].x, p[k].y, p[k + 1].x, p[k + 1].y));
    v->closed = samePoint(segStart(*v->segs), segEnd(*lastOf(v->segs))) ? 1 : 0;
    add(colour, v);
}

void Converter::convertSpline(const DxfSpline& s) {
    if (s.control.size() < 2) return convertFitSpline(s);
    std::vector<Point> control;
    control.reserve(s.control.size());
    for (const Vec3& c : s.control)
        control.push_back(placed(c.x, c.y));
    const size_t n = control.size();
    const int degree =
        std::clamp(s.degree, 1, static_cast<int>(std::min<size_t>(n - 1, kMaxDegree)));
    // Knots that do not fit the control points cannot be evaluated; a clamped uniform
    // vector stands in for them.
    std::vector<double> knots =
        validKnots(degree, n, s.knots) ? normalisedKnots(s.knots) : clampedUniformKnots(degree, n);
    const bool rational = isRational(s);
    const BSpline curve{degree, knots, control,
                        rational ? std::span<const double>(s.weights) : std::span<const double>()};

    std::vector<CubicPiece> pieces;
    if (degree == 3 && n > 3 && !rational) {
        cubicSpanPieces(curve, pieces);
        return emitBezier(pieces, s.colour);
    }
    // A single span of a lower degree is one exact piece too.
    if (static_cast<size_t>(degree) + 1 == n && degree <= 2 && !rational)
        return emitBezier({spanBezier(curve, degree)}, s.colour);
    if (rational || static_cast<size_t>(degree) + 1 == n) {
        for (int span = degree; span < static_cast<int>(n); ++span) {
            const double t0 = knots[static_cast<size_t>(span)];
            const double t1 = knots[static_cast<size_t>(span) + 1];
            if (!(t1 > t0)) continue;
            adaptivePieces([&](double t) { return evaluate(curve, span, t); }, t0, t1,
                           precision_ / 4, 0, pieces);
        }
        return emitBezier(pieces, s.colour);
    }
    // Any other spline: ten points on the curve per span, as a spline polyline.
    std::vector<DxfVertex> points;
    for (int span = degree; span < static_cast<int>(n); ++span) {
        const double t0 = knots[static_cast<size_t>(span)];
        const double t1 = knots[static_cast<size_t>(span) + 1];
        if (!(t1 > t0)) continue;
        for (int i = points.empty() ? 0 : 1; i <= 10; ++i) {
            const Point p = evaluate(curve, span, t0 + i * (t1 - t0) / 10);
            points.push_back({p.x, p.y, 0, 0, 0});
        }
    }
    if (points.size() < 2) return;
    const bool closed =
        samePoint({points.front().x, points.front().y}, {points.back().x, points.back().y});
    Vect* v = polylineThrough(points, closed);
    v->type = LINTREL_SPLINE;
    add(s.colour, v);
}

// A spline saved with its fit points only: the cubic through them, with the end tangents when
// the file gives them.
void Converter::convertFitSpline(const DxfSpline& s) {
    if (s.fit.size() < 2) return;
    std::vector<Point> fit;
    for (const Vec3& p : s.fit)
        fit.push_back(placed(p.x, p.y));
    if ((s.flags & 1) && !samePoint(fit.front(), fit.back(), 0)) fit.push_back(fit.front());
    const Point start = place_.vector(s.startTangent.x, s.startTangent.y);
    const Point end = place_.vector(s.endTangent.x, s.endTangent.y);
    emitBezier(interpolateFitPoints(fit, s.hasStartTangent ? &start : nullptr,
                                    s.hasEndTangent ? &end : nullptr),
               s.colour);
}

// Element k's point at a vertex lies off the vertex by its first parameter along the miter and
// its second along the segment direction.
void Converter::convertMLine(const DxfMLine& m) {
    // The elements the vertices describe; an announced count alone draws nothing.
    size_t elements = 0;
    for (const DxfMLineVertex& v : m.vertices)
        elements = std::min(std::max(elements, v.elements.size()), kMaxMLineElements);
    std::vector<DxfVertex> points;
    for (size_t k = 0; k < elements; ++k) {
        points.clear();
        for (const DxfMLineVertex& v : m.vertices) {
            const std::array<double, 2> p =
                k < v.elements.size() ? v.elements[k] : std::array<double, 2>{0, 0};
            const Point miter = unitOf(v.miter), along = unitOf(v.direction);
            points.push_back({v.at.x + p[0] * miter.x + p[1] * along.x,
                              v.at.y + p[0] * miter.y + p[1] * along.y, v.at.z, 0, 0});
        }
        if (m.closed() && !points.empty()) points.push_back(points.front());
        placeVertices(points);
        convertVertices(points, m.closed(), false, m.colour);
    }
}

}  // namespace lintrel::dxf
