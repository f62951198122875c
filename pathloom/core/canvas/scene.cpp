// Building the scene: vects with their pens and arrows, travel moves, start dots and order
// numbers, mapped to pixels and reduced so that no two consecutive points share a pixel.
#include "core/canvas/scene.h"

#include <algorithm>
#include <cmath>

#include "core/canvas/vect_measures.h"

namespace pathloom::canvas {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFullCircle = 1e-4;
constexpr double kArrowLength = 12;
constexpr double kArrowAngle = 0.4886921905584118;  // 28 degrees
constexpr double kArrowSpacing = 100;               // pixels of path between arrows
constexpr double kPixelLimit = 1e9;                 // far beyond any screen, within int32

constexpr uint32_t kPalette[20] = {0xFFFF00, 0x00FF00, 0xFF0080, 0x8000FF, 0xC08000,
                                   0xFF00FF, 0xFFFF80, 0x8080FF, 0x008080, 0x808080,
                                   0x00FFFF, 0x404080, 0xFF8080, 0x0080FF, 0x800080,
                                   0x808000, 0xFF0000, 0x804000, 0xC08080, 0x404000};

Colour fromBgr(uint32_t value) {
    return rgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int32_t toPixel(double v) {
    return static_cast<int32_t>(std::lround(std::clamp(v, -kPixelLimit, kPixelLimit)));
}

// Collects strokes, dropping every point that falls in the pixel of the point before it.
class StrokeWriter {
  public:
    explicit StrokeWriter(Scene& scene) : scene_(scene) {}

    uint32_t pen(const Pen& pen) {
        for (size_t i = 0; i < scene_.pens.size(); ++i)
            if (scene_.pens[i] == pen) return static_cast<uint32_t>(i);
        scene_.pens.push_back(pen);
        return static_cast<uint32_t>(scene_.pens.size() - 1);
    }
    void begin(uint32_t pen, PointD p) {
        end();
        open_ = true;
        scene_.strokes.push_back({pen, static_cast<uint32_t>(scene_.points.size()), 0});
        add(p);
    }
    void add(PointD p) {
        const PixelPoint pixel{toPixel(p.x), toPixel(p.y)};
        Stroke& stroke = scene_.strokes.back();
        if (stroke.count > 0 && scene_.points.back() == pixel) return;
        scene_.points.push_back(pixel);
        ++stroke.count;
    }
    void end() { open_ = false; }

  private:
    Scene& scene_;
    bool open_ = false;
};

struct VectPainter {
    Scene& scene;
    StrokeWriter& out;
    const ViewTransform& view;
    const Layers& layers;
    double scale;

    PointD map(double x, double y) const { return view.toPixel(x, y); }

    void arrowAt(uint32_t pen, PointD from, PointD to) {
        const double back = std::atan2(from.y - to.y, from.x - to.x);
        for (const double side : {kArrowAngle, -kArrowAngle}) {
            out.begin(pen, to);
            out.add({to.x + kArrowLength * std::cos(back + side),
                     to.y + kArrowLength * std::sin(back + side)});
        }
    }

    void lines(uint32_t pen, const Seg* chain) {
        const double spacing = kArrowSpacing * scale;
        double run = 0;
        PointD start = map(chain->x0, chain->y0);
        out.begin(pen, start);
        for (const Seg* s : lintrel::ring(chain)) {
            const Seg& seg = *s;
            ++scene.inputSegments;
            PointD from = start;
            if (seg.jump) {
                from = map(seg.x0, seg.y0);
                out.begin(pen, from);
            }
            const PointD to = map(seg.x1, seg.y1);
            out.add(to);
            start = to;
            if (!layers.showDirection) continue;
            const double dx = to.x - from.x, dy = to.y - from.y;
            const double length = std::sqrt(dx * dx + dy * dy);
            run += length;
            if (length >= spacing || run >= spacing) {
                arrowAt(pen, from, to);
                out.begin(pen, to);  // the path goes on from the arrow's tip
                run = 0;
            }
        }
        out.end();
    }

    void arc(uint32_t pen, const Seg& d) {
        ++scene.inputSegments;
        const Circle c = arcCircle(d);
        const double a = 2 * kPi - d.z0;
        const double sweep = std::fabs(d.z1) <= kFullCircle ? 2 * kPi : d.z1;
        const double radius = c.r * view.zoom();
        const int steps =
            std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) * radius / 3)), 8, 4096);
        out.begin(pen, map(c.cx + c.r * std::cos(a), c.cy + c.r * std::sin(a)));
        for (int i = 1; i <= steps; ++i) {
            const double t = a - sweep * i / steps;
            out.add(map(c.cx + c.r * std::cos(t), c.cy + c.r * std::sin(t)));
        }
        out.end();
    }

    // Cubic pieces of three segs each: the first seg's start and end and the ends of the next two.
    void bezier(uint32_t pen, const Seg* chain) {
        std::vector<const Seg*> segs;
        for (const Seg* seg : lintrel::ring(chain))
            segs.push_back(seg);
        scene.inputSegments += segs.size();
        for (size_t k = 0; k + 2 < segs.size(); k += 3) {
            const PointD p[4] = {map(segs[k]->x0, segs[k]->y0), map(segs[k]->x1, segs[k]->y1),
                                 map(segs[k + 1]->x1, segs[k + 1]->y1),
                                 map(segs[k + 2]->x1, segs[k + 2]->y1)};
            double polygon = 0;
            for (int i = 0; i < 3; ++i)
                polygon += std::hypot(p[i + 1].x - p[i].x, p[i + 1].y - p[i].y);
            const int steps = std::clamp(static_cast<int>(std::ceil(polygon / 3)), 4, 4096);
            if (k == 0) out.begin(pen, p[0]);
            for (int i = 1; i <= steps; ++i) {
                const double t = double(i) / steps, u = 1 - t;
                const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
                out.add({w0 * p[0].x + w1 * p[1].x + w2 * p[2].x + w3 * p[3].x,
                         w0 * p[0].y + w1 * p[1].y + w2 * p[2].y + w3 * p[3].y});
            }
        }
        out.end();
    }

    Pen penFor(const VectGroup& group, const Vect& vect) const {
        const bool point = vect.type == LINTREL_POINT;
        const int pointWidth = std::max(1, static_cast<int>(std::lround(5 * scale)));
        if (vect.selected)
            return point ? Pen{kSelectedPointColour, true, pointWidth}
                         : Pen{kSelectedColour, true, 1};
        if (point) return {groupColour(group), false, pointWidth};
        if (layers.showOpen && !vect.closed) return {kOpenColour, false, 1};
        return {groupColour(group), false, 1};
    }

    void vect(const VectGroup& group, const Vect& v) { vectIn(out.pen(penFor(group, v)), v); }

    void vectIn(uint32_t pen, const Vect& v) {
        const Seg* chain = workingChain(v);
        if (!chain) return;
        if (v.type == LINTREL_POINT) {
            out.begin(pen, map(chain->x0, chain->y0));
            out.end();
        } else if (drawnFromDefinition(v) && v.type == LINTREL_ARC) {
            arc(pen, *chain);
        } else if (drawnFromDefinition(v)) {
            bezier(pen, chain);
        } else {
            lines(pen, chain);
        }
    }
};

struct Ends {
    PointD start, end;
};

Ends vectEnds(const Vect& v) {
    const Seg* chain = workingChain(v);
    if (v.type == LINTREL_ARC && !v.flatSegs) {
        const Circle c = arcCircle(*chain);
        const double a = 2 * kPi - chain->z0;
        const double b = std::fabs(chain->z1) <= kFullCircle ? a : a - chain->z1;
        return {{c.cx + c.r * std::cos(a), c.cy + c.r * std::sin(a)},
                {c.cx + c.r * std::cos(b), c.cy + c.r * std::sin(b)}};
    }
    return {{chain->x0, chain->y0}, {chain->prev->x1, chain->prev->y1}};
}

// The shaped vects of the cut paths: the led chains first, the offset shapes over them, so
// that what shows in the lead pen is the lead and the overcut.
void paintCuts(VectPainter& painter, StrokeWriter& out, const CutPaths& cuts) {
    const auto paint = [&](const VectGroup* chain, const std::vector<char>& wanted, Pen pen) {
        const uint32_t index = out.pen(pen);
        size_t k = 0;
        for (const VectGroup* group : lintrel::ring(chain))
            for (const Vect* v : lintrel::ring(group->vects))
                if (k < wanted.size() && wanted[k++]) painter.vectIn(index, *v);
    };
    if (cuts.offset) paint(cuts.paths.get(), cuts.led, {kLeadColour, false, 1});
    paint(cuts.offset ? cuts.offset.get() : cuts.paths.get(), cuts.offsetDone,
          {kOffsetColour, true, 1});
}

struct CutEnds {
    Ends ends;
    size_t vect = 0;     // the drawing's vect, in chain order
    bool first = false;  // the first piece of that vect
};

// The closed shapes' outlines as fills, shallowest first so that what lies inside shows over
// what encloses it. The outlines are flattened as the vects are drawn, without arrows.
void tintByDepth(Scene& scene, const VectGroup* drawing, const ViewTransform& view, double scale,
                 const std::vector<int>& depths) {
    std::vector<std::pair<int, const Vect*>> closed;
    size_t index = 0;
    for (const VectGroup* group : lintrel::ring(drawing))
        for (const Vect* v : lintrel::ring(group->vects)) {
            const size_t k = index++;
            if (k < depths.size() && v->closed && v->type != LINTREL_POINT && workingChain(*v))
                closed.emplace_back(depths[k], v);
        }
    std::stable_sort(closed.begin(), closed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Layers plain;
    plain.showDirection = false;
    for (const auto& [depth, v] : closed) {
        Scene outline;
        StrokeWriter out(outline);
        VectPainter painter{outline, out, view, plain, scale};
        painter.vectIn(0, *v);
        Fill fill{depthColour(depth), static_cast<uint32_t>(scene.points.size()), 0};
        for (const PixelPoint& p : outline.points)
            if (fill.count == 0 || scene.points.back() != p) {
                scene.points.push_back(p);
                ++fill.count;
            }
        if (fill.count >= 3)
            scene.fills.push_back(fill);
        else
            scene.points.resize(fill.first);
    }
}

}  // namespace

uint32_t paletteValue(int number) {
    return kPalette[((number - 1) % 20 + 20) % 20];
}

Colour groupColour(const VectGroup& group) {
    if (group.colour != 0) return fromBgr(group.colour);
    if (group.number >= 1 && group.number <= 20) return fromBgr(paletteValue(group.number));
    return rgb(255, 255, 255);
}

std::vector<int> containmentDepths(const VectGroup* drawing, double precision) {
    if (!drawing) return {};
    void* list = const_cast<VectGroup*>(drawing);
    int count = 0;
    if (Lintrel_GetContainment(list, precision, nullptr, nullptr, &count) != LINTREL_OK) return {};
    std::vector<int> depths(static_cast<size_t>(count));
    if (count == 0 ||
        Lintrel_GetContainment(list, precision, nullptr, depths.data(), &count) != LINTREL_OK)
        return {};
    return depths;
}

Colour depthColour(int depth) {
    return kDepthColours[std::max(depth, 0) % 4];
}

Scene buildScene(const VectGroup* drawing, const ViewTransform& view, const Layers& layers,
                 double scale, const CutPaths* cuts, const std::vector<int>* depths) {
    Scene scene;
    scene.width = view.width();
    scene.height = view.height();
    scene.zoom = view.zoom();
    scene.origin = view.toPixel(0, 0);
    scene.scale = scale;
    scene.grid = layers.showGrid && 100 * scene.zoom >= 16;
    if (!drawing) return scene;
    StrokeWriter out(scene);
    VectPainter painter{scene, out, view, layers, scale};
    const bool shaped = cuts && cuts->paths;
    const bool marks = layers.showStart || layers.showOrder;
    std::vector<CutEnds> ends;  // where each cut starts and ends, in cutting order
    std::vector<char> marked;   // per vect of the drawing: big enough on screen for its marks
    for (const VectGroup* group : lintrel::ring(drawing)) {
        for (const Vect* vect : lintrel::ring(group->vects)) {
            const Vect& v = *vect;
            const size_t index = marked.size();
            marked.push_back(0);
            if (!workingChain(v)) continue;
            painter.vect(*group, v);
            const Ends e = vectEnds(v);
            const bool big = bigOnScreen(vectLength(v), scene.zoom, scale);
            const bool openShape =
                layers.showOpen && !v.closed && !v.selected && v.type != LINTREL_POINT;
            if (openShape && big)
                for (const PointD& end : {e.start, e.end}) {
                    const PointD p = view.toPixel(end.x, end.y);
                    scene.openEnds.push_back({toPixel(p.x), toPixel(p.y)});
                }
            marked[index] = marks && big;
            if (!shaped) ends.push_back({e, index, true});
        }
    }
    // The program cuts the shaped copy: it pierces at the start of each of its vects (a lead's
    // far end, a start point moved, the offset path) and leaves at their ends.
    if (shaped) {
        size_t k = 0;
        for (const VectGroup* group : lintrel::ring(cuts->paths.get()))
            for (const Vect* v : lintrel::ring(group->vects)) {
                const size_t i = k++;
                if (i >= cuts->original.size() || !workingChain(*v)) continue;
                const size_t index = static_cast<size_t>(cuts->original[i]);
                ends.push_back({vectEnds(*v), index,
                                i == 0 || cuts->original[i - 1] != static_cast<int>(index)});
            }
    }
    for (const CutEnds& cut : ends) {
        if (cut.vect >= marked.size() || !marked[cut.vect]) continue;
        const PointD p = view.toPixel(cut.ends.start.x, cut.ends.start.y);
        const PixelPoint pixel{toPixel(p.x), toPixel(p.y)};
        if (layers.showStart) scene.starts.push_back(pixel);
        if (layers.showOrder && cut.first)
            scene.orders.push_back({pixel, static_cast<int>(cut.vect) + 1});
    }
    if (shaped) paintCuts(painter, out, *cuts);
    const uint32_t travel = out.pen({kTravelColour, true, 1});
    if (layers.showTravel)
        for (size_t i = 1; i < ends.size(); ++i) {
            out.begin(travel, view.toPixel(ends[i - 1].ends.end.x, ends[i - 1].ends.end.y));
            out.add(view.toPixel(ends[i].ends.start.x, ends[i].ends.start.y));
        }
    out.end();
    if (layers.showDepth && depths) tintByDepth(scene, drawing, view, scale, *depths);
    return scene;
}

}  // namespace pathloom::canvas
