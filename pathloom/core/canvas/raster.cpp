// Line and disc spans into the pixel buffer, and the scene's layers in their order.
#include "core/canvas/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace pathloom::canvas {
namespace {

constexpr int kDotOn = 2, kDotPeriod = 4;
constexpr int kGridSpacing = 100;

// Liang-Barsky clip of the segment to [0, w-1] × [0, h-1]; false when nothing is left.
bool clip(double& x0, double& y0, double& x1, double& y1, int w, int h) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0, (w - 1) - x0, y0, (h - 1) - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const double sx = x0, sy = y0;
    x0 = sx + t0 * dx, y0 = sy + t0 * dy;
    x1 = sx + t1 * dx, y1 = sy + t1 * dy;
    return true;
}

void fillRect(PixelBuffer& image, int left, int top, int right, int bottom, Colour colour) {
    left = std::max(left, 0), top = std::max(top, 0);
    right = std::min(right, image.width), bottom = std::min(bottom, image.height);
    for (int y = top; y < bottom; ++y)
        std::fill_n(image.pixels + static_cast<size_t>(y) * image.stride + left,
                    std::max(0, right - left), colour);
}

void paintGrid(PixelBuffer& image, const Scene& scene) {
    const double spacing = kGridSpacing * scene.zoom;
    // Lines from the origin outwards, only those that cross the buffer.
    const long long firstX = static_cast<long long>(std::ceil(-scene.origin.x / spacing));
    const long long lastX =
        static_cast<long long>(std::floor((image.width - scene.origin.x) / spacing));
    for (long long i = firstX; i <= lastX; ++i) {
        const int x = static_cast<int>(std::lround(scene.origin.x + i * spacing));
        DotPhase dots;
        drawLine(image, x, 0, x, image.height - 1, kGridColour, &dots);
    }
    const long long firstY = static_cast<long long>(std::ceil(-scene.origin.y / spacing));
    const long long lastY =
        static_cast<long long>(std::floor((image.height - scene.origin.y) / spacing));
    for (long long i = firstY; i <= lastY; ++i) {
        const int y = static_cast<int>(std::lround(scene.origin.y + i * spacing));
        DotPhase dots;
        drawLine(image, 0, y, image.width - 1, y, kGridColour, &dots);
    }
}

void paintOriginCross(PixelBuffer& image, const Scene& scene) {
    if (std::fabs(scene.origin.x) > 1e8 || std::fabs(scene.origin.y) > 1e8) return;
    const int x = static_cast<int>(std::lround(scene.origin.x));
    const int y = static_cast<int>(std::lround(scene.origin.y));
    const int arm = static_cast<int>(std::lround(8 * scene.scale));
    fillRect(image, x - arm, y - 1, x + arm, y + 1, kOriginColour);
    fillRect(image, x - 1, y - arm, x + 1, y + arm, kOriginColour);
}

void paintStroke(PixelBuffer& image, const Scene& scene, const Stroke& stroke) {
    const Pen& pen = scene.pens[stroke.pen];
    const PixelPoint* p = scene.points.data() + stroke.first;
    if (stroke.count == 1) {
        if (pen.width > 1)
            drawDisc(image, p->x, p->y, pen.width, pen.colour);
        else if (!pen.dotted)
            drawLine(image, p->x, p->y, p->x, p->y, pen.colour);
        return;
    }
    DotPhase dots;
    for (uint32_t i = 1; i < stroke.count; ++i)
        drawLine(image, p[i - 1].x, p[i - 1].y, p[i].x, p[i].y, pen.colour,
                 pen.dotted ? &dots : nullptr);
}

}  // namespace

void fill(PixelBuffer& image, Colour colour) {
    fillRect(image, 0, 0, image.width, image.height, colour);
}

void drawLine(PixelBuffer& image, int x0, int y0, int x1, int y1, Colour colour, DotPhase* dots) {
    const int w = image.width, h = image.height;
    if (w <= 0 || h <= 0) return;
    // Quick rejection and the common case of a segment inside the buffer stay in integers.
    if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= w && x1 >= w) || (y0 >= h && y1 >= h))
        return;
    if (x0 < 0 || x1 < 0 || y0 < 0 || y1 < 0 || x0 >= w || x1 >= w || y0 >= h || y1 >= h) {
        double a = x0, b = y0, c = x1, d = y1;
        if (!clip(a, b, c, d, w, h)) return;
        x0 = static_cast<int>(std::lround(a)), y0 = static_cast<int>(std::lround(b));
        x1 = static_cast<int>(std::lround(c)), y1 = static_cast<int>(std::lround(d));
    }
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const ptrdiff_t sy = y0 < y1 ? image.stride : -image.stride;
    uint32_t* at = image.pixels + static_cast<ptrdiff_t>(y0) * image.stride + x0;
    int error = dx + dy;
    // The end pixel is drawn too, so a one-pixel segment leaves its mark.
    for (int n = std::max(dx, -dy); n >= 0; --n) {
        if (!dots || dots->step % kDotPeriod < kDotOn) *at = colour;
        if (dots) ++dots->step;
        const int twice = 2 * error;
        if (twice >= dy) error += dy, at += sx;
        if (twice <= dx) error += dx, at += sy;
    }
    if (dots) --dots->step;  // the next segment starts on this one's end pixel
}

void drawDisc(PixelBuffer& image, int cx, int cy, int diameter, Colour colour) {
    const double r = diameter / 2.0;
    const int reach = static_cast<int>(std::ceil(r));
    for (int y = -reach; y <= reach; ++y)
        for (int x = -reach; x <= reach; ++x) {
            const int px = cx + x, py = cy + y;
            if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
            if (x * x + y * y <= r * r)
                image.pixels[static_cast<size_t>(py) * image.stride + px] = colour;
        }
}

namespace {

// A hollow square of side 2 * half + 1 around (cx, cy), clipped to the image.
void drawSquare(PixelBuffer& image, int cx, int cy, int half, Colour colour) {
    const auto put = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= image.width || py >= image.height) return;
        image.pixels[static_cast<size_t>(py) * image.stride + px] = colour;
    };
    for (int d = -half; d <= half; ++d) {
        put(cx + d, cy - half);
        put(cx + d, cy + half);
        put(cx - half, cy + d);
        put(cx + half, cy + d);
    }
}

}  // namespace

namespace {

// Fills a closed ring of pixel points by the even-odd rule, row by row through the edges that
// cross each row (an edge holds its upper end, not its lower one).
void fillRing(PixelBuffer& image, const PixelPoint* points, size_t count, Colour colour) {
    struct Edge {
        double top, bottom, x, slope;
    };
    std::vector<Edge> edges;
    for (size_t i = 0; i < count; ++i) {
        PixelPoint a = points[i], b = points[(i + 1) % count];
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        if (b.y <= 0 || a.y >= image.height) continue;
        edges.push_back(
            {double(a.y), double(b.y), double(a.x), double(b.x - a.x) / double(b.y - a.y)});
    }
    if (edges.empty()) return;
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.top < b.top; });
    std::vector<const Edge*> active;
    std::vector<double> xs;
    size_t next = 0;
    for (int y = std::max(0, static_cast<int>(edges.front().top)); y < image.height; ++y) {
        while (next < edges.size() && edges[next].top <= y)
            active.push_back(&edges[next++]);
        std::erase_if(active, [y](const Edge* e) { return e->bottom <= y; });
        if (active.empty()) {
            if (next == edges.size()) break;
            continue;
        }
        xs.clear();
        for (const Edge* e : active)
            xs.push_back(e->x + (y - e->top) * e->slope);
        std::sort(xs.begin(), xs.end());
        uint32_t* row = image.pixels + static_cast<size_t>(y) * image.stride;
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            const double from = std::max(0.0, std::ceil(xs[k]));
            const double to = std::min(double(image.width), std::ceil(xs[k + 1]));
            for (int x = static_cast<int>(from); x < static_cast<int>(to); ++x)
                row[x] = colour;
        }
    }
}

}  // namespace

void paintScene(PixelBuffer& image, const Scene& scene) {
    fill(image, rgb(0, 0, 0));
    for (const Fill& ring : scene.fills)
        fillRing(image, scene.points.data() + ring.first, ring.count, ring.colour);
    if (scene.grid) paintGrid(image, scene);
    paintOriginCross(image, scene);
    for (const Stroke& stroke : scene.strokes)
        paintStroke(image, scene, stroke);
    const int dot = std::max(1, static_cast<int>(std::lround(5 * scene.scale)));
    for (const PixelPoint& start : scene.starts)
        drawDisc(image, start.x, start.y, dot, kStartColour);
    const int half = std::max(2, static_cast<int>(std::lround(kOpenEndHalf * scene.scale)));
    for (const PixelPoint& end : scene.openEnds)
        drawSquare(image, end.x, end.y, half, kOpenEndColour);
}

}  // namespace pathloom::canvas
