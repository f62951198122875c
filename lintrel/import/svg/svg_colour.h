// Colours and paints of the fill and stroke properties: #rgb, #rrggbb (with or without alpha),
// rgb()/rgba() in numbers or percent, hsl()/hsla() and the CSS colour keywords.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lintrel::svg {

// Colours are kept as the groups keep them: 0x00BBGGRR.
inline constexpr uint32_t kBlack = 0;

// False when the text is not a colour this reader knows.
bool parseColour(std::string_view text, uint32_t& out);

struct Paint {
    enum Kind { kNone, kColour, kCurrentColour, kServer };
    Kind kind = kNone;
    uint32_t colour = kBlack;  // for kColour, and the fallback of a paint server
    std::string server;        // the id a paint server reference names
};

// "none", a colour, "currentColor" or url(#id) with an optional fallback colour. False for
// anything else (the declaration is then ignored).
bool parsePaint(std::string_view text, Paint& out);

}  // namespace lintrel::svg
