// CShxRead: SHX glyph definitions interpreted into polylines and laid out along a text with a
// fixed cell width and per-character corrections. Coordinates are text coordinates: the text
// starts at (0, 0) and runs along +x; glyphs hang one height below the baseline they are
// measured from, as the SHX drawings this reader serves were laid out.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "fonts/shx_file.h"

namespace lintrel::fonts {

struct ShxPoint {
    double x, y;
};

struct ShxText {
    std::vector<std::vector<ShxPoint>> polylines;
    double advance = 0;  // pen position after the last character's advance
};

class CShxRead {
  public:
    // Either font may be null (no file): its characters are not drawn.
    CShxRead(const ShxFile* bigFont, const ShxFile* shapeFont);
    virtual ~CShxRead() = default;

    // A shape or Unicode font's definition into the glyph buffer: its byte count, 0 when the
    // code is missing, -2 without a font, -3 for a font of the wrong kind.
    int loadShape(unsigned char code);
    // A big font's definition of a character's bytes combined as b1 * 256 + b2.
    int loadBigShape(unsigned code);

    // Lays out `text` (code-page bytes: a byte of 128 or more starts a two-byte character).
    ShxText drawText(std::string_view text, double height, double widthFactor, int mode);

    // The interpreters, on the glyph buffer, appending to `out` at pen offset (ox, 0).
    void drawBigGlyph(double height, double widthFactor, double ox, ShxText& out);
    void drawShapeGlyph(double height, double widthFactor, double ox, ShxText& out);

  private:
    struct Pen;
    const ShxFile* big_;
    const ShxFile* shape_;
    std::span<const uint8_t> glyph_;
};

}  // namespace lintrel::fonts
