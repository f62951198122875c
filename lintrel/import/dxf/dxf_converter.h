// The converter of a read DXF document, shared by its three source files: the walk over
// layers, kinds and the simple entities (dxf_convert.cpp), ellipses, splines and multilines
// (dxf_convert_curves.cpp), and the expansion of block references (dxf_convert_inserts.cpp).
// Geometry met inside a block reference is converted through the reference's placement.
#pragma once

#include <lintrel/lintrel.h>

#include <cmath>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "curves/bspline.h"
#include "import/dxf/dxf_document.h"
#include "import/dxf/dxf_text.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel::dxf {

// An affine map of block coordinates into the drawing: p' = linear · p + offset.
struct Placement {
    double xx = 1, xy = 0, yx = 0, yy = 1;
    double dx = 0, dy = 0;
    bool identity = true;

    Point point(double x, double y) const { return {xx * x + xy * y + dx, yx * x + yy * y + dy}; }
    Point vector(double x, double y) const { return {xx * x + xy * y, yx * x + yy * y}; }
    double determinant() const { return xx * yy - xy * yx; }
    bool mirrors() const { return determinant() < 0; }
    // True when circles stay circles: both columns of equal length and at right angles.
    bool keepsCircles() const {
        const double a = xx * xx + yx * yx, b = xy * xy + yy * yy, dot = xx * xy + yx * yy;
        return std::fabs(a - b) <= 1e-9 * (a + b) && std::fabs(dot) <= 1e-9 * (a + b);
    }
    // This placement followed by `outer`.
    Placement then(const Placement& outer) const;
};

// What the conversion skipped, for the import's diagnostics.
struct ConvertFlaws {
    TallyByName notConverted;   // entity kinds reached but never drawn
    TallyByName missingBlocks;  // referenced block names not in the file
    long nestingBound = 0;      // references left unexpanded at the depth bound
    long cycles = 0;            // references to a block that is already being expanded
    long expansionBound = 0;    // references left unexpanded once the geometry bound was reached
    long outOfRange = 0;        // vects whose coordinates left the double range
};

// Brings an angle into [0, 2pi] by the reader's own 2pi.
double reduceAngle(double a);
// Angles of the file to radians by the header's angle units.
double toRadians(double angle, int units);
// An arc in the library's convention from a centre, radius and mathematical angles (radians).
Vect* arcVect(double cx, double cy, double r, double start, double end, bool counterClockwise);
// A polyline vect through points, its box cached.
Vect* polylineThrough(std::span<const DxfVertex> points, bool closed);

// Converts a read document into vect groups keyed by colour index, in ascending order of the
// index, with the UCS origin move applied. `precision` bounds the deviation of curves that have
// to be approximated by cubic pieces.
class Converter {
  public:
    // With `hatchOutlines`, the boundary paths of hatches become closed outlines.
    Converter(const DxfDocument& doc, double precision, bool hatchOutlines = false);

    // The group chain (null when nothing was converted), owned by the caller; what the texts
    // lacked goes to `diagnostics`.
    VectGroup* run(ImportDiagnostics& diagnostics);
    // What the conversion skipped, for the diagnostics.
    const ConvertFlaws& flaws() const { return flaws_; }
    long fontFilesRead() const { return text_.fontFilesRead(); }

  private:
    // The ENTITIES section, layer by layer; then the entities of a container in distribution
    // order: with `buckets` only those on `layer` (a layer of the ENTITIES section), without
    // them all (a block's contents).
    struct Buckets;
    void convertContainer(const DxfEntities& e);
    void convertKinds(const DxfEntities& e, const Buckets* buckets, size_t layer);
    void countNotConverted(const DxfEntities& e, const Buckets* buckets, size_t layer);

    void add(int colour, Vect* v);
    VectGroup* groupFor(int number);

    void convertPoint(const DxfPoint& p);
    void convertLine(const DxfLine& l);
    void convertArc(const DxfArc& a);
    void convertCircle(const DxfCircle& c);
    std::span<const DxfVertex> filedVertices(const DxfPolyline& p, bool dropFrame);
    void convertPolyline(const DxfPolyline& p);
    void convertLwPolyline(const DxfPolyline& p);
    void convertVertices(std::span<const DxfVertex> points, bool closed, bool fitted, int colour);
    void flushRun(Seg*& run, int colour, bool last);
    void convertBulged(std::span<const DxfVertex> points, int colour);

    void convertEllipse(const DxfEllipse& e);
    DxfEllipse placedEllipse(const DxfEllipse& e) const;
    // A circle or arc (radians, counter-clockwise when `ccw`) under a placement that does not
    // keep circles round becomes the ellipse it is drawn as.
    void convertAsEllipse(const DxfEntity& entity, const Vec3& centre, double radius, double start,
                          double end, bool ccw);
    void convertSpline(const DxfSpline& s);
    void convertFitSpline(const DxfSpline& s);
    void emitBezier(const std::vector<CubicPiece>& pieces, int colour);
    void convertMLine(const DxfMLine& m);
    void convertHatch(const DxfRawEntity& hatch);

    void convertInsert(const DxfInsert& insert);
    void expandBlock(size_t block, const Placement& placement);
    int findBlock(std::string_view name) const;
    // A text vect of block contents carried through the current placement.
    void placeText(Vect& v) const;

    // Applies the current placement to block geometry.
    Point placed(double x, double y) const {
        return place_.identity ? Point{x, y} : place_.point(x, y);
    }
    void placeVertices(std::vector<DxfVertex>& points) const;

    const DxfDocument& doc_;
    const double precision_;
    const bool hatchOutlines_;
    // TEXT and MTEXT of the ENTITIES section and of expanded blocks.
    TextConverter text_;
    ChainOwner<VectGroup> groups_;
    VectGroup* last_ = nullptr;
    std::vector<DxfVertex> scratch_;
    ConvertFlaws flaws_;

    // Block references: names in upper case to the first block of that name; which blocks are
    // being expanded; the placement of the geometry now converted.
    struct BlockSlot {
        size_t index;
    };
    std::unordered_map<std::string, BlockSlot> blockIndex_;
    std::vector<bool> expanding_;
    int depth_ = 0;
    long expanded_ = 0;  // entities converted inside block references so far
    Placement place_;
};

}  // namespace lintrel::dxf
