// Unit factors and whole-drawing scaling.
#include "core/document/units.h"

#include <lintrel/lintrel.hpp>

#include <array>
#include <cctype>

namespace pathloom {

namespace {

struct UnitInfo {
    int code;
    double millimetres;
    std::string_view name;
};

constexpr std::array<UnitInfo, 12> kUnits{{
    {8001, 25.4, "inches"},
    {8002, 304.8, "feet"},
    {8003, 10.0, "centimetres"},
    {8004, 1000.0, "metres"},
    {8005, 0.0254, "mils"},
    {8006, 914.4, "yards"},
    {8007, 0.001, "microns"},
    {8008, 100.0, "decimetres"},
    {8009, 10000.0, "decametres"},
    {8010, 100000.0, "hectometres"},
    {8011, 25.4 / 72, "points"},
    {8012, 25.4 / 6, "picas"},
}};

const UnitInfo* findUnit(int code) {
    for (const UnitInfo& unit : kUnits) {
        if (unit.code == code) return &unit;
    }
    return nullptr;
}

void scaleChain(Seg* head, double factor) {
    for (Seg* s : lintrel::ring(head)) {
        s->x0 *= factor;
        s->y0 *= factor;
        s->x1 *= factor;
        s->y1 *= factor;
    }
}

}  // namespace

std::optional<double> millimetresPerUnit(int unitCode) {
    if (const UnitInfo* unit = findUnit(unitCode)) return unit->millimetres;
    return std::nullopt;
}

int coordinateUnit(std::string_view path, int declaredUnit) {
    if (hasExtension(path, "ai")) return LINTREL_UNIT_POINT;
    // The PDF reader converts points itself; the file declares nothing.
    if (hasExtension(path, "pdf")) return LINTREL_UNIT_MILLIMETRE;
    return declaredUnit;
}

std::string_view unitName(int unitCode) {
    if (const UnitInfo* unit = findUnit(unitCode)) return unit->name;
    return "millimetres or unitless";
}

void scaleDrawing(VectGroup* drawing, double factor) {
    for (VectGroup* group : lintrel::ring(drawing)) {
        for (Vect* v : lintrel::ring(group->vects)) {
            scaleChain(v->segs, factor);
            scaleChain(v->flatSegs, factor);
        }
    }
}

bool hasExtension(std::string_view path, std::string_view extension) {
    if (path.size() <= extension.size()) return false;
    const std::string_view tail = path.substr(path.size() - extension.size());
    if (path[path.size() - extension.size() - 1] != '.') return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) !=
            std::tolower(static_cast<unsigned char>(extension[i])))
            return false;
    }
    return true;
}

}  // namespace pathloom
