// The entity parser shared by the ENTITIES pass and the BLOCKS pass. Each parser reads the
// groups of one entity up to the next group 0, maps its points into the drawing plane and files
// it under its kind; the group 0 that ended it is handed back. The simple entities are parsed in
// dxf_entities.cpp, ELLIPSE, SPLINE, MLINE and INSERT in dxf_compound_entities.cpp.
#pragma once

#include <string_view>
#include <vector>

#include "import/dxf/dxf_passes.h"

namespace lintrel::dxf {

// True when the extrusion has a component of magnitude 1, so that the plane mapping applies.
bool hasUnitComponent(const Vec3& e);
// Entities given in their own coordinate system come into the drawing plane by the UCS normal.
void mapToPlane(Vec3& p, const Vec3& normal);
// True when the extrusion points against the UCS normal on an axis where it is a unit vector.
bool opposesNormal(const Vec3& e, const Vec3& n);

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
    bool parseNamed(Group& g);
    // Skips an entity the reader does not convert or know; structural names are not counted.
    bool skipUnknown(Group& g);

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

    bool common(DxfEntity& e, const Group& g);
    void finish(DxfEntity& e);

    // Reads the coordinate of a point whose x code is `base` (y base + 10, z base + 20); false
    // when the group is not one of the three.
    bool readPoint(const Group& g, int base, Vec3& p);

    bool mapsPlane(const DxfEntity& e) const { return hasUnitComponent(e.extrusion); }
    bool mirrored(const DxfEntity& e) const {
        return mapsPlane(e) && opposesNormal(e.extrusion, doc_.header.ucsNormal);
    }

    bool parsePoint(Group& g);
    bool parseLine(Group& g, std::vector<DxfLine>& into);
    bool parseCircle(Group& g);
    bool parseArc(Group& g);
    void mirrorVertices(const DxfPolyline& p);
    bool parseLwPolyline(Group& g);
    bool parseVertex(Group& g);
    bool parsePolyline(Group& g);
    bool parseRaw(Group& g, Kind kind);

    bool parseEllipse(Group& g);
    bool parseSpline(Group& g);
    bool parseMLine(Group& g);
    bool parseInsert(Group& g);

    GroupReader& reader_;
    DxfDocument& doc_;
    DxfEntities& out_;
    bool explicitColour_ = false;
};

}  // namespace lintrel::dxf
