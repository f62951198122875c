// Export of a group chain as a motion table. The size pass and the fill pass walk the same
// steps; the size pass writes nothing but counts.
#include <utility>

#include "curves/flatten.h"
#include "curves/range.h"
#include "editing/motion_table.h"
#include "model/geometry.h"
#include "model/items.h"
#include "model/transform.h"

namespace lintrel {

namespace {

class TableWriter {
  public:
    explicit TableWriter(double* out) : out_(out) {}

    template <class... Values>
    void put(Values... values) {
        (putOne(static_cast<double>(values)), ...);
    }
    size_t count() const { return count_; }

  private:
    void putOne(double value) {
        if (out_) out_[count_] = value;
        ++count_;
    }

    double* out_;
    size_t count_ = 1;  // element 0 holds the count
};

// An ellipse (or any other curve kind that keeps no flattened copy) is flattened on a copy.
Seg* flattenedOutline(const Vect& v) {
    ChainOwner<Vect> copy(copyVect(&v));
    flattenVect(*copy.get(), kMeasurePrecision);
    return std::exchange(copy.get()->segs, nullptr);
}

// Clockwise is 1. A full circle runs clockwise when its first corner lies right of its second.
int arcDirection(const Seg& definition) {
    const ArcGeometry arc = arcGeometry(definition);
    if (arc.fullCircle()) return definition.x0 >= definition.x1 ? 1 : 0;
    return arc.sweep > 0 ? 1 : 0;
}

void writeOutline(TableWriter& w, const Vect& v, const Seg* outline) {
    if (v.type == LINTREL_ARC && v.segs) {
        const Seg& last = *outline->prev;
        const Point centre = arcGeometry(*v.segs).centre;
        w.put(table::kArc, 5, last.x1, last.y1, centre.x, centre.y, arcDirection(*v.segs));
        return;
    }
    if (v.type == LINTREL_POINT) {
        w.put(table::kPoint, 0);
        return;
    }
    for (const Seg* s : ring(const_cast<Seg*>(outline))) {
        if (s->jump && s != outline) w.put(table::kMove, 2, s->x0, s->y0);
        w.put(table::kLine, 2, s->x1, s->y1);
    }
}

void writeVect(TableWriter& w, Vect& v) {
    const bool drawnAsDefined =
        v.type == LINTREL_POINT || v.type == LINTREL_POLYLINE || v.type == LINTREL_SPLINE;
    ChainOwner<Seg> temporary;
    const Seg* outline = v.segs;
    if (!drawnAsDefined) {
        if (!v.flatSegs) buildFlatSegs(&v, kMeasurePrecision);
        if (!v.flatSegs && v.segs) temporary.reset(flattenedOutline(v));
        outline = v.flatSegs ? v.flatSegs : temporary.get();
    }
    if (!outline) return;  // nothing to trace
    w.put(table::kShapeStart, 0, table::kMove, 2, outline->x0, outline->y0);
    writeOutline(w, v, outline);
    w.put(table::kShapeEnd, 0);
}

}  // namespace

size_t exportTable(VectGroup* first, double* out) {
    TableWriter w(out);
    RectF range;
    rangeOf(first, Reach::Ring, kMeasurePrecision, range);
    w.put(table::kRange, 4, range.x, range.y, range.width, range.height);
    w.put(table::kStartMarker, 0);
    for (VectGroup* group : ring(first)) {
        if (!group->vects) break;  // an empty group ends the listing
        w.put(table::kGroup, 1, group->number);
        for (Vect* v : ring(group->vects))
            writeVect(w, *v);
    }
    w.put(table::kEndMarker, 0, table::kEnd, 0);
    if (out) out[0] = static_cast<double>(w.count());
    return w.count();
}

}  // namespace lintrel
