// The DXF document: what the reading passes take from a file before anything is converted. The
// header, the tables, and the entities of the ENTITIES section and of every block, filed by kind
// in file order, each tagged with its layer. Polyline vertices of the whole file share one pool
// so that reading a large drawing does not allocate per entity.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lintrel::dxf {

// The reader's own constants; converted drawings depend on these exact digits.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct DxfHeader {
    std::string version = "AC1014";
    std::string codePage;  // $DWGCODEPAGE: how the text of files before AC1021 is encoded
    int splineType = 6;
    int splineSegments = 8;
    double extMaxX = 1000.0, extMinX = 0, extMaxY = 1000.0, extMinY = 0;
    double angleBase = 0;
    int angleDirection = 0;
    int angleUnits = 0;
    int measurement = 1;
    Vec3 ucsOrigin;
    Vec3 ucsXAxis{1, 0, 0};
    Vec3 ucsYAxis{0, 1, 0};
    Vec3 ucsNormal{0, 0, 1};
    bool hasLinetypeScale = false;  // no default when the file does not give one
    double linetypeScale = 0;
};

struct DxfLayer {
    std::string name;
    int colour = 0;
    bool on = true;
    std::string linetype = "CONTINUOS";
};

struct DxfLinetype {
    std::string name, description;
    int alignment = 0;
    int dashCount = 0;
    double totalLength = 0;
};

struct DxfStyle {
    std::string name = "STANDARD";
    std::string font = "ARIAL";
    std::string bigFont;
    double widthFactor = 0.8;
    double lastHeight = 2.5;
    double obliqueAngle = 0;
};

// Kinds under which entities are filed; conversion follows this order.
enum class Kind : uint8_t {
    Point = 0,
    Line = 1,
    XLine = 2,
    MLine = 3,
    Polyline = 4,
    LwPolyline = 5,
    Spline = 6,
    Arc = 7,
    Circle = 8,
    Ellipse = 9,
    Text = 11,
    MText = 12,
    Insert = 13,
    Hatch = 14,
    Dimension = 15,
};

// Groups every entity parser reads.
struct DxfEntity {
    int layer = -1;     // index into the layer table
    int colour = 0;     // colour index; the layer's unless group 62 overrides
    int linetype = -1;  // index into DxfDocument::names; -1: the layer's
    double linetypeScale = 1;
    int visibility = 0;
    Vec3 extrusion{0, 0, 1};
};

struct DxfPoint : DxfEntity {
    Vec3 at;
    double angle = 0;
};

// LINE and XLINE: two points.
struct DxfLine : DxfEntity {
    Vec3 a, b;
};

struct DxfCircle : DxfEntity {
    Vec3 centre;
    double radius = 0;
};

struct DxfArc : DxfEntity {
    Vec3 centre;
    double radius = 0;
    double start = 0, end = 0;  // in the file's angle units until distribution
    int counterClockwise = 1;
};

struct DxfVertex {
    double x = 0, y = 0, z = 0;
    double bulge = 0;
    int flags = 0;
};

// LWPOLYLINE and POLYLINE; the vertices are a run of DxfDocument::vertices.
struct DxfPolyline : DxfEntity {
    int flags = 0;
    int curveType = 0;
    uint32_t firstVertex = 0;
    uint32_t vertexCount = 0;
    bool closed() const { return (flags & 1) != 0; }
};

// ELLIPSE: centre and major-axis end (relative to the centre) in world coordinates; start and
// end parameters in radians; `direction` 1 counter-clockwise, 0 after a mirroring.
struct DxfEllipse : DxfEntity {
    Vec3 centre;
    Vec3 major;
    double ratio = 1;
    double start = 0, end = kTwoPi;
    int direction = 1;
};

// SPLINE: control points with their weights (empty when the file gives none), knots, and the
// fit points with their end tangents.
struct DxfSpline : DxfEntity {
    int flags = 0;
    int degree = 3;
    std::vector<double> knots;
    std::vector<double> weights;
    std::vector<Vec3> control;
    std::vector<Vec3> fit;
    Vec3 startTangent, endTangent;
    bool hasStartTangent = false, hasEndTangent = false;
};

// One MLINE vertex: its position, segment and miter directions, and the first two parameters
// (offset along the miter, offset along the segment) of each element.
struct DxfMLineVertex {
    Vec3 at, direction, miter;
    std::vector<std::array<double, 2>> elements;
};

struct DxfMLine : DxfEntity {
    std::string style;
    double scale = 1;
    int justification = 0;
    int flags = 0;
    int elementCount = 0;
    Vec3 start;
    std::vector<DxfMLineVertex> vertices;
    bool closed() const { return (flags & 2) != 0; }
};

// INSERT and MINSERT: a block placed at a point, scaled, rotated (in the file's angle units)
// and, for MINSERT, repeated over a grid of columns and rows.
struct DxfInsert : DxfEntity {
    std::string block;
    Vec3 at;
    Vec3 scale{1, 1, 1};
    double rotation = 0;
    int columns = 1, rows = 1;
    double columnSpacing = 0, rowSpacing = 0;
};

// An entity whose conversion lives elsewhere: its own groups are kept as read, in order, as a
// run of DxfDocument::rawGroups, for the typed parser that converts it.
struct DxfRawEntity : DxfEntity {
    uint32_t firstGroup = 0;
    uint32_t groupCount = 0;
};

struct RawGroup {
    int code = 0;
    std::string value;
};

// Entity lists of one container: the ENTITIES section or one block.
struct DxfEntities {
    std::vector<DxfPoint> points;
    std::vector<DxfLine> lines;
    std::vector<DxfLine> xlines;
    std::vector<DxfPolyline> polylines;
    std::vector<DxfPolyline> lwpolylines;
    std::vector<DxfArc> arcs;
    std::vector<DxfCircle> circles;
    std::vector<DxfEllipse> ellipses;
    std::vector<DxfSpline> splines;
    std::vector<DxfMLine> mlines;
    std::vector<DxfInsert> inserts;
    // Raw kinds, filed but converted elsewhere or never: TEXT, MTEXT, HATCH, DIMENSION.
    std::unordered_map<uint8_t, std::vector<DxfRawEntity>> raw;

    std::vector<DxfRawEntity>& rawOf(Kind kind) { return raw[static_cast<uint8_t>(kind)]; }
    // The filed entities of a raw kind; empty when the file had none.
    const std::vector<DxfRawEntity>& rawOf(Kind kind) const {
        static const std::vector<DxfRawEntity> none;
        const auto it = raw.find(static_cast<uint8_t>(kind));
        return it == raw.end() ? none : it->second;
    }
};

struct DxfBlock {
    std::string name;
    std::string layer;
    Vec3 base;
    DxfEntities entities;
};

// A count kept by name. Its own type keeps the map's instantiation inside the library (a map
// of standard types alone would be exported from the shared library).
struct Tally {
    long count = 0;
};
using TallyByName = std::map<std::string, Tally>;

// What the reading passes had to repair or skip, for the import's diagnostics.
struct DxfReadFlaws {
    bool truncated = false;          // the data ended inside a section, without the EOF marker
    long unclosedSections = 0;       // sections that ended without ENDSEC
    long vertexCountMismatches = 0;  // LWPOLYLINEs whose vertices differ from their group 90
    TallyByName attributes;          // ATTRIB and ATTDEF entities: text, read but not converted
    TallyByName unknownKinds;        // entity names the reader does not know
};

struct DxfDocument {
    DxfHeader header;
    DxfReadFlaws flaws;
    std::vector<DxfLayer> layers;
    std::vector<DxfLinetype> linetypes;
    std::vector<DxfStyle> styles;
    DxfEntities entities;
    std::vector<DxfBlock> blocks;
    std::vector<DxfVertex> vertices;
    std::vector<RawGroup> rawGroups;
    std::vector<std::string> names;  // linetype names that entities set for themselves

    // Index of the layer called `name`, appending it with colour 0 when the table lacks it.
    int layerIndex(std::string_view name);
    int nameIndex(std::string_view name);
    // Fills the name lookup from the layer table (after the LAYER table was read).
    void indexLayers();

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    // The slot type keeps the map's instantiation inside the library (a map of standard types
    // alone would be exported from the shared library by unoptimised builds).
    struct Slot {
        int index;
    };
    std::unordered_map<std::string, Slot, Hash, std::equal_to<>> layerLookup_;
    std::unordered_map<std::string, Slot, Hash, std::equal_to<>> nameLookup_;
};

}  // namespace lintrel::dxf
