// The entity parsers and the two passes that use them: the ENTITIES section and the blocks.
// Each parser reads the groups of one entity up to the next group 0, maps its points into the
// drawing plane and files it under its kind; the group 0 that ended it is handed back.
#include <algorithm>
#include <cmath>

#include "import/dxf/dxf_passes.h"

namespace lintrel::dxf {

namespace {

bool isUnit(double v) {
    return std::fabs(std::fabs(v) - 1) <= 1e-4;
}
bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-4;
}
bool hasUnitComponent(const Vec3& e) {
    return isUnit(e.x) || isUnit(e.y) || isUnit(e.z);
}

// Entities given in their own coordinate system come into the drawing plane by the UCS normal.
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

// True when the extrusion points against the UCS normal on an axis where it is a unit vector.
bool opposesNormal(const Vec3& e, const Vec3& n) {
    return (isUnit(e.y) && near(e.y, -n.y)) || (isUnit(e.x) && near(e.x, -n.x)) ||
           (isUnit(e.z) && near(e.z, -n.z));
}

class EntityParser {
  public:
    EntityParser(GroupReader& reader, DxfDocument& doc, DxfEntities& out)
        : reader_(reader), doc_(doc), out_(out) {}

    // Parses entities from the group `g` (when `have`) until `stop` accepts a group or the
    // data ends; the stopping group is left in `g`.
    template <class Stop>
    void run(Group& g, bool have, Stop stop) {
        while (have && !stop(g)) {
            if (g.code != 0) {
                have = reader_.next(g);
                continue;
            }
            have = parseNamed(g);
        }
    }

  private:
    bool parseNamed(Group& g) {
        const std::string_view name = g.value;
        if (name == "POINT") return parsePoint(g);
        if (name == "LINE") return parseLine(g, out_.lines);
        if (name == "XLINE") return parseLine(g, out_.xlines);
        if (name == "CIRCLE") return parseCircle(g);
        if (name == "ARC") return parseArc(g);
        if (name == "LWPOLYLINE") return parseLwPolyline(g);
        if (name == "POLYLINE") return parsePolyline(g);
        if (name == "MLINE") return parseRaw(g, Kind::MLine);
        if (name == "SPLINE") return parseRaw(g, Kind::Spline);
        if (name == "ELLIPSE") return parseRaw(g, Kind::Ellipse);
        if (name == "TEXT") return parseRaw(g, Kind::Text);
        if (name == "MTEXT") return parseRaw(g, Kind::MText);
        if (name == "INSERT") return parseRaw(g, Kind::Insert);
        if (name == "HATCH") return parseRaw(g, Kind::Hatch);
        if (name == "DIMENSION") return parseRaw(g, Kind::Dimension);
        return reader_.next(g);
    }

    // Reads the groups of one entity, giving each to `take` unless it is a common group;
    // returns whether a following group was read.
    template <class Take>
    bool readGroups(Group& g, DxfEntity& e, Take take) {
        explicitColour_ = false;
        bool have;
        while ((have = reader_.next(g)) && g.code != 0)
            if (!common(e, g)) take(g);
        finish(e);
        return have;
    }

    bool common(DxfEntity& e, const Group& g) {
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
                const int colour = parseInt(g.value);
                // 256 means "as the layer": keep the layer's colour instead of a group 256.
                explicitColour_ = colour != 256;
                e.colour = explicitColour_ ? colour
                           : e.layer >= 0  ? doc_.layers[e.layer].colour
                                           : 0;
                return true;
            }
            case 48:
                e.linetypeScale = parseDouble(g.value);
                return true;
            case 60:
                e.visibility = parseInt(g.value);
                return true;
            case 210:
                e.extrusion.x = parseDouble(g.value);
                return true;
            case 220:
                e.extrusion.y = parseDouble(g.value);
                return true;
            case 230:
                e.extrusion.z = parseDouble(g.value);
                return true;
            default:
                return false;
        }
    }

    // An entity that names no layer is on layer "0".
    void finish(DxfEntity& e) {
        if (e.layer >= 0) return;
        e.layer = doc_.layerIndex("0");
        if (!explicitColour_) e.colour = doc_.layers[e.layer].colour;
    }

    static void readPoint(const Group& g, int base, Vec3& p) {
        const double v = parseDouble(g.value);
        if (g.code == base)
            p.x = v;
        else if (g.code == base + 10)
            p.y = v;
        else if (g.code == base + 20)
            p.z = v;
    }

    bool mapsPlane(const DxfEntity& e) const { return hasUnitComponent(e.extrusion); }
    bool mirrored(const DxfEntity& e) const {
        return mapsPlane(e) && opposesNormal(e.extrusion, doc_.header.ucsNormal);
    }

    bool parsePoint(Group& g) {
        DxfPoint p;
        const bool have = readGroups(g, p, [&](const Group& x) {
            readPoint(x, 10, p.at);
            if (x.code == 50) p.angle = parseDouble(x.value);
        });
        if (mapsPlane(p)) mapToPlane(p.at, doc_.header.ucsNormal);
        out_.points.push_back(p);
        return have;
    }

    bool parseLine(Group& g, std::vector<DxfLine>& into) {
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

    bool parseCircle(Group& g) {
        DxfCircle c;
        const bool have = readGroups(g, c, [&](const Group& x) {
            readPoint(x, 10, c.centre);
            if (x.code == 40) c.radius = parseDouble(x.value);
        });
        if (mirrored(c)) c.centre.x = -c.centre.x;
        out_.circles.push_back(c);
        return have;
    }

    bool parseArc(Group& g) {
        DxfArc a;
        const bool have = readGroups(g, a, [&](const Group& x) {
            readPoint(x, 10, a.centre);
            if (x.code == 40) a.radius = parseDouble(x.value);
            if (x.code == 50) a.start = parseDouble(x.value);
            if (x.code == 51) a.end = parseDouble(x.value);
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

    void mirrorVertices(const DxfPolyline& p) {
        for (uint32_t i = 0; i < p.vertexCount; ++i)
            doc_.vertices[p.firstVertex + i].x = -doc_.vertices[p.firstVertex + i].x;
    }

    // Vertices are kept as they come, however many the count announced.
    bool parseLwPolyline(Group& g) {
        DxfPolyline p;
        p.firstVertex = static_cast<uint32_t>(doc_.vertices.size());
        double pendingX = 0;
        const bool have = readGroups(g, p, [&](const Group& x) {
            switch (x.code) {
                case 70:
                    p.flags = parseInt(x.value);
                    break;
                case 10:
                    pendingX = parseDouble(x.value);
                    break;
                case 20:
                    doc_.vertices.push_back({pendingX, parseDouble(x.value), 0, 0, 0});
                    break;
                case 42:
                    if (doc_.vertices.size() > p.firstVertex)
                        doc_.vertices.back().bulge = parseDouble(x.value);
                    break;
                default:
                    break;
            }
        });
        p.vertexCount = static_cast<uint32_t>(doc_.vertices.size() - p.firstVertex);
        if (mirrored(p)) mirrorVertices(p);
        out_.lwpolylines.push_back(p);
        return have;
    }

    // A VERTEX takes its layer and colour from its POLYLINE; only its own groups are read.
    bool parseVertex(Group& g) {
        DxfVertex v;
        bool have;
        while ((have = reader_.next(g)) && g.code != 0) {
            switch (g.code) {
                case 10:
                    v.x = parseDouble(g.value);
                    break;
                case 20:
                    v.y = parseDouble(g.value);
                    break;
                case 30:
                    v.z = parseDouble(g.value);
                    break;
                case 42:
                    v.bulge = parseDouble(g.value);
                    break;
                case 70:
                    v.flags = parseInt(g.value);
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

    bool parsePolyline(Group& g) {
        DxfPolyline p;
        p.firstVertex = static_cast<uint32_t>(doc_.vertices.size());
        bool have = readGroups(g, p, [&](const Group& x) {
            if (x.code == 70) p.flags = parseInt(x.value);
            if (x.code == 75) p.curveType = parseInt(x.value);
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

    bool parseRaw(Group& g, Kind kind) {
        DxfRawEntity r;
        r.firstGroup = static_cast<uint32_t>(doc_.rawGroups.size());
        const bool have = readGroups(g, r, [&](const Group& x) {
            doc_.rawGroups.push_back({x.code, std::string(x.value)});
        });
        r.groupCount = static_cast<uint32_t>(doc_.rawGroups.size() - r.firstGroup);
        out_.rawOf(kind).push_back(r);
        return have;
    }

    GroupReader& reader_;
    DxfDocument& doc_;
    DxfEntities& out_;
    bool explicitColour_ = false;
};

bool isEnd(const Group& g, std::string_view name) {
    return g.code == 0 && g.value == name;
}

// Number of block slots: the BLOCK_RECORD count plus 2, at most 1000; 0 without the table.
int blockSlots(GroupReader& reader) {
    reader.rewind();
    if (!reader.skipTo(2, "TABLES") || !reader.skipTo(2, "BLOCK_RECORD")) return 0;
    Group g;
    int count = 0;
    while (reader.next(g) && g.code != 0)
        if (g.code == 70) {
            count = parseInt(g.value);
            break;
        }
    return std::clamp(count, -2, 998) + 2;
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
                block.base.x = parseDouble(g.value);
                break;
            case 20:
                block.base.y = parseDouble(g.value);
                break;
            case 30:
                block.base.z = parseDouble(g.value);
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

void readEntities(GroupReader& reader, DxfDocument& doc) {
    reader.rewind();
    if (!reader.skipTo(2, "ENTITIES")) return;
    Group g;
    const bool have = reader.next(g);
    EntityParser(reader, doc, doc.entities).run(g, have, [](const Group& x) {
        return isEnd(x, "ENDSEC");
    });
}

void readBlocks(GroupReader& reader, DxfDocument& doc) {
    const int slots = blockSlots(reader);
    if (slots < 1) return;
    doc.blocks.resize(static_cast<size_t>(slots));
    reader.rewind();
    if (!reader.skipTo(2, "BLOCKS")) return;
    int slot = -1;
    Group g;
    bool have = reader.next(g);
    while (have && !isEnd(g, "ENDSEC")) {
        if (!isEnd(g, "BLOCK")) {
            have = reader.next(g);
            continue;
        }
        slot = std::min(slot + 1, slots - 1);
        DxfBlock& block = doc.blocks[static_cast<size_t>(slot)];
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
}

}  // namespace lintrel::dxf
