// Feeds arbitrary bytes to the text decoding (both encodings, the escapes and the special
// codes) and to the MTEXT formatting and layout, with a real TrueType font when one is found.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fonts/font_cache.h"
#include "fonts/font_files.h"
#include "fonts/mtext_layout.h"
#include "fonts/text_codes.h"
#include "model/items.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    lintrel::fonts::fontSettings().folder = "/usr/share/fonts/truetype/dejavu/";
    lintrel::fonts::fontSettings().defaultFile = "DejaVuSans.ttf";
    lintrel::fonts::setSystemFontSearch(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lintrel::fonts;
    static FontCache cache;
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    long bad = 0;
    const std::string old = decodeText(raw, TextEncoding::forDrawing("AC1015", "ANSI_936"), bad);
    const std::string text = replaceSpecialCodes(
        expandEscapes(decodeText(raw, TextEncoding::forDrawing("AC1027", ""), bad), bad));
    MTextBlock block;
    block.height = 2.5;
    block.width = size % 2 ? 40 : 0;
    block.attachment = static_cast<int>(size % 9) + 1;
    block.fontFile = "DejaVuSans.ttf";
    std::vector<Vect*> vects;
    layoutMText(splitMText(text, block.height), block, cache, vects);
    layoutMText(splitMText(old, block.height), block, cache, vects);
    for (Vect* v : vects)
        lintrel::deleteLoneVect(v);
    return 0;
}
