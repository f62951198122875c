// stb_truetype is compiled here, once for the library. The scale follows the font's vertical
// metrics first and is then corrected so that the box of capital A is exactly the text height.
#include "fonts/truetype_font.h"

#include <cmath>

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb/stb_truetype.h>

#include "platform/file_bytes.h"

namespace lintrel::fonts {

struct TrueTypeFont::Info {
    stbtt_fontinfo font{};
};

TrueTypeFont::TrueTypeFont() : info_(std::make_unique<Info>()) {}
TrueTypeFont::~TrueTypeFont() = default;

std::unique_ptr<TrueTypeFont> TrueTypeFont::load(const std::string& path) {
    std::unique_ptr<TrueTypeFont> font(new TrueTypeFont());
    if (!font->file_.open(path.c_str()) || font->file_.bytes().size() < 12) return nullptr;
    const auto* data = reinterpret_cast<const unsigned char*>(font->file_.bytes().data());
    const int offset = stbtt_GetFontOffsetForIndex(data, 0);
    if (offset < 0 || !stbtt_InitFont(&font->info_->font, data, offset)) return nullptr;
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&font->info_->font, &ascent, &descent, &gap);
    double units = ascent - descent;
    GlyphBox a;
    const int glyphA = font->glyphOf(65);
    if (glyphA && font->box(glyphA, a) && a.y1 > a.y0) units = a.y1 - a.y0;
    if (!(units > 0)) return nullptr;
    font->unitScale_ = 1.0 / units;
    // stb_truetype gives the em square as a scale; the head table holds at most 16384 units.
    const float perUnit = stbtt_ScaleForMappingEmToPixels(&font->info_->font, 1);
    if (perUnit > 0 && 1 / perUnit >= 16 && 1 / perUnit <= 16384)
        font->unitsPerEm_ = static_cast<int>(std::lround(1 / perUnit));
    return font;
}

int TrueTypeFont::glyphOf(char32_t code) const {
    return stbtt_FindGlyphIndex(&info_->font, static_cast<int>(code));
}

int TrueTypeFont::advance(int glyph) const {
    int adv = 0, lsb = 0;
    stbtt_GetGlyphHMetrics(&info_->font, glyph, &adv, &lsb);
    return adv;
}

int TrueTypeFont::leftBearing(int glyph) const {
    int adv = 0, lsb = 0;
    stbtt_GetGlyphHMetrics(&info_->font, glyph, &adv, &lsb);
    return lsb;
}

bool TrueTypeFont::box(int glyph, GlyphBox& out) const {
    return stbtt_GetGlyphBox(&info_->font, glyph, &out.x0, &out.y0, &out.x1, &out.y1) != 0;
}

const std::vector<OutlineStep>& TrueTypeFont::outline(int glyph) const {
    auto [it, fresh] = outlines_.try_emplace(glyph);
    std::vector<OutlineStep>& out = it->second;
    if (!fresh) return out;
    stbtt_vertex* v = nullptr;
    const int n = stbtt_GetGlyphShape(&info_->font, glyph, &v);
    for (int i = 0; i < n; ++i) {
        OutlineStep s{OutlineStep::Line, double(v[i].x),   double(v[i].y),  double(v[i].cx),
                      double(v[i].cy),   double(v[i].cx1), double(v[i].cy1)};
        if (v[i].type == STBTT_vmove) s.kind = OutlineStep::Move;
        if (v[i].type == STBTT_vcurve) s.kind = OutlineStep::Quad;
        if (v[i].type == STBTT_vcubic) s.kind = OutlineStep::Cubic;
        out.push_back(s);
    }
    stbtt_FreeShape(&info_->font, v);
    return out;
}

}  // namespace lintrel::fonts
