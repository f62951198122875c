// Bounding rectangles of items. Parts are measured in double and united in single precision;
// curves without a flattened copy are measured on a flattened copy of their own.
#include <algorithm>
#include <cmath>
#include <optional>

#include "curves/range.h"

#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel {

namespace {

// Unites rectangles: the first is taken unchanged, each further one widens it.
class RectUnion {
  public:
    void add(const RectF& r) {
        if (!has_) {
            rect_ = r;
            has_ = true;
            return;
        }
        const float x = std::min(rect_.x, r.x), y = std::min(rect_.y, r.y);
        const float right = std::max(rect_.x + rect_.width, r.x + r.width);
        const float top = std::max(rect_.y + rect_.height, r.y + r.height);
        rect_ = {x, y, right - x, top - y};
    }
    bool empty() const { return !has_; }
    const RectF& rect() const { return rect_; }

  private:
    RectF rect_;
    bool has_ = false;
};

struct Bounds {
    double xLow = INFINITY, yLow = INFINITY, xHigh = -INFINITY, yHigh = -INFINITY;
    void add(double x, double y) {
        xLow = std::min(xLow, x);
        yLow = std::min(yLow, y);
        xHigh = std::max(xHigh, x);
        yHigh = std::max(yHigh, y);
    }
    bool empty() const { return xLow > xHigh; }
    RectF rect() const {
        return {static_cast<float>(xLow), static_cast<float>(yLow),
                static_cast<float>(xHigh - xLow), static_cast<float>(yHigh - yLow)};
    }
};

void addChain(Bounds& b, const Seg* head) {
    for (const Seg* s : ring(head)) {
        b.add(s->x0, s->y0);
        b.add(s->x1, s->y1);
    }
}

void addChainRect(RectUnion& u, const Seg* head) {
    Bounds b;
    addChain(b, head);
    if (!b.empty()) u.add(b.rect());
}

// Measures a curve on a flattened copy so that the vect itself is left as it is.
void addFlattenedCopy(RectUnion& u, const Vect& v, double precision) {
    const ChainOwner<Seg> flat(flattenedCopy(v, precision));
    addChainRect(u, flat.get());
}

void addVect(RectUnion& u, const Vect& v, double precision) {
    if (v.flatSegs) return addChainRect(u, v.flatSegs);
    if (!v.segs) return;
    if (v.type == LINTREL_ARC) {
        const ArcGeometry arc = arcGeometry(*v.segs);
        if (arc.fullCircle()) {
            const double r = arc.radius;
            u.add({static_cast<float>(arc.centre.x - r), static_cast<float>(arc.centre.y - r),
                   static_cast<float>(2 * r), static_cast<float>(2 * r)});
            return;
        }
        return addFlattenedCopy(u, v, precision);
    }
    if (v.type == LINTREL_BEZIER) return addFlattenedCopy(u, v, precision);
    addChainRect(u, v.segs);
}

void addGroup(RectUnion& u, const VectGroup& g, double precision) {
    for (const Vect* v : ring(g.vects))
        addVect(u, *v, precision);
}

void addImage(RectUnion& u, const Image& image) {
    u.add({static_cast<float>(image.x), static_cast<float>(image.y),
           static_cast<float>(std::max(image.width, 0.0)),
           static_cast<float>(std::max(image.height, 0.0))});
}

int addRecord(RectUnion& u, const Seg& seg, Reach reach, double) {
    if (reach == Reach::Ring) {
        addChainRect(u, &seg);
    } else {
        Bounds b;
        b.add(seg.x0, seg.y0);
        b.add(seg.x1, seg.y1);
        u.add(b.rect());
    }
    return LINTREL_OK;
}

int addRecord(RectUnion& u, const Vect& vect, Reach reach, double precision) {
    eachReached(vect, reach, [&](const Vect& v) { addVect(u, v, precision); });
    return LINTREL_OK;
}

int addRecord(RectUnion& u, const VectGroup& group, Reach reach, double precision) {
    eachReached(group, reach, [&](const VectGroup& g) { addGroup(u, g, precision); });
    return LINTREL_OK;
}

int addRecord(RectUnion& u, const Image& image, Reach reach, double) {
    eachReached(image, reach, [&](const Image& i) { addImage(u, i); });
    return LINTREL_OK;
}

// A graph is measured whole, its curves at the measuring precision whatever the caller gives.
int addRecord(RectUnion& u, const Graph& graph, Reach, double) {
    if (!graph.groups && !graph.images) return LINTREL_EMPTY_GRAPH;
    for (const VectGroup* g : ring(graph.groups))
        addGroup(u, *g, kMeasurePrecision);
    for (const Image* i : ring(graph.images))
        addImage(u, *i);
    return LINTREL_OK;
}

}  // namespace

int rangeOf(void* item, Reach reach, double precision, RectF& out) {
    precision = clampPrecision(precision);
    RectUnion u;
    const int code =
        visitRecord(static_cast<const void*>(item), int{LINTREL_BAD_ARGUMENT},
                    [&](const auto* record) { return addRecord(u, *record, reach, precision); });
    if (code != LINTREL_OK) return code;
    out = u.rect();
    return LINTREL_OK;
}

}  // namespace lintrel
