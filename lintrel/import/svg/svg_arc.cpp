// Endpoint to centre conversion of elliptical arcs, following the SVG implementation notes:
// rotate the chord into the ellipse's frame, scale radii up when the chord does not fit, and
// pick the centre on the side the flags ask for.
#include "import/svg/svg_arc.h"

#include <algorithm>
#include <cmath>

namespace lintrel::svg {

namespace {

double angleBetween(double ux, double uy, double vx, double vy) {
    return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

}  // namespace

ArcForm centreArc(Point p0, double rx, double ry, double xAxisRotationDegrees, bool largeArc,
                  bool sweep, Point p1, CentreArc& out) {
    if (p0.x == p1.x && p0.y == p1.y) return ArcForm::kNothing;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) return ArcForm::kLine;
    const double phi = std::fmod(xAxisRotationDegrees, 360.0) * kPi / 180;
    const double cs = std::cos(phi), sn = std::sin(phi);
    const double dx = (p0.x - p1.x) / 2, dy = (p0.y - p1.y) / 2;
    const double x1 = cs * dx + sn * dy, y1 = -sn * dx + cs * dy;
    const double reach = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (reach > 1) {
        rx *= std::sqrt(reach);
        ry *= std::sqrt(reach);
    }
    const double rx2 = rx * rx, ry2 = ry * ry;
    const double numerator = rx2 * ry2 - rx2 * y1 * y1 - ry2 * x1 * x1;
    const double denominator = rx2 * y1 * y1 + ry2 * x1 * x1;
    double factor = denominator > 0 ? std::sqrt(std::max(0.0, numerator / denominator)) : 0;
    if (largeArc == sweep) factor = -factor;
    const double cx1 = factor * rx * y1 / ry, cy1 = -factor * ry * x1 / rx;
    out.centre = {cs * cx1 - sn * cy1 + (p0.x + p1.x) / 2, sn * cx1 + cs * cy1 + (p0.y + p1.y) / 2};
    out.rx = rx;
    out.ry = ry;
    out.rotation = phi;
    const double ux = (x1 - cx1) / rx, uy = (y1 - cy1) / ry;
    const double vx = (-x1 - cx1) / rx, vy = (-y1 - cy1) / ry;
    out.start = std::atan2(uy, ux);
    double delta = angleBetween(ux, uy, vx, vy);
    if (!sweep && delta > 0) delta -= kTwoPi;
    if (sweep && delta < 0) delta += kTwoPi;
    out.sweep = delta;
    if (!std::isfinite(out.centre.x) || !std::isfinite(out.centre.y) || !std::isfinite(delta))
        return ArcForm::kLine;
    return ArcForm::kArc;
}

Point pointOnArc(const CentreArc& arc, double t) {
    const double x = arc.rx * std::cos(t), y = arc.ry * std::sin(t);
    const double cs = std::cos(arc.rotation), sn = std::sin(arc.rotation);
    return {arc.centre.x + cs * x - sn * y, arc.centre.y + sn * x + cs * y};
}

void arcToCubics(const CentreArc& arc, const std::function<void(Point, Point, Point)>& piece) {
    const int pieces =
        std::max(1, static_cast<int>(std::ceil(std::fabs(arc.sweep) / kHalfPi - 1e-9)));
    const double step = arc.sweep / pieces;
    // Control arm length of a cubic that matches a circular arc of `step` at its ends and middle.
    const double arm = 4.0 / 3 * std::tan(step / 4);
    const double cs = std::cos(arc.rotation), sn = std::sin(arc.rotation);
    auto derivative = [&](double t) {
        const double x = -arc.rx * std::sin(t), y = arc.ry * std::cos(t);
        return Point{cs * x - sn * y, sn * x + cs * y};
    };
    double t = arc.start;
    Point from = pointOnArc(arc, t);
    for (int i = 0; i < pieces; ++i) {
        const double next = i + 1 == pieces ? arc.start + arc.sweep : t + step;
        const Point to = pointOnArc(arc, next);
        const Point d0 = derivative(t), d1 = derivative(next);
        piece({from.x + arm * d0.x, from.y + arm * d0.y}, {to.x - arm * d1.x, to.y - arm * d1.y},
              to);
        from = to;
        t = next;
    }
}

}  // namespace lintrel::svg
