// Walking a HATCH's raw groups into its boundary outlines. Every path opens with group 92, so a
// path the reader cannot follow to its end never disturbs the next one.
#include "import/dxf/dxf_hatch.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "curves/bspline.h"
#include "import/dxf/dxf_groups.h"

namespace lintrel::dxf {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr size_t kMaxCount = 1 << 16;  // no boundary holds more edges, vertices or knots

// The groups of one hatch, read in file order.
class GroupCursor {
  public:
    explicit GroupCursor(std::span<const RawGroup> groups) : groups_(groups) {}
    bool atEnd() const { return at_ >= groups_.size(); }
    // The value of the current group when its code is `code` (then consumed), else `fallback`.
    double number(int code, double fallback = 0) {
        if (atEnd() || groups_[at_].code != code) return fallback;
        return parseDouble(groups_[at_++].value);
    }
    size_t count(int code) {
        const double n = number(code);
        return n > 0 ? std::min(static_cast<size_t>(n), kMaxCount) : 0;
    }
    // Moves to the next group with `code`; false when there is none.
    bool seek(int code) {
        while (!atEnd() && groups_[at_].code != code)
            ++at_;
        return !atEnd();
    }
    void skip() { at_ += atEnd() ? 0 : 1; }
    int code() const { return atEnd() ? kNoGroup : groups_[at_].code; }

  private:
    std::span<const RawGroup> groups_;
    size_t at_ = 0;
};

// How many chords keep an arc of `radius` over `sweep` radians within `precision`.
int chordsFor(double radius, double sweep, double precision) {
    const double step = radius > precision ? 2 * std::acos(1 - precision / radius) : kPi / 2;
    const double n = std::ceil(std::fabs(sweep) / std::max(step, 1e-3));
    return static_cast<int>(std::clamp(n, 1.0, 4096.0));
}

void addPoint(std::vector<DxfVertex>& row, double x, double y) {
    if (!row.empty() && row.back().x == x && row.back().y == y) return;
    row.push_back({x, y});
}

// The sweep from `start` to `end` (radians) in the given turning sense, within one turn.
double sweepOf(double start, double end, bool ccw) {
    double sweep = ccw ? end - start : start - end;
    while (sweep <= 0)
        sweep += 2 * kPi;
    while (sweep > 2 * kPi)
        sweep -= 2 * kPi;
    return ccw ? sweep : -sweep;
}

// Circular (ratio 1, minor axis along y) and elliptic arc edges. Clockwise edges store their
// angles mirrored, so the drawn arc runs from -start to -end.
void addArc(std::vector<DxfVertex>& row, double cx, double cy, double ax, double ay, double ratio,
            double startDeg, double endDeg, bool ccw, double precision) {
    double start = startDeg * kPi / 180, end = endDeg * kPi / 180;
    if (!ccw) start = -start, end = -end;
    const double sweep =
        std::fabs(endDeg - startDeg) >= 360 ? (ccw ? 2 * kPi : -2 * kPi) : sweepOf(start, end, ccw);
    const double major = std::hypot(ax, ay);
    const int n = chordsFor(major, sweep, precision);
    for (int i = 0; i <= n; ++i) {
        const double t = start + sweep * i / n;
        const double u = std::cos(t) * major, v = std::sin(t) * major * ratio;
        const double c = major > 0 ? ax / major : 1, s = major > 0 ? ay / major : 0;
        addPoint(row, cx + u * c - v * s, cy + u * s + v * c);
    }
}

void addSplineEdge(GroupCursor& in, std::vector<DxfVertex>& row) {
    const int degree = static_cast<int>(in.number(94, 3));
    in.number(73);
    in.number(74);
    const size_t knotCount = in.count(95), controlCount = in.count(96);
    std::vector<double> knots, weights;
    std::vector<Point> control;
    for (size_t i = 0; i < knotCount && in.code() == 40; ++i)
        knots.push_back(in.number(40));
    for (size_t i = 0; i < controlCount && in.code() == 10; ++i) {
        const double x = in.number(10), y = in.number(20);
        control.push_back({x, y});
        if (in.code() == 42) weights.push_back(in.number(42));
    }
    const size_t fitCount = in.count(97);
    std::vector<Point> fit;
    for (size_t i = 0; i < fitCount && in.code() == 11; ++i) {
        const double x = in.number(11), y = in.number(21);
        fit.push_back({x, y});
    }
    if (weights.size() != control.size()) weights.clear();
    if (degree < 1 || degree > kMaxDegree || !validKnots(degree, control.size(), knots)) {
        for (const Point& p : control.empty() ? fit : control)
            addPoint(row, p.x, p.y);
        return;
    }
    const BSpline curve{degree, knots, control, weights};
    for (int span = degree; span < static_cast<int>(control.size()); ++span) {
        if (knots[span + 1] <= knots[span]) continue;
        for (int i = 0; i <= 16; ++i) {
            const double t = knots[span] + (knots[span + 1] - knots[span]) * i / 16;
            const Point p = evaluate(curve, span, t);
            addPoint(row, p.x, p.y);
        }
    }
}

void addEdges(GroupCursor& in, std::vector<DxfVertex>& row, double precision) {
    const size_t edges = in.count(93);
    for (size_t e = 0; e < edges && in.code() == 72; ++e) {
        const int type = static_cast<int>(in.number(72));
        if (type == 1) {
            const double x0 = in.number(10), y0 = in.number(20);
            const double x1 = in.number(11), y1 = in.number(21);
            addPoint(row, x0, y0);
            addPoint(row, x1, y1);
        } else if (type == 2) {
            const double cx = in.number(10), cy = in.number(20), r = in.number(40);
            const double start = in.number(50), end = in.number(51);
            addArc(row, cx, cy, r, 0, 1, start, end, in.number(73, 1) != 0, precision);
        } else if (type == 3) {
            const double cx = in.number(10), cy = in.number(20);
            const double ax = in.number(11), ay = in.number(21), ratio = in.number(40, 1);
            const double start = in.number(50), end = in.number(51);
            addArc(row, cx, cy, ax, ay, ratio, start, end, in.number(73, 1) != 0, precision);
        } else if (type == 4) {
            addSplineEdge(in, row);
        } else {
            return;
        }
    }
}

void addPolyline(GroupCursor& in, std::vector<DxfVertex>& row, double precision) {
    const bool bulges = in.number(72) != 0;
    in.number(73);
    const size_t count = in.count(93);
    std::vector<DxfVertex> vertices;
    for (size_t i = 0; i < count && in.code() == 10; ++i) {
        DxfVertex v;
        v.x = in.number(10);
        v.y = in.number(20);
        if (bulges) v.bulge = in.number(42);
        vertices.push_back(v);
    }
    // A bulge is the tangent of a quarter of the arc's sweep to the next vertex.
    for (size_t i = 0; i < vertices.size(); ++i) {
        const DxfVertex& a = vertices[i];
        const DxfVertex& b = vertices[(i + 1) % vertices.size()];
        addPoint(row, a.x, a.y);
        if (a.bulge == 0 || (a.x == b.x && a.y == b.y)) continue;
        const double sweep = 4 * std::atan(a.bulge);
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        const double radius = chord / (2 * std::fabs(std::sin(sweep / 2)));
        // The centre lies off the chord's middle, to the left for a counter-clockwise arc.
        const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
        const double offset = radius * std::cos(sweep / 2) * (sweep > 0 ? 1 : -1);
        const double cx = mx - (b.y - a.y) / chord * offset, cy = my + (b.x - a.x) / chord * offset;
        const double start = std::atan2(a.y - cy, a.x - cx);
        const int n = chordsFor(radius, sweep, precision);
        for (int k = 1; k < n; ++k) {
            const double t = start + sweep * k / n;
            addPoint(row, cx + radius * std::cos(t), cy + radius * std::sin(t));
        }
    }
}

}  // namespace

std::vector<std::vector<DxfVertex>> hatchBoundaries(const DxfDocument& doc,
                                                    const DxfRawEntity& hatch, double precision) {
    const size_t first = std::min<size_t>(hatch.firstGroup, doc.rawGroups.size());
    const size_t count = std::min<size_t>(hatch.groupCount, doc.rawGroups.size() - first);
    GroupCursor in(std::span<const RawGroup>(doc.rawGroups).subspan(first, count));
    std::vector<std::vector<DxfVertex>> out;
    if (!in.seek(91)) return out;
    const size_t paths = in.count(91);
    for (size_t p = 0; p < paths && in.code() == 92; ++p) {
        const int flags = static_cast<int>(in.number(92));
        std::vector<DxfVertex> row;
        if (flags & 2)
            addPolyline(in, row, precision);
        else
            addEdges(in, row, precision);
        if (row.size() >= 2) {
            if (row.front().x != row.back().x || row.front().y != row.back().y)
                row.push_back(row.front());
            out.push_back(std::move(row));
        }
        // The source objects' handles close the path.
        in.number(97);
        while (in.code() == 330)
            in.skip();
    }
    return out;
}

}  // namespace lintrel::dxf
