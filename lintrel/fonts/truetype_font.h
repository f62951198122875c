// A TrueType font file held in memory and read with stb_truetype: glyph lookup by code point,
// horizontal metrics, glyph boxes and outlines in font units.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file_bytes.h"

namespace lintrel::fonts {

// One outline step in font units: a move starts a contour; a quadratic piece has one control
// point (c1), a cubic piece two (c1, c2).
struct OutlineStep {
    enum Kind : unsigned char { Move, Line, Quad, Cubic } kind;
    double x, y, c1x, c1y, c2x, c2y;
};

struct GlyphBox {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

class TrueTypeFont {
  public:
    // Null when the file cannot be read or is no font stb_truetype accepts.
    static std::unique_ptr<TrueTypeFont> load(const std::string& path);
    ~TrueTypeFont();

    int glyphOf(char32_t code) const;  // 0 when the font has no glyph for it
    int advance(int glyph) const;
    int leftBearing(int glyph) const;
    bool box(int glyph, GlyphBox& out) const;  // false for an empty glyph
    // The glyph's outline, read once and kept for the font's lifetime.
    const std::vector<OutlineStep>& outline(int glyph) const;
    // Font units to drawing units for a text of `height`: capital A is `height` tall.
    double scaleFor(double height) const { return height * unitScale_; }
    // The design units of the em square, as the font's head table gives them.
    int unitsPerEm() const { return unitsPerEm_; }
    // The text height (as scaleFor takes it) whose em square is `emSize` drawing units: the
    // size that CSS and SVG give fonts in.
    double heightForEm(double emSize) const { return emSize / (unitsPerEm_ * unitScale_); }

  private:
    TrueTypeFont();
    struct Info;
    FileBytes file_;  // the whole file, which stb_truetype reads in place
    std::unique_ptr<Info> info_;
    double unitScale_ = 0;  // drawing units per font unit at height 1
    int unitsPerEm_ = 1000;
    mutable std::unordered_map<int, std::vector<OutlineStep>> outlines_;
};

}  // namespace lintrel::fonts
