// TrueType glyphs are scaled so that capital A is the text height; the x scale carries the
// width factor. The advance of a wide character loses its left side bearing, which keeps the
// spacing of Chinese text the way stored drawings expect it.
#include "fonts/text_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "fonts/shx_read.h"
#include "fonts/text_codes.h"

namespace lintrel::fonts {

namespace {

// Appends outline segs for one glyph, its font units mapped by `map`.
class OutlineWriter {
  public:
    explicit OutlineWriter(ChainOwner<Seg>& out) : out_(out) {}

    template <class Map>
    void glyph(const std::vector<OutlineStep>& steps, Map map) {
        double cx = 0, cy = 0;
        for (const OutlineStep& s : steps) {
            double x, y;
            map(s.x, s.y, x, y);
            if (s.kind == OutlineStep::Move) {
                jump_ = true;
            } else if (s.kind == OutlineStep::Line) {
                emit(newLine(cx, cy, x, y));
            } else {
                double ax, ay, bx, by;
                map(s.c1x, s.c1y, ax, ay);
                if (s.kind == OutlineStep::Quad) {
                    curve(cx, cy, cx, cy);
                    curve(cx, cy, ax, ay);
                    curve(ax, ay, x, y);
                } else {
                    map(s.c2x, s.c2y, bx, by);
                    curve(cx, cy, ax, ay);
                    curve(ax, ay, bx, by);
                    curve(bx, by, x, y);
                }
            }
            cx = x;
            cy = y;
        }
    }

    void polyline(const std::vector<ShxPoint>& points, double dx) {
        if (points.size() < 2) return;
        jump_ = true;
        for (size_t i = 1; i < points.size(); ++i)
            emit(newLine(points[i - 1].x + dx, points[i - 1].y, points[i].x + dx, points[i].y));
    }

  private:
    void curve(double x0, double y0, double x1, double y1) {
        Seg* s = newLine(x0, y0, x1, y1);
        s->type = LINTREL_SEG_CURVE;
        emit(s);
    }
    void emit(Seg* s) {
        if (jump_) s->jump = 1;
        jump_ = false;
        out_.append(s);
    }

    ChainOwner<Seg>& out_;
    bool jump_ = true;
};

struct Glyph {
    const TrueTypeFont* font = nullptr;
    int index = 0;
};

LaidText layoutTrueType(std::string_view text, const TextFont& font, const RunStyle& style,
                        FontCache& cache) {
    LaidText laid;
    OutlineWriter writer(laid.segs);
    double penX = 0, penY = 0;
    const std::u32string codes = codePointsOf(text);
    laid.stops.reserve(codes.size());
    for (const char32_t c : codes) {
        if (c == U'\n' || c == U'\r') {
            if (c == U'\n') {
                penX = 0;
                penY -= style.height;
            }
            laid.stops.push_back(penX);
            continue;
        }
        if (c < 32) {  // control characters take no room
            laid.stops.push_back(penX);
            continue;
        }
        Glyph g{font.trueType, font.trueType->glyphOf(c)};
        if (g.index == 0 && c == U' ') {  // a font without a blank: a quarter of the height
            penX += 0.25 * style.height * style.widthFactor * style.tracking;
            laid.stops.push_back(penX);
            continue;
        }
        if (g.index == 0) {
            const TrueTypeFont* fallback = cache.defaultTrueType();
            g = {fallback, fallback ? fallback->glyphOf(c) : 0};
            if (g.index == 0) {
                cache.noteMissingGlyphs(1);
                break;
            }
        }
        const double ys = g.font->scaleFor(style.height);
        const double xs = ys * style.widthFactor;
        GlyphBox box;
        const bool upright = font.vertical && c > 128 && g.font->box(g.index, box);
        const double mx = (box.x0 + box.x1) / 2.0, my = (box.y0 + box.y1) / 2.0;
        const double ox = penX, oy = penY;
        writer.glyph(g.font->outline(g.index), [&](double fx, double fy, double& x, double& y) {
            if (upright) {  // a quarter turn about the glyph box's centre
                const double rx = mx - (fy - my), ry = my + (fx - mx);
                fx = rx;
                fy = ry;
            }
            x = ox + fx * xs;
            y = oy + fy * ys;
        });
        double advance = g.font->advance(g.index) * xs;
        if (c > 128) advance -= g.font->leftBearing(g.index) * xs;
        penX += advance * style.tracking;
        laid.width = std::max(laid.width, penX);
        laid.stops.push_back(penX);
    }
    return laid;
}

LaidText layoutShx(std::string_view text, const TextFont& font, const RunStyle& style) {
    LaidText laid;
    CShxRead reader(font.big, font.shape);
    // Big fonts index two-byte characters by the bytes of the Chinese code page.
    const std::string bytes = encodeCodePage(text, "GB18030");
    const ShxText drawn = reader.drawText(bytes, style.height, style.widthFactor, 0);
    OutlineWriter writer(laid.segs);
    for (const std::vector<ShxPoint>& line : drawn.polylines)
        writer.polyline(line, 0);
    laid.width = drawn.advance * style.tracking;
    return laid;
}

}  // namespace

LaidText layoutText(std::string_view text, const TextFont& font, const RunStyle& style,
                    FontCache& cache) {
    if (font.trueType) return layoutTrueType(text, font, style, cache);
    if (font.shape || font.big) return layoutShx(text, font, style);
    return {};
}

}  // namespace lintrel::fonts
