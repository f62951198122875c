// Parsers of the entities whose groups are more than a fixed set of coordinates: ELLIPSE,
// SPLINE (control points, weights, knots, fit points), MLINE (vertices with per-element
// parameters) and INSERT or MINSERT (a block reference, repeated over a grid for MINSERT).
#include <cmath>

#include "import/dxf/dxf_entity_parser.h"

namespace lintrel::dxf {

namespace {

// Points of a list that the file gives coordinate by coordinate: each x starts a new point.
void readListPoint(GroupReader& reader, const Group& g, int base, std::vector<Vec3>& points) {
    const double v = reader.real(g.value);
    if (g.code == base) {
        points.push_back({v, 0, 0});
    } else if (!points.empty()) {
        (g.code == base + 10 ? points.back().y : points.back().z) = v;
    }
}

// A count a file announces, used only to reserve; absurd values must not allocate.
size_t reserveFor(int announced) {
    return announced > 0 && announced < 4096 ? static_cast<size_t>(announced) : 0;
}

}  // namespace

bool EntityParser::parseEllipse(Group& g) {
    DxfEllipse e;
    const bool have = readGroups(g, e, [&](const Group& x) {
        if (readPoint(x, 10, e.centre) || readPoint(x, 11, e.major)) return;
        if (x.code == 40) e.ratio = reader_.real(x.value);
        if (x.code == 41) e.start = reader_.real(x.value);
        if (x.code == 42) e.end = reader_.real(x.value);
    });
    // An ellipse seen from below runs the other way round: its parameters are mirrored and
    // its direction toggled, its centre and axis mapped like points.
    if (mirrored(e)) {
        mapToPlane(e.centre, doc_.header.ucsNormal);
        mapToPlane(e.major, doc_.header.ucsNormal);
        e.start = kTwoPi - e.start;
        e.end = kTwoPi - e.end;
        e.direction = e.direction ? 0 : 1;
    }
    out_.ellipses.push_back(std::move(e));
    return have;
}

bool EntityParser::parseSpline(Group& g) {
    DxfSpline s;
    const bool have = readGroups(g, s, [&](const Group& x) {
        switch (x.code) {
            case 70:
                s.flags = reader_.integer(x.value);
                break;
            case 71:
                s.degree = reader_.integer(x.value);
                break;
            case 72:
                s.knots.reserve(reserveFor(reader_.integer(x.value)));
                break;
            case 73:
                s.control.reserve(reserveFor(reader_.integer(x.value)));
                break;
            case 40:
                s.knots.push_back(reader_.real(x.value));
                break;
            case 41:
                s.weights.push_back(reader_.real(x.value));
                break;
            case 10:
            case 20:
            case 30:
                readListPoint(reader_, x, 10, s.control);
                break;
            case 11:
            case 21:
            case 31:
                readListPoint(reader_, x, 11, s.fit);
                break;
            default:
                if (readPoint(x, 12, s.startTangent)) s.hasStartTangent = true;
                if (readPoint(x, 13, s.endTangent)) s.hasEndTangent = true;
                break;
        }
    });
    out_.splines.push_back(std::move(s));
    return have;
}

// Each 11 starts a vertex; each 74 starts the next element of the current vertex, whose first
// two 41 values are kept.
bool EntityParser::parseMLine(Group& g) {
    DxfMLine m;
    int paramsSeen = 0;
    const bool have = readGroups(g, m, [&](const Group& x) {
        DxfMLineVertex* v = m.vertices.empty() ? nullptr : &m.vertices.back();
        switch (x.code) {
            case 2:
                m.style = x.value;
                return;
            case 40:
                m.scale = reader_.real(x.value);
                return;
            case 70:
                m.justification = reader_.integer(x.value);
                return;
            case 71:
                m.flags = reader_.integer(x.value);
                return;
            case 73:
                m.elementCount = reader_.integer(x.value);
                return;
            case 11:
                m.vertices.emplace_back().at.x = reader_.real(x.value);
                return;
            case 74:
                if (v) v->elements.push_back({0, 0});
                paramsSeen = 0;
                return;
            case 41:
                if (v && !v->elements.empty() && paramsSeen < 2)
                    v->elements.back()[paramsSeen] = reader_.real(x.value);
                ++paramsSeen;
                return;
            default:
                break;
        }
        if (readPoint(x, 10, m.start) || !v) return;
        if (x.code == 21 || x.code == 31) {
            (x.code == 21 ? v->at.y : v->at.z) = reader_.real(x.value);
            return;
        }
        if (!readPoint(x, 12, v->direction)) readPoint(x, 13, v->miter);
    });
    out_.mlines.push_back(std::move(m));
    return have;
}

bool EntityParser::parseInsert(Group& g) {
    DxfInsert i;
    const bool have = readGroups(g, i, [&](const Group& x) {
        if (readPoint(x, 10, i.at)) return;
        switch (x.code) {
            case 2:
                i.block = x.value;
                break;
            case 41:
                i.scale.x = reader_.real(x.value);
                break;
            case 42:
                i.scale.y = reader_.real(x.value);
                break;
            case 43:
                i.scale.z = reader_.real(x.value);
                break;
            case 50:
                i.rotation = reader_.real(x.value);
                break;
            case 70:
                i.columns = reader_.integer(x.value);
                break;
            case 71:
                i.rows = reader_.integer(x.value);
                break;
            case 44:
                i.columnSpacing = reader_.real(x.value);
                break;
            case 45:
                i.rowSpacing = reader_.real(x.value);
                break;
            default:
                break;
        }
    });
    out_.inserts.push_back(std::move(i));
    // Attributes follow their INSERT up to a SEQEND; they are text, not block geometry.
    bool more = have;
    while (more && g.code == 0 && g.value == "ATTRIB") {
        ++doc_.flaws.attributes["ATTRIB"].count;
        while ((more = reader_.next(g)) && g.code != 0) {
        }
    }
    if (more && g.code == 0 && g.value == "SEQEND") {
        while ((more = reader_.next(g)) && g.code != 0) {
        }
    }
    return more;
}

}  // namespace lintrel::dxf
