// Binary DXF: the group codes and typed values after the binary sentinel, written out as the
// code and value lines of a text drawing, so that every layer above the group reader reads both
// forms alike.
#pragma once

#include <string>
#include <string_view>

namespace lintrel::dxf {

// The 22 bytes a binary drawing opens with.
inline constexpr std::string_view kBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

bool isBinaryDxf(std::string_view bytes);

// What decoding a binary drawing ran into.
struct BinaryFlaws {
    bool truncated = false;  // the data ended inside a group
};

// The groups of a binary drawing as text lines ("code\nvalue\n"), up to the end of the data or
// the first group cut off. Values are written so that the text layer reads them back exactly:
// numbers in their shortest round-trip form, binary chunks as hexadecimal digits, booleans as 0
// or 1. Line breaks inside strings become blanks, as a text line cannot hold them.
std::string binaryDxfAsText(std::string_view bytes, BinaryFlaws& flaws);

}  // namespace lintrel::dxf
