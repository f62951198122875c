// The paths of an Illustrator drawing as they are built: a colour palette, the path under
// construction and its conversion into polyline and Bezier vects grouped by colour. Fed by
// the native text parser and by the PDF page content reader alike.
#pragma once

#include <lintrel/lintrel.h>

#include <cstdint>
#include <vector>

#include "base/diagnostics.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel::ai {

// Most colours the palette holds; later colours share the index kPaletteSize.
inline constexpr int kPaletteSize = 300;

class PathBuilder {
  public:
    // What the paths lacked is noted in `diagnostics`.
    explicit PathBuilder(ImportDiagnostics& diagnostics) : diagnostics_(diagnostics) {}
    ~PathBuilder();
    PathBuilder(const PathBuilder&) = delete;
    PathBuilder& operator=(const PathBuilder&) = delete;

    // A colour of components in 0 ... 1; one outside that range changes nothing.
    void setColour(double red, double green, double blue);
    void moveTo(Point p);
    void lineTo(Point p);
    void curveTo(Point p1, Point p2, Point p3);
    // Joins the current subpath back to its start when it ends elsewhere.
    void closeSubpath();
    // Builds vects from the path and clears it; `close` closes every subpath first.
    void paint(bool close);
    // Drops the path unpainted (clipping paths, guides).
    void discard();
    bool hasCurrentPoint() const { return !elements_.empty(); }
    Point currentPoint() const { return elements_.back().points[elements_.back().count - 1]; }

    // Builds what is left, colours the groups and hands them over (null when nothing was
    // drawn). A group's number is its colour index.
    VectGroup* finish();

  private:
    enum Kind { kMove, kLine, kCurve };
    struct Element {
        Kind kind;
        int count;  // points used: 1, or 4 for a curve (P0 ... P3)
        Point points[4];
    };

    void closeAll();
    void build();
    void startVect(int type, Point from, Point to);
    void addLine(Point to);
    void addCurve(const Element& e);
    void fileCurrent();

    ImportDiagnostics& diagnostics_;
    std::vector<uint32_t> palette_;
    int colour_ = 0;
    std::vector<Element> elements_;
    size_t subpathStart_ = 0;  // index of the current subpath's move
    Vect* current_ = nullptr;  // the vect being built, owned until filed
    int currentColour_ = 0;
    ChainOwner<VectGroup> groups_;
    std::vector<VectGroup*> groupOfColour_;
};

}  // namespace lintrel::ai
