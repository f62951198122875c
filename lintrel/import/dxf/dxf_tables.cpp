// The header pass and the LAYER, LTYPE and STYLE table passes of the DXF reader.
#include <lintrel/lintrel.h>

#include <cmath>
#include <utility>

#include "import/dxf/dxf_passes.h"
#include "model/frame.h"

namespace lintrel::dxf {

namespace {

bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-4;
}

// Reads the groups `codes` directly after a header variable name, in that order, into
// `targets`; the first group with another code is left for the caller.
template <size_t N>
void readVariable(GroupReader& reader, const int (&codes)[N], auto&& take) {
    for (size_t i = 0; i < N; ++i) {
        const auto mark = reader.mark();
        Group g;
        if (!reader.next(g) || g.code != codes[i]) {
            reader.reset(mark);
            return;
        }
        take(i, g.value);
    }
}

void readDouble(GroupReader& reader, int code, double& out) {
    const int codes[] = {code};
    readVariable(reader, codes, [&](size_t, std::string_view v) { out = reader.real(v); });
}

void readInt(GroupReader& reader, int code, int& out) {
    const int codes[] = {code};
    readVariable(reader, codes, [&](size_t, std::string_view v) { out = reader.integer(v); });
}

void readPoint(GroupReader& reader, Vec3& out) {
    const int codes[] = {10, 20, 30};
    readVariable(reader, codes, [&](size_t i, std::string_view v) {
        (i == 0 ? out.x : i == 1 ? out.y : out.z) = reader.real(v);
    });
}

void readExtent(GroupReader& reader, double& x, double& y) {
    const int codes[] = {10, 20};
    readVariable(reader, codes,
                 [&](size_t i, std::string_view v) { (i == 0 ? x : y) = reader.real(v); });
}

void readVariableNamed(GroupReader& reader, std::string_view name, DxfHeader& h) {
    if (name == "$ACADVER") {
        const int codes[] = {1};
        readVariable(reader, codes, [&](size_t, std::string_view v) { h.version = v; });
    } else if (name == "$DWGCODEPAGE") {
        const int codes[] = {3};
        readVariable(reader, codes, [&](size_t, std::string_view v) { h.codePage = v; });
    } else if (name == "$SPLINETYPE") {
        readInt(reader, 70, h.splineType);
    } else if (name == "$SPLINESEGS") {
        readInt(reader, 70, h.splineSegments);
    } else if (name == "$EXTMAX") {
        readExtent(reader, h.extMaxX, h.extMaxY);
    } else if (name == "$EXTMIN") {
        readExtent(reader, h.extMinX, h.extMinY);
    } else if (name == "$ANGBASE") {
        readDouble(reader, 50, h.angleBase);
    } else if (name == "$ANGDIR") {
        readInt(reader, 70, h.angleDirection);
    } else if (name == "$AUNITS") {
        readInt(reader, 70, h.angleUnits);
    } else if (name == "$MEASUREMENT") {
        readInt(reader, 70, h.measurement);
    } else if (name == "$UCSORG") {
        readPoint(reader, h.ucsOrigin);
    } else if (name == "$UCSXDIR") {
        readPoint(reader, h.ucsXAxis);
    } else if (name == "$UCSYDIR") {
        readPoint(reader, h.ucsYAxis);
    } else if (name == "$LTSCALE") {
        const int codes[] = {40};
        readVariable(reader, codes, [&](size_t, std::string_view v) {
            h.linetypeScale = reader.real(v);
            h.hasLinetypeScale = true;
        });
    } else if (name == "$INSUNITS") {
        const int codes[] = {70};
        readVariable(reader, codes, [&](size_t, std::string_view v) {
            frame::setSourceUnit(unitOfInsUnits(reader.integer(v)));
        });
    }
}

// The drawing-plane normal of the UCS axes, and the matching change of the UCS origin.
void deriveUcsNormal(DxfHeader& h) {
    const Vec3 xa = h.ucsXAxis, ya = h.ucsYAxis;
    Vec3& o = h.ucsOrigin;
    auto swapYZ = [&] { std::swap(o.y, o.z); };
    if (near(xa.x, 1) && near(ya.y, 1)) return;
    if (near(xa.x, 1)) {
        if (near(ya.z, 1)) {
            h.ucsNormal = {0, -1, 0};
            swapYZ();
        }
    } else if (near(xa.x, -1)) {
        if (near(ya.y, 1)) {
            h.ucsNormal = {0, 0, -1};
        } else if (near(ya.z, 1)) {
            h.ucsNormal = {0, 1, 0};
            swapYZ();
        }
        o.x = -o.x;
    } else if (near(xa.y, 1) && near(ya.z, 1)) {
        h.ucsNormal = {1, 0, 0};
        std::swap(o.x, o.y);
        swapYZ();
    } else if (near(xa.y, -1) && near(ya.z, 1)) {
        h.ucsNormal = {-1, 0, 0};
        o = {-o.y, -o.x, o.z};
        swapYZ();
    } else if (near(ya.z, 1)) {
        swapYZ();
    }
}

// Skips to the table `name` inside TABLES and returns its group 70 count (0 when absent); false
// when the table is not in the file.
bool openTable(GroupReader& reader, std::string_view name) {
    reader.rewind();
    return reader.skipTo(2, "TABLES") && reader.skipTo(2, name);
}

// Walks the records of an open table: each group 0 `record` starts one (onRecord), the other
// groups of a record go to onGroup; group 0 ENDTAB ends the table.
template <class OnRecord, class OnGroup>
void walkTable(GroupReader& reader, std::string_view record, OnRecord onRecord, OnGroup onGroup) {
    Group g;
    bool inRecord = false;
    while (reader.next(g)) {
        if (g.code == 0) {
            if (g.value == "ENDTAB") return;
            inRecord = g.value == record;
            if (inRecord) onRecord();
        } else if (inRecord) {
            onGroup(g);
        }
    }
}

}  // namespace

int unitOfInsUnits(int value) {
    switch (value) {
        case 1:
            return LINTREL_UNIT_INCH;
        case 2:
            return LINTREL_UNIT_FOOT;
        case 5:
            return LINTREL_UNIT_CENTIMETRE;
        case 6:
            return LINTREL_UNIT_METRE;
        case 9:
            return LINTREL_UNIT_MIL;
        case 10:
            return LINTREL_UNIT_YARD;
        case 13:
            return LINTREL_UNIT_MICRON;
        case 14:
            return LINTREL_UNIT_DECIMETRE;
        case 15:
            return LINTREL_UNIT_DECAMETRE;
        case 16:
            return LINTREL_UNIT_HECTOMETRE;
        default:
            return LINTREL_UNIT_MILLIMETRE;
    }
}

void readHeader(GroupReader& reader, DxfDocument& doc) {
    reader.rewind();
    if (reader.skipTo(2, "HEADER")) {
        Group g;
        while (reader.next(g)) {
            if (g.code == 0 && g.value == "ENDSEC") break;
            if (g.code == 0 && g.value == "SECTION") ++doc.flaws.unclosedSections;
            if (g.code == 9) readVariableNamed(reader, g.value, doc.header);
        }
        noteSectionEnd(reader, g, doc.flaws);
    }
    deriveUcsNormal(doc.header);
}

// The table's group 70 count only sizes the table up front; records beyond it are kept too.
void readLayers(GroupReader& reader, DxfDocument& doc) {
    if (!openTable(reader, "LAYER")) return;
    walkTable(
        reader, "LAYER", [&] { doc.layers.emplace_back().linetype.clear(); },
        [&](const Group& g) {
            DxfLayer& layer = doc.layers.back();
            if (g.code == 2) {
                layer.name = g.value;
            } else if (g.code == 62) {
                const int colour = reader.integer(g.value);
                layer.colour = colour < 0 ? -colour : colour;
                layer.on = colour >= 0;
            } else if (g.code == 6) {
                layer.linetype = g.value;
            }
        });
    doc.indexLayers();
}

void readLinetypes(GroupReader& reader, DxfDocument& doc) {
    if (!openTable(reader, "LTYPE")) return;
    walkTable(
        reader, "LTYPE", [&] { doc.linetypes.emplace_back(); },
        [&](const Group& g) {
            DxfLinetype& t = doc.linetypes.back();
            switch (g.code) {
                case 2:
                    t.name = g.value;
                    break;
                case 3:
                    t.description = g.value;
                    break;
                case 72:
                    t.alignment = reader.integer(g.value);
                    break;
                case 73:
                    t.dashCount = reader.integer(g.value);
                    break;
                case 40:
                    t.totalLength = reader.real(g.value);
                    break;
                default:
                    break;
            }
        });
}

void readStyles(GroupReader& reader, DxfDocument& doc) {
    if (!openTable(reader, "STYLE")) return;
    walkTable(
        reader, "STYLE", [&] { doc.styles.emplace_back(); },
        [&](const Group& g) {
            DxfStyle& s = doc.styles.back();
            switch (g.code) {
                case 2:
                    s.name = g.value;
                    break;
                case 3:
                    s.font = g.value;
                    break;
                case 4:
                    s.bigFont = g.value;
                    break;
                case 41:
                    s.widthFactor = reader.real(g.value);
                    break;
                case 42:
                    s.lastHeight = reader.real(g.value);
                    break;
                case 50:
                    s.obliqueAngle = reader.real(g.value);
                    break;
                default:
                    break;
            }
        });
}

void readDocument(GroupReader& reader, DxfDocument& doc) {
    readHeader(reader, doc);
    readLayers(reader, doc);
    readLinetypes(reader, doc);
    readStyles(reader, doc);
    readEntities(reader, doc);
    readBlocks(reader, doc);
}

}  // namespace lintrel::dxf
