// Transforms of segs, vects, groups, images and graphs.
#include "model/transform.h"

#include <cmath>
#include <type_traits>

#include "model/geometry.h"
#include "model/items.h"

namespace lintrel {

namespace {

template <class F>
void forEachSeg(Vect& v, F f) {
    for (Seg* s : ring(v.segs))
        f(*s);
    for (Seg* s : ring(v.flatSegs))
        f(*s);
}

// Applies `onSeg` to a seg item (or its ring), `onVect` to every vect an item covers and
// `onImage` to each of its images; a graph's images are left to the caller.
template <class OnSeg, class OnVect, class OnImage>
int forEachCovered(void* item, Reach reach, OnSeg onSeg, OnVect onVect, OnImage onImage) {
    auto onGroup = [&](VectGroup& g) {
        for (Vect* v : ring(g.vects))
            onVect(*v);
    };
    return visitRecord(item, int{LINTREL_BAD_ARGUMENT}, [&](auto* record) -> int {
        using Record = std::remove_pointer_t<decltype(record)>;
        if constexpr (std::is_same_v<Record, Seg>) {
            eachReached(*record, reach, onSeg);
        } else if constexpr (std::is_same_v<Record, Vect>) {
            eachReached(*record, reach, onVect);
        } else if constexpr (std::is_same_v<Record, VectGroup>) {
            eachReached(*record, reach, onGroup);
        } else if constexpr (std::is_same_v<Record, Image>) {
            if (reach == Reach::One) return onImage(*record);
            for (Image* i : ring(record))
                if (const int code = onImage(*i); code != LINTREL_OK) return code;
        } else {
            for (VectGroup* g : ring(record->groups))
                onGroup(*g);
        }
        return LINTREL_OK;
    });
}

// The same with every seg of each vect (both chains) transformed by `onSeg`.
template <class OnSeg, class OnImage>
int transformSegsOrVects(void* item, Reach reach, OnSeg onSeg, OnImage onImage) {
    return forEachCovered(
        item, reach, onSeg, [&](Vect& v) { forEachSeg(v, onSeg); }, onImage);
}

// Moving and scaling a graph also take its placed images along; rotation leaves them.
template <class F>
int transformWithGraphImages(void* item, Reach reach, F onSeg, auto onImage) {
    if (baseTypeOf(item) == LINTREL_BASE_GRAPH) {
        Graph* graph = static_cast<Graph*>(item);
        for (Image* image : ring(graph->images))
            onImage(*image);
    }
    return transformSegsOrVects(item, reach, onSeg, onImage);
}

}  // namespace

int moveItem(void* item, Reach reach, double dx, double dy) {
    auto onSeg = [=](Seg& s) {
        s.x0 += dx;
        s.x1 += dx;
        s.y0 += dy;
        s.y1 += dy;
    };
    auto onImage = [=](Image& image) {
        image.x += dx;
        image.y += dy;
        return LINTREL_OK;
    };
    return transformWithGraphImages(item, reach, onSeg, onImage);
}

int scaleItem(void* item, Reach reach, float sx, float sy, float cx, float cy) {
    const double fx = sx, fy = sy, ox = cx, oy = cy;
    auto onSeg = [=](Seg& s) {
        s.x0 = (s.x0 - ox) * fx + ox;
        s.x1 = (s.x1 - ox) * fx + ox;
        s.y0 = (s.y0 - oy) * fy + oy;
        s.y1 = (s.y1 - oy) * fy + oy;
    };
    auto onImage = [=](Image& image) {
        // The far corner passes through single precision first, as it always has.
        const double farX = static_cast<float>(image.x + image.width);
        const double farY = static_cast<float>(image.y + image.height);
        const double x = (image.x - ox) * fx + ox;
        const double y = (image.y - oy) * fy + oy;
        image.width = (farX - ox) * fx + ox - x;
        image.height = (farY - oy) * fy + oy - y;
        image.x = x;
        image.y = y;
        return LINTREL_OK;
    };
    return transformWithGraphImages(item, reach, onSeg, onImage);
}

int rotateItem(void* item, Reach reach, float angle, double cx, double cy) {
    const double c = static_cast<float>(std::cos(angle));
    const double s = static_cast<float>(std::sin(angle));
    auto turn = [=](double& x, double& y) {
        const double rx = x - cx, ry = y - cy;
        x = rx * c + ry * s + cx;
        y = ry * c - rx * s + cy;
    };
    auto onSeg = [=](Seg& seg) {
        turn(seg.x0, seg.y0);
        turn(seg.x1, seg.y1);
    };
    auto onVect = [=](Vect& v) {
        if (v.type == LINTREL_ARC && v.segs) {
            // The bounding square moves with its centre and keeps its size and corner order
            // (the order of a full circle's corners is its direction of travel).
            Seg& d = *v.segs;
            ArcGeometry arc = arcGeometry(d);
            turn(arc.centre.x, arc.centre.y);
            const double r = arc.radius;
            const double xs = d.x0 <= d.x1 ? 1 : -1, ys = d.y0 <= d.y1 ? 1 : -1;
            d.x0 = arc.centre.x - xs * r;
            d.x1 = arc.centre.x + xs * r;
            d.y0 = arc.centre.y - ys * r;
            d.y1 = arc.centre.y + ys * r;
            if (!arc.fullCircle()) d.z0 += angle;
            for (Seg* seg : ring(v.flatSegs))
                onSeg(*seg);
            return;
        }
        forEachSeg(v, onSeg);
    };
    auto refuseImage = [](Image&) { return LINTREL_NOT_AVAILABLE; };
    return forEachCovered(item, reach, onSeg, onVect, refuseImage);
}

}  // namespace lintrel
