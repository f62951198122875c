// Distribution and conversion of the DXF document: layer by layer in table order, kind by kind,
// entities in file order, each into the group of its colour index. POINT, LINE, XLINE, ARC,
// CIRCLE, LWPOLYLINE and POLYLINE become vects here; ellipses, splines, multilines and block
// references have their own files; text, hatches and dimensions are not drawn.
#include <cmath>
#include <utility>

#include "import/dxf/dxf_converter.h"
#include "import/dxf/dxf_hatch.h"
#include "model/transform.h"

namespace lintrel::dxf {

namespace {

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

// Placements and radii can carry finite numbers of a damaged file beyond the double range;
// such a vect is dropped rather than let infinities into the path model.
bool finiteVect(const Vect& v) {
    for (const Seg* s : ring(v.segs))
        if (!std::isfinite(s->x0) || !std::isfinite(s->y0) || !std::isfinite(s->x1) ||
            !std::isfinite(s->y1) || !std::isfinite(s->z0) || !std::isfinite(s->z1))
            return false;
    return true;
}

const char* rawKindName(Kind kind) {
    switch (kind) {
        case Kind::Text:
            return "TEXT";
        case Kind::MText:
            return "MTEXT";
        case Kind::Hatch:
            return "HATCH";
        default:
            return "DIMENSION";
    }
}

}  // namespace

double reduceAngle(double a) {
    if (std::fabs(a) > 64 * kTwoPi) a = std::fmod(a, kTwoPi);
    while (a > kTwoPi)
        a -= kTwoPi;
    while (a < 0)
        a += kTwoPi;
    return a;
}

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

// Each kind's entities of the ENTITIES section filed by layer (stable, so file order holds
// within a layer).
struct Converter::Buckets {
    using Lists = std::vector<std::vector<uint32_t>>;
    Lists points, lines, xlines, mlines, polylines, lwpolylines, splines, arcs, circles, ellipses,
        inserts;

    template <class T>
    static Lists byLayer(const std::vector<T>& list, size_t layers) {
        Lists out(layers);
        for (uint32_t i = 0; i < list.size(); ++i) {
            const int layer = list[i].layer;
            if (layer >= 0 && static_cast<size_t>(layer) < layers) out[layer].push_back(i);
        }
        return out;
    }
};

Converter::Converter(const DxfDocument& doc, double precision, bool hatchOutlines)
    : doc_(doc), precision_(precision), hatchOutlines_(hatchOutlines), text_(doc) {
    for (size_t i = 0; i < doc_.blocks.size(); ++i) {
        std::string name = doc_.blocks[i].name;
        for (char& c : name)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        blockIndex_.emplace(std::move(name), BlockSlot{i});
    }
    expanding_.assign(doc_.blocks.size(), false);
}

VectGroup* Converter::run(ImportDiagnostics& diagnostics) {
    convertContainer(doc_.entities);
    text_.finish(diagnostics);
    for (const auto& [name, tally] : doc_.flaws.attributes)
        flaws_.notConverted[name].count += tally.count;
    const Vec3& o = doc_.header.ucsOrigin;
    if (groups_ && (o.x != 0 || o.y != 0)) moveItem(groups_.get(), Reach::Ring, -o.x, -o.y);
    return groups_.release();
}

void Converter::convertContainer(const DxfEntities& e) {
    const size_t layers = doc_.layers.size();
    Buckets b;
    b.points = Buckets::byLayer(e.points, layers);
    b.lines = Buckets::byLayer(e.lines, layers);
    b.xlines = Buckets::byLayer(e.xlines, layers);
    b.mlines = Buckets::byLayer(e.mlines, layers);
    b.polylines = Buckets::byLayer(e.polylines, layers);
    b.lwpolylines = Buckets::byLayer(e.lwpolylines, layers);
    b.splines = Buckets::byLayer(e.splines, layers);
    b.arcs = Buckets::byLayer(e.arcs, layers);
    b.circles = Buckets::byLayer(e.circles, layers);
    b.ellipses = Buckets::byLayer(e.ellipses, layers);
    b.inserts = Buckets::byLayer(e.inserts, layers);
    for (size_t l = 0; l < layers; ++l) {
        if (!doc_.layers[l].on) continue;
        convertKinds(e, &b, l);
        text_.convertLayer(e, static_cast<int>(l), [this](int c, Vect* v) { add(c, v); });
        countNotConverted(e, &b, l);
    }
}

void Converter::convertKinds(const DxfEntities& e, const Buckets* b, size_t layer) {
    auto each = [&](const Buckets::Lists* buckets, const auto& list, auto convert) {
        if (!buckets) {
            for (const auto& entity : list)
                (this->*convert)(entity);
            return;
        }
        for (uint32_t i : (*buckets)[layer])
            (this->*convert)(list[i]);
    };
    each(b ? &b->points : nullptr, e.points, &Converter::convertPoint);
    each(b ? &b->lines : nullptr, e.lines, &Converter::convertLine);
    each(b ? &b->xlines : nullptr, e.xlines, &Converter::convertLine);
    each(b ? &b->mlines : nullptr, e.mlines, &Converter::convertMLine);
    each(b ? &b->polylines : nullptr, e.polylines, &Converter::convertPolyline);
    each(b ? &b->lwpolylines : nullptr, e.lwpolylines, &Converter::convertLwPolyline);
    each(b ? &b->splines : nullptr, e.splines, &Converter::convertSpline);
    each(b ? &b->arcs : nullptr, e.arcs, &Converter::convertArc);
    each(b ? &b->circles : nullptr, e.circles, &Converter::convertCircle);
    each(b ? &b->ellipses : nullptr, e.ellipses, &Converter::convertEllipse);
    each(b ? &b->inserts : nullptr, e.inserts, &Converter::convertInsert);
    if (hatchOutlines_)
        for (const DxfRawEntity& r : e.rawOf(Kind::Hatch))
            if (!b || static_cast<size_t>(r.layer) == layer) convertHatch(r);
}

// The fill is never drawn; with the option, each boundary path becomes a closed outline.
void Converter::convertHatch(const DxfRawEntity& hatch) {
    for (std::vector<DxfVertex>& row : hatchBoundaries(doc_, hatch, precision_)) {
        placeVertices(row);
        add(hatch.colour, polylineThrough(row, true));
    }
}

// Text has its own conversion; dimensions are never drawn, hatches only as outlines.
void Converter::countNotConverted(const DxfEntities& e, const Buckets* b, size_t layer) {
    for (const Kind kind : {Kind::Text, Kind::MText, Kind::Hatch, Kind::Dimension}) {
        const bool text = kind == Kind::Text || kind == Kind::MText;
        if (text) continue;  // converted with their container
        if (kind == Kind::Hatch && hatchOutlines_) continue;
        long count = 0;
        for (const DxfRawEntity& r : e.rawOf(kind))
            count += !b || static_cast<size_t>(r.layer) == layer ? 1 : 0;
        if (count) flaws_.notConverted[rawKindName(kind)].count += count;
    }
}

void Converter::add(int colour, Vect* v) {
    if (!finiteVect(*v)) {
        deleteLoneVect(v);
        ++flaws_.outOfRange;
        return;
    }
    if (colour == 0) colour = 7;
    if (!last_ || last_->number != colour) last_ = groupFor(colour);
    append(last_->vects, v);
}

VectGroup* Converter::groupFor(int number) {
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

void Converter::convertPoint(const DxfPoint& p) {
    const Point at = placed(p.at.x, p.at.y);
    Vect* v = newVect();
    v->type = LINTREL_POINT;
    v->closed = 1;
    widenBox(*v, at.x, at.y, true);
    Seg* s = newLine(at.x, at.y, at.x, at.y);
    s->jump = s->tag = 255;
    v->segs = s;
    add(p.colour, v);
}

void Converter::convertLine(const DxfLine& l) {
    const Point a = placed(l.a.x, l.a.y), b = placed(l.b.x, l.b.y);
    const DxfVertex points[] = {{a.x, a.y, l.a.z, 0, 0}, {b.x, b.y, l.b.z, 0, 0}};
    add(l.colour, polylineThrough(points, false));
}

void Converter::convertArc(const DxfArc& a) {
    if (a.start == a.end) return;
    const int units = doc_.header.angleUnits;
    const double start = toRadians(a.start, units), end = toRadians(a.end, units);
    if (place_.identity)
        return add(a.colour,
                   arcVect(a.centre.x, a.centre.y, a.radius, start, end, a.counterClockwise != 0));
    if (!place_.keepsCircles())
        return convertAsEllipse(a, a.centre, a.radius, start, end, a.counterClockwise != 0);
    // Placed: the end directions go through the placement; a mirroring one reverses the arc.
    const Point c = placed(a.centre.x, a.centre.y);
    const Point s = place_.vector(std::cos(start), std::sin(start));
    const Point e = place_.vector(std::cos(end), std::sin(end));
    const double r = a.radius * std::hypot(place_.xx, place_.yx);
    const bool ccw = (a.counterClockwise != 0) != place_.mirrors();
    add(a.colour, arcVect(c.x, c.y, r, std::atan2(s.y, s.x), std::atan2(e.y, e.x), ccw));
}

// A full circle: start 0, sweep 0.
void Converter::convertCircle(const DxfCircle& c) {
    if (!place_.keepsCircles()) return convertAsEllipse(c, c.centre, c.radius, 0, kTwoPi, true);
    const Point centre = placed(c.centre.x, c.centre.y);
    const double r = place_.identity ? c.radius : c.radius * std::hypot(place_.xx, place_.yx);
    Vect* v = newVect();
    v->type = LINTREL_ARC;
    v->closed = 1;
    v->segs = newLine(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    add(c.colour, v);
}

void Converter::placeVertices(std::vector<DxfVertex>& points) const {
    if (place_.identity) return;
    const bool mirrors = place_.mirrors();
    for (DxfVertex& v : points) {
        const Point p = placed(v.x, v.y);
        v.x = p.x;
        v.y = p.y;
        if (mirrors) v.bulge = -v.bulge;
    }
}

// The vertices of a polyline as filed: a closed one gets its first vertex again at the end.
std::span<const DxfVertex> Converter::filedVertices(const DxfPolyline& p, bool dropFrame) {
    scratch_.clear();
    for (uint32_t i = 0; i < p.vertexCount; ++i) {
        const DxfVertex& v = doc_.vertices[p.firstVertex + i];
        if (dropFrame && (v.flags & 16)) continue;
        scratch_.push_back(v);
    }
    if (p.closed() && !scratch_.empty()) scratch_.push_back(scratch_.front());
    placeVertices(scratch_);
    return scratch_;
}

void Converter::convertPolyline(const DxfPolyline& p) {
    // Curve-fit and spline-fit polylines carry frame control points that are off the curve.
    const bool fitted = (p.flags & 6) != 0;
    convertVertices(filedVertices(p, fitted), p.closed(), fitted, p.colour);
}

// The POLYLINE rule over vertices already filed and placed.
void Converter::convertVertices(std::span<const DxfVertex> points, bool closed, bool fitted,
                                int colour) {
    if (points.empty()) return;
    bool straight = true;
    for (const DxfVertex& v : points)
        straight = straight && zeroBulge(v.bulge);
    if (!straight) return convertBulged(points, colour);
    Vect* v = polylineThrough(points, closed);
    if (fitted) v->type = LINTREL_SPLINE;
    add(colour, v);
}

void Converter::convertLwPolyline(const DxfPolyline& p) {
    convertBulged(filedVertices(p, false), p.colour);
}

void Converter::flushRun(Seg*& run, int colour, bool last) {
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

void Converter::convertBulged(std::span<const DxfVertex> points, int colour) {
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

}  // namespace lintrel::dxf
