// Distribution and conversion of the DXF document: layer by layer in table order, kind by kind,
// entities in file order, each into the group of its colour index. POINT, LINE, XLINE, ARC,
// CIRCLE, LWPOLYLINE and POLYLINE become vects here; the other kinds are converted by their own
// parts of the reader.
#include "import/dxf/dxf_convert.h"

#include <cmath>
#include <span>
#include <vector>

#include "import/dxf/dxf_text.h"
#include "model/geometry.h"
#include "model/items.h"
#include "model/transform.h"

namespace lintrel::dxf {

namespace {

// Brings an angle into [0, 2pi] by the reader's own 2pi.
double reduceAngle(double a) {
    if (std::fabs(a) > 64 * kTwoPi) a = std::fmod(a, kTwoPi);
    while (a > kTwoPi)
        a -= kTwoPi;
    while (a < 0)
        a += kTwoPi;
    return a;
}

// Arc angles of the file to radians by the header's angle units.
double toRadians(double angle, int units) {
    if (units == 0 || units == 2) return angle * kPi / 180;
    if (units == 1) {
        const double whole = std::trunc(angle);
        const double fraction = (angle - whole) * 100;
        const double minutes = std::trunc(fraction + 1e-9);
        const double seconds = (fraction - minutes) * 100;
        return (whole + minutes / 60 + seconds / 3600) * kPi / 180;
    }
    return angle;
}

// A bulge this small is a straight segment.
bool zeroBulge(double b) {
    return std::fabs(b * 1e11) < 1;
}

void widenBox(Vect& v, double x, double y, bool first) {
    if (first || x < v.xMin) v.xMin = x;
    if (first || y < v.yMin) v.yMin = y;
    if (first || x > v.xMax) v.xMax = x;
    if (first || y > v.yMax) v.yMax = y;
}

Vect* polylineThrough(std::span<const DxfVertex> points, bool closed) {
    Vect* v = newVect();
    v->closed = closed ? 1 : 0;
    for (size_t i = 0; i < points.size(); ++i)
        widenBox(*v, points[i].x, points[i].y, i == 0);
    if (points.size() == 1) {
        append(v->segs, newLine(points[0].x, points[0].y, points[0].x, points[0].y));
        return v;
    }
    for (size_t i = 1; i < points.size(); ++i)
        append(v->segs, newLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y));
    return v;
}

// An arc in the library's convention from a centre, radius and mathematical angles (radians).
Vect* arcVect(double cx, double cy, double r, double start, double end, bool counterClockwise) {
    const double s = reduceAngle(start);
    const double e = reduceAngle(end);
    double sweep;
    if (counterClockwise)
        sweep = -(e > s ? e - s : e + kTwoPi - s);
    else
        sweep = s > e ? s - e : s + kTwoPi - e;
    Vect* v = newVect();
    v->type = LINTREL_ARC;
    Seg* d = newLine(cx - r, cy - r, cx + r, cy + r);
    d->z0 = kTwoPi - s;
    d->z1 = sweep;
    v->segs = d;
    v->closed = std::fabs(sweep) <= 1e-4 ? 1 : 0;
    return v;
}

// The arc a bulge describes between two vertices.
Vect* bulgeArc(const DxfVertex& a, const DxfVertex& b, double bulge) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double chord = std::sqrt(dx * dx + dy * dy);
    // Distance of the centre from the chord's midpoint, to the left of a->b for a positive bulge.
    const double offset = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
    const double cx = (a.x + b.x) / 2 - dy / chord * offset;
    const double cy = (a.y + b.y) / 2 + dx / chord * offset;
    const double r = std::fabs(chord / 2 * (1 + bulge * bulge) / (2 * bulge));
    return arcVect(cx, cy, r, std::atan2(a.y - cy, a.x - cx), std::atan2(b.y - cy, b.x - cx),
                   bulge > 0);
}

class Converter {
  public:
    explicit Converter(const DxfDocument& doc) : doc_(doc), text_(doc) {}

    VectGroup* run() {
        convertContainer(doc_.entities);
        text_.finish();
        const Vec3& o = doc_.header.ucsOrigin;
        if (groups_ && (o.x != 0 || o.y != 0)) moveItem(groups_.get(), Reach::Ring, -o.x, -o.y);
        return groups_.release();
    }

  private:
    // Files each kind's entities by layer (stable, so file order holds within a layer).
    template <class T>
    static std::vector<std::vector<uint32_t>> byLayer(const std::vector<T>& list, size_t layers) {
        std::vector<std::vector<uint32_t>> out(layers);
        for (uint32_t i = 0; i < list.size(); ++i) {
            const int layer = list[i].layer;
            if (layer >= 0 && static_cast<size_t>(layer) < layers) out[layer].push_back(i);
        }
        return out;
    }

    void convertContainer(const DxfEntities& e) {
        const size_t layers = doc_.layers.size();
        const auto points = byLayer(e.points, layers);
        const auto lines = byLayer(e.lines, layers);
        const auto xlines = byLayer(e.xlines, layers);
        const auto polylines = byLayer(e.polylines, layers);
        const auto lwpolylines = byLayer(e.lwpolylines, layers);
        const auto arcs = byLayer(e.arcs, layers);
        const auto circles = byLayer(e.circles, layers);
        for (size_t l = 0; l < layers; ++l) {
            if (!doc_.layers[l].on) continue;
            auto each = [&](const auto& buckets, const auto& list, auto convert) {
                for (uint32_t i : buckets[l])
                    (this->*convert)(list[i]);
            };
            each(points, e.points, &Converter::convertPoint);
            each(lines, e.lines, &Converter::convertLine);
            each(xlines, e.xlines, &Converter::convertLine);
            each(polylines, e.polylines, &Converter::convertPolyline);
            each(lwpolylines, e.lwpolylines, &Converter::convertLwPolyline);
            each(arcs, e.arcs, &Converter::convertArc);
            each(circles, e.circles, &Converter::convertCircle);
            text_.convertLayer(e, static_cast<int>(l), [this](int c, Vect* v) { add(c, v); });
        }
    }

    // Adds a vect to the group of a colour index, creating the group in ascending order.
    void add(int colour, Vect* v) {
        if (colour == 0) colour = 7;
        if (!last_ || last_->number != colour) last_ = groupFor(colour);
        append(last_->vects, v);
    }

    VectGroup* groupFor(int number) {
        VectGroup* before = nullptr;
        for (VectGroup* g : ring(groups_.get())) {
            if (g->number == number) return g;
            if (g->number > number) {
                before = g;
                break;
            }
        }
        VectGroup* g = newGroup();
        g->number = number;
        if (!before) {
            groups_.append(g);
        } else {
            spliceBefore(before, g);
            if (before == groups_.get()) groups_.head() = g;
        }
        return g;
    }

    void convertPoint(const DxfPoint& p) {
        Vect* v = newVect();
        v->type = LINTREL_POINT;
        v->closed = 1;
        widenBox(*v, p.at.x, p.at.y, true);
        Seg* s = newLine(p.at.x, p.at.y, p.at.x, p.at.y);
        s->jump = s->tag = 255;
        v->segs = s;
        add(p.colour, v);
    }

    void convertLine(const DxfLine& l) {
        const DxfVertex points[] = {{l.a.x, l.a.y, l.a.z, 0, 0}, {l.b.x, l.b.y, l.b.z, 0, 0}};
        add(l.colour, polylineThrough(points, false));
    }

    void convertArc(const DxfArc& a) {
        if (a.start == a.end) return;
        const int units = doc_.header.angleUnits;
        add(a.colour, arcVect(a.centre.x, a.centre.y, a.radius, toRadians(a.start, units),
                              toRadians(a.end, units), a.counterClockwise != 0));
    }

    // A full circle: start 0, sweep 0.
    void convertCircle(const DxfCircle& c) {
        const double r = c.radius;
        Vect* v = newVect();
        v->type = LINTREL_ARC;
        v->closed = 1;
        v->segs = newLine(c.centre.x - r, c.centre.y - r, c.centre.x + r, c.centre.y + r);
        add(c.colour, v);
    }

    // The vertices of a polyline as filed: a closed one gets its first vertex again at the end.
    std::span<const DxfVertex> filedVertices(const DxfPolyline& p, bool dropFrame) {
        scratch_.clear();
        for (uint32_t i = 0; i < p.vertexCount; ++i) {
            const DxfVertex& v = doc_.vertices[p.firstVertex + i];
            if (dropFrame && (v.flags & 16)) continue;
            scratch_.push_back(v);
        }
        if (p.closed() && !scratch_.empty()) scratch_.push_back(scratch_.front());
        return scratch_;
    }

    void convertPolyline(const DxfPolyline& p) {
        // Curve-fit and spline-fit polylines carry frame control points that are off the curve.
        const bool fitted = (p.flags & 6) != 0;
        const auto points = filedVertices(p, fitted);
        if (points.empty()) return;
        bool straight = true;
        for (const DxfVertex& v : points)
            straight = straight && zeroBulge(v.bulge);
        if (!straight) return convertBulged(points, p.colour);
        Vect* v = polylineThrough(points, p.closed());
        if (fitted) v->type = LINTREL_SPLINE;
        add(p.colour, v);
    }

    void convertLwPolyline(const DxfPolyline& p) {
        convertBulged(filedVertices(p, false), p.colour);
    }

    void flushRun(Seg*& run, int colour, bool last) {
        if (!run) return;
        Vect* v = newVect();
        v->segs = std::exchange(run, nullptr);
        bool first = true;
        for (Seg* s : ring(v->segs)) {
            widenBox(*v, s->x0, s->y0, first);
            widenBox(*v, s->x1, s->y1, false);
            first = false;
        }
        v->closed = last && samePoint(segStart(*v->segs), segEnd(*lastOf(v->segs))) ? 1 : 0;
        add(colour, v);
    }

    void convertBulged(std::span<const DxfVertex> points, int colour) {
        if (points.size() < 2) return;
        Seg* run = nullptr;
        for (size_t i = 1; i < points.size(); ++i) {
            const DxfVertex& a = points[i - 1];
            const DxfVertex& b = points[i];
            if (zeroBulge(a.bulge)) {
                if (a.x != b.x || a.y != b.y) append(run, newLine(a.x, a.y, b.x, b.y));
            } else if (std::fabs(b.x - a.x) >= 1e-4 || std::fabs(b.y - a.y) >= 1e-4) {
                flushRun(run, colour, false);
                add(colour, bulgeArc(a, b, a.bulge));
            }
        }
        flushRun(run, colour, true);
    }

    const DxfDocument& doc_;
    TextConverter text_;
    ChainOwner<VectGroup> groups_;
    VectGroup* last_ = nullptr;
    std::vector<DxfVertex> scratch_;
};

}  // namespace

VectGroup* convertDocument(const DxfDocument& doc) {
    return Converter(doc).run();
}

}  // namespace lintrel::dxf
