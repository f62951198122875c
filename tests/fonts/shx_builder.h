// A writer of the three SHX layouts for tests: shape fonts, Unicode fonts and big fonts built
// byte by byte from glyph definitions, since no SHX font may be shipped or downloaded.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lintrel::test {

using Bytes = std::vector<uint8_t>;

class ShxBytes {
  public:
    ShxBytes& raw(std::string_view s) {
        b_.insert(b_.end(), s.begin(), s.end());
        return *this;
    }
    ShxBytes& u8(unsigned v) {
        b_.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    ShxBytes& u16(unsigned v) { return u8(v & 0xFF).u8(v >> 8); }
    ShxBytes& u32(unsigned long v) { return u16(v & 0xFFFF).u16(v >> 16); }
    ShxBytes& bytes(const Bytes& b) {
        b_.insert(b_.end(), b.begin(), b.end());
        return *this;
    }
    const Bytes& get() const { return b_; }

  private:
    Bytes b_;
};

// A shape font of the codes first ... last; shape 0 (the font information) names the font and
// gives `above`. Each definition starts with its NUL-terminated (empty) name.
inline Bytes shapeFont(unsigned first, unsigned last, const std::map<unsigned, Bytes>& glyphs,
                       unsigned above = 10) {
    std::map<unsigned, Bytes> defs = glyphs;
    defs[0] = {'t', 0, static_cast<uint8_t>(above), 2, 0, 0};
    ShxBytes out;
    out.raw(std::string_view("AutoCAD-86 shapes 1.0\r\n\x1a", 24)).u16(first).u16(last);
    out.u16(static_cast<unsigned>(defs.size()));
    for (const auto& [code, def] : defs)
        out.u16(code).u16(static_cast<unsigned>(def.size()));
    out.u16(0);  // definitions start two bytes after the index
    for (const auto& [code, def] : defs)
        out.bytes(def);
    return out.get();
}

inline Bytes unicodeFont(const std::map<unsigned, Bytes>& glyphs, unsigned above = 10,
                         std::string_view name = "uni") {
    ShxBytes out;
    out.raw("AutoCAD-86 unifont 1.0\r\n").u8(0x1a).u32(glyphs.size());
    out.u16(static_cast<unsigned>(name.size() + 6)).raw(name);
    out.u8(above).u8(2).u8(0).u8(0).u8(0).u8(0);
    for (const auto& [code, def] : glyphs)
        out.u16(code).u16(static_cast<unsigned>(def.size())).bytes(def);
    return out.get();
}

// A big font; `entrySize` is the value the header must hold as 8.
inline Bytes bigFont(const std::map<unsigned, Bytes>& glyphs, unsigned entrySize = 8) {
    ShxBytes out;
    out.raw(std::string_view("AutoCAD-86 bigfont 1.0\r\n\x1a", 25)).u16(entrySize);
    out.u16(static_cast<unsigned>(glyphs.size())).u16(1).u16(0x81).u16(0xFE);
    unsigned long offset = 25 + 6 + 4 + 8 * glyphs.size();
    for (const auto& [code, def] : glyphs) {
        out.u16(code).u16(static_cast<unsigned>(def.size())).u32(offset);
        offset += def.size();
    }
    for (const auto& [code, def] : glyphs)
        out.bytes(def);
    return out.get();
}

}  // namespace lintrel::test
