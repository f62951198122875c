// The simple entity parsers and the two passes that use them: the ENTITIES section and the
// blocks. Each parser reads the groups of one entity up to the next group 0, maps its points
// into the drawing plane and files it under its kind; the group 0 that ended it is handed back.
#include <algorithm>
#include <cmath>

#include "import/dxf/dxf_entity_parser.h"

namespace lintrel::dxf {

namespace {

bool isUnit(double v) {
    return std::fabs(std::fabs(v) - 1) <= 1e-4;
}
bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-4;
}

// Group 0 names that mark the file's structure rather than an entity.
bool isStructural(std::string_view name) {
    return name == "SECTION" || name == "ENDSEC" || name == "EOF" || name == "TABLE" ||
           name == "ENDTAB" || name == "BLOCK" || name == "ENDBLK";
}

}  // namespace

bool hasUnitComponent(const Vec3& e) {
    return isUnit(e.x) || isUnit(e.y) || isUnit(e.z);
}

void mapToPlane(Vec3& p, const Vec3& normal) {
    if (isUnit(normal.y)) {
        std::swap(p.y, p.z);
        if (normal.y > 0) p.x = -p.x;
    } else if (isUnit(normal.x)) {
        p = {p.y, p.z, p.x};
        if (normal.x < 0) p.x = -p.x;
    } else if (normal.z < 0 && isUnit(normal.z)) {
        p.x = -p.x;
    }
}

bool opposesNormal(const Vec3& e, const Vec3& n) {
    return (isUnit(e.y) && near(e.y, -n.y)) || (isUnit(e.x) && near(e.x, -n.x)) ||
           (isUnit(e.z) && near(e.z, -n.z));
}

bool EntityParser::parseNamed(Group& g) {
    const std::string_view name = g.value;
    if (name == "POINT") return parsePoint(g);
    if (name == "LINE") return parseLine(g, out_.lines);
    if (name == "XLINE") return parseLine(g, out_.xlines);
    if (name == "CIRCLE") return parseCircle(g);
    if (name == "ARC") return parseArc(g);
    if (name == "LWPOLYLINE") return parseLwPolyline(g);
    if (name == "POLYLINE") return parsePolyline(g);
    if (name == "MLINE") return parseMLine(g);
    if (name == "SPLINE") return parseSpline(g);
    if (name == "ELLIPSE") return parseEllipse(g);
    if (name == "TEXT") return parseRaw(g, Kind::Text);
    if (name == "MTEXT") return parseRaw(g, Kind::MText);
    if (name == "INSERT" || name == "MINSERT") return parseInsert(g);
    if (name == "HATCH") return parseRaw(g, Kind::Hatch);
    if (name == "DIMENSION") return parseRaw(g, Kind::Dimension);
    return skipUnknown(g);
}

bool EntityParser::skipUnknown(Group& g) {
    // A SECTION here means the section before it was never closed; its groups are read on as
    // the pass always did.
    if (g.value == "SECTION")
        ++doc_.flaws.unclosedSections;
    else if (g.value == "ATTDEF")
        ++doc_.flaws.attributes["ATTDEF"].count;
    else if (!isStructural(g.value))
        ++doc_.flaws.unknownKinds[std::string(g.value)].count;
    return reader_.next(g);
}

bool EntityParser::common(DxfEntity& e, const Group& g) {
    switch (g.code) {
        case 8:
            e.layer = doc_.layerIndex(g.value);
            if (!explicitColour_) e.colour = doc_.layers[e.layer].colour;
            e.linetype = -1;
            return true;
        case 6:
            e.linetype = doc_.nameIndex(g.value);
            return true;
        case 62: {
            const int colour = reader_.integer(g.value);
            // 256 means "as the layer": keep the layer's colour instead of a group 256.
            explicitColour_ = colour != 256;
            e.colour = explicitColour_ ? colour : e.layer >= 0 ? doc_.layers[e.layer].colour : 0;
            return true;
        }
        case 48:
            e.linetypeScale = reader_.real(g.value);
            return true;
        case 60:
            e.visibility = reader_.integer(g.value);
            return true;
        case 210:
            e.extrusion.x = reader_.real(g.value);
            return true;
        case 220:
            e.extrusion.y = reader_.real(g.value);
            return true;
        case 230:
            e.extrusion.z = reader_.real(g.value);
            return true;
        default:
            return false;
    }
}

// An entity that names no layer is on layer "0".
void EntityParser::finish(DxfEntity& e) {
    if (e.layer >= 0) return;
    e.layer = doc_.layerIndex("0");
    if (!explicitColour_) e.colour = doc_.layers[e.layer].colour;
}

bool EntityParser::readPoint(const Group& g, int base, Vec3& p) {
    if (g.code == base)
        p.x = reader_.real(g.value);
    else if (g.code == base + 10)
        p.y = reader_.real(g.value);
    else if (g.code == base + 20)
        p.z = reader_.real(g.value);
    else
        return false;
    return true;
}

bool EntityParser::parsePoint(Group& g) {
    DxfPoint p;
    const bool have = readGroups(g, p, [&](const Group& x) {
        readPoint(x, 10, p.at);
        if (x.code == 50) p.angle = reader_.real(x.value);
    });
    if (mapsPlane(p)) mapToPlane(p.at, doc_.header.ucsNormal);
    out_.points.push_back(p);
    return have;
}

bool EntityParser::parseLine(Group& g, std::vector<DxfLine>& into) {
    DxfLine l;
    const bool have = readGroups(g, l, [&](const Group& x) {
        readPoint(x, 10, l.a);
        readPoint(x, 11, l.b);
    });
    if (mapsPlane(l)) {
        mapToPlane(l.a, doc_.header.ucsNormal);
        mapToPlane(l.b, doc_.header.ucsNormal);
    }
    into.push_back(l);
    return have;
}

bool EntityParser::parseCircle(Group& g) {
    DxfCircle c;
    const bool have = readGroups(g, c, [&](const Group& x) {
        readPoint(x, 10, c.centre);
        if (x.code == 40) c.radius = reader_.real(x.value);
    });
    if (mirrored(c)) c.centre.x = -c.centre.x;
    out_.circles.push_back(c);
    return have;
}

bool EntityParser::parseArc(Group& g) {
    DxfArc a;
    const bool have = readGroups(g, a, [&](const Group& x) {
        readPoint(x, 10, a.centre);
        if (x.code == 40) a.radius = reader_.real(x.value);
        if (x.code == 50) a.start = reader_.real(x.value);
        if (x.code == 51) a.end = reader_.real(x.value);
    });
    if (mirrored(a)) {
        a.centre.x = -a.centre.x;
        a.start = 180 - a.start;
        a.end = 180 - a.end;
        a.counterClockwise = a.counterClockwise ? 0 : 1;
    }
    out_.arcs.push_back(a);
    return have;
}

void EntityParser::mirrorVertices(const DxfPolyline& p) {
    for (uint32_t i = 0; i < p.vertexCount; ++i)
        doc_.vertices[p.firstVertex + i].x = -doc_.vertices[p.firstVertex + i].x;
}

// Vertices are kept as they come, however many the count announced.
bool EntityParser::parseLwPolyline(Group& g) {
    DxfPolyline p;
    p.firstVertex = static_cast<uint32_t>(doc_.vertices.size());
    double pendingX = 0;
    long announced = -1;
    const bool have = readGroups(g, p, [&](const Group& x) {
        switch (x.code) {
            case 90:
                announced = reader_.integer(x.value);
                break;
            case 70:
                p.flags = reader_.integer(x.value);
                break;
            case 10:
                pendingX = reader_.real(x.value);
                break;
            case 20:
                doc_.vertices.push_back({pendingX, reader_.real(x.value), 0, 0, 0});
                break;
            case 42:
                if (doc_.vertices.size() > p.firstVertex)
                    doc_.vertices.back().bulge = reader_.real(x.value);
                break;
            default:
                break;
        }
    });
    p.vertexCount = static_cast<uint32_t>(doc_.vertices.size() - p.firstVertex);
    if (announced >= 0 && announced != static_cast<long>(p.vertexCount))
        ++doc_.flaws.vertexCountMismatches;
    if (mirrored(p)) mirrorVertices(p);
    out_.lwpolylines.push_back(p);
    return have;
}

// A VERTEX takes its layer and colour from its POLYLINE; only its own groups are read.
bool EntityParser::parseVertex(Group& g) {
    DxfVertex v;
    bool have;
    while ((have = reader_.next(g)) && g.code != 0) {
        switch (g.code) {
            case 10:
                v.x = reader_.real(g.value);
                break;
            case 20:
                v.y = reader_.real(g.value);
                break;
            case 30:
                v.z = reader_.real(g.value);
                break;
            case 42:
                v.bulge = reader_.real(g.value);
                break;
            case 70:
                v.flags = reader_.integer(g.value);
                break;
            default:
                break;
        }
    }
    // Face records of a polyface mesh carry vertex numbers, not a position.
    if ((v.flags & 128) && !(v.flags & 64)) return have;
    doc_.vertices.push_back(v);
    return have;
}

bool EntityParser::parsePolyline(Group& g) {
    DxfPolyline p;
    p.firstVertex = static_cast<uint32_t>(doc_.vertices.size());
    bool have = readGroups(g, p, [&](const Group& x) {
        if (x.code == 70) p.flags = reader_.integer(x.value);
        if (x.code == 75) p.curveType = reader_.integer(x.value);
    });
    while (have && g.code == 0 && g.value == "VERTEX")
        have = parseVertex(g);
    if (have && g.code == 0 && g.value == "SEQEND") {
        while ((have = reader_.next(g)) && g.code != 0) {
        }
    }
    p.vertexCount = static_cast<uint32_t>(doc_.vertices.size() - p.firstVertex);
    if (mirrored(p)) mirrorVertices(p);
    out_.polylines.push_back(p);
    return have;
}

bool EntityParser::parseRaw(Group& g, Kind kind) {
    DxfRawEntity r;
    r.firstGroup = static_cast<uint32_t>(doc_.rawGroups.size());
    const bool have = readGroups(g, r, [&](const Group& x) {
        doc_.rawGroups.push_back({x.code, std::string(x.value)});
    });
    r.groupCount = static_cast<uint32_t>(doc_.rawGroups.size() - r.firstGroup);
    out_.rawOf(kind).push_back(r);
    return have;
}

namespace {

bool isEnd(const Group& g, std::string_view name) {
    return g.code == 0 && g.value == name;
}

// Reads a block's own groups up to its group 3 (or the first entity).
bool readBlockHead(GroupReader& reader, DxfBlock& block, Group& g) {
    while (reader.next(g)) {
        switch (g.code) {
            case 0:
                return true;
            case 2:
                block.name = g.value;
                break;
            case 8:
                block.layer = g.value;
                break;
            case 10:
                block.base.x = reader.real(g.value);
                break;
            case 20:
                block.base.y = reader.real(g.value);
                break;
            case 30:
                block.base.z = reader.real(g.value);
                break;
            case 3:
                return true;
            default:
                break;
        }
    }
    return false;
}

}  // namespace

void noteSectionEnd(const GroupReader& reader, const Group& last, DxfReadFlaws& flaws) {
    if (last.code == 0 && last.value == "ENDSEC") return;
    if (reader.endedAtMarker())
        ++flaws.unclosedSections;
    else
        flaws.truncated = true;
}

void readEntities(GroupReader& reader, DxfDocument& doc) {
    reader.rewind();
    if (!reader.skipTo(2, "ENTITIES")) return;
    Group g;
    const bool have = reader.next(g);
    EntityParser(reader, doc, doc.entities).run(g, have, [](const Group& x) {
        return isEnd(x, "ENDSEC");
    });
    noteSectionEnd(reader, g, doc.flaws);
}

// Every BLOCK of the section is kept as its own block, in file order, whatever the
// BLOCK_RECORD table announces (files without that table have blocks too).
void readBlocks(GroupReader& reader, DxfDocument& doc) {
    reader.rewind();
    if (!reader.skipTo(2, "BLOCKS")) return;
    Group g;
    bool have = reader.next(g);
    while (have && !isEnd(g, "ENDSEC")) {
        if (!isEnd(g, "BLOCK")) {
            have = reader.next(g);
            continue;
        }
        DxfBlock& block = doc.blocks.emplace_back();
        if (!readBlockHead(reader, block, g)) break;
        // A block without group 3 goes straight on to its first entity.
        const bool first = g.code == 0 || reader.next(g);
        EntityParser(reader, doc, block.entities).run(g, first, [](const Group& x) {
            return (x.code == 100 && x.value == "AcDbBlockEnd") || isEnd(x, "ENDBLK") ||
                   isEnd(x, "ENDSEC");
        });
        if (isEnd(g, "ENDSEC")) break;
        have = reader.next(g);
    }
    noteSectionEnd(reader, g, doc.flaws);
}

}  // namespace lintrel::dxf
