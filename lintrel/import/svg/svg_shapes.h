// Turning paths in user space into vects in millimetres: straight runs become polylines, curves
// Bezier vects (three segs per cubic), circular arcs that the transform keeps circular arc
// vects, and everything else cubic pieces. Vects are filed into groups by colour.
#pragma once

#include <lintrel/lintrel.h>

#include <cstdint>
#include <initializer_list>
#include <unordered_map>
#include <utility>
#include <vector>

#include "import/svg/svg_arc.h"
#include "import/svg/svg_matrix.h"
#include "import/svg/svg_path_data.h"
#include "model/items.h"

namespace lintrel::svg {

// One group per colour, numbered from 1 in the order the colours first occur.
class ColourGroups {
  public:
    void add(uint32_t colour, Vect* vect);
    VectGroup* release() { return groups_.release(); }

  private:
    ChainOwner<VectGroup> groups_;
    std::unordered_map<uint32_t, VectGroup*> byColour_;
};

class ShapeBuilder : public PathSink {
  public:
    explicit ShapeBuilder(ColourGroups& groups) : groups_(groups) {}
    ~ShapeBuilder() override;
    ShapeBuilder(const ShapeBuilder&) = delete;
    ShapeBuilder& operator=(const ShapeBuilder&) = delete;

    // Starts a shape drawn with `toOutput` (user space to millimetres) in `colour`.
    void begin(const Matrix& toOutput, uint32_t colour);
    // Files what the shape left open.
    void end();
    // A whole circle: one arc vect when the transform keeps it circular, else cubic pieces.
    void circle(Point centre, double rx, double ry);
    long segCount() const { return segs_; }
    // The groups shapes are filed into, which text shares.
    ColourGroups& groups() { return groups_; }
    // Pieces dropped since the last call because their coordinates overflowed in millimetres.
    long takeDropped() { return std::exchange(dropped_, 0); }

    void moveTo(Point p) override;
    void lineTo(Point p) override;
    void cubicTo(Point c1, Point c2, Point p) override;
    void arcTo(double rx, double ry, double xAxisRotation, bool largeArc, bool sweep,
               Point p) override;
    void closePath() override;

  private:
    void file();
    void fileArc(const CentreArc& arc, Point endUser);
    Vect* startVect(int type);
    void appendSeg(Point from, Point to);
    // False (and the subpath ends) when a transformed point is not finite.
    bool usable(std::initializer_list<Point> points);

    ColourGroups& groups_;
    Matrix toOutput_;
    bool similar_ = false;  // the transform keeps circles circular
    uint32_t colour_ = 0;
    Vect* current_ = nullptr;  // polyline or Bezier being built, owned until filed
    Point userPoint_{}, userStart_{};
    Point outPoint_{}, outStart_{};
    bool hasPoint_ = false;
    Vect* firstOfSubpath_ = nullptr;  // the only vect of the subpath so far, or null
    int subpathVects_ = 0;
    long segs_ = 0;
    long dropped_ = 0;
};

}  // namespace lintrel::svg
