// Feeds arbitrary bytes to the DXF reader and converter, then flattens what came out, so that
// every path from bytes to line segments, text outlines included, is exercised.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "curves/flatten.h"
#include "fonts/font_files.h"
#include "import/dxf/dxf_reader.h"
#include "model/items.h"

// Text is drawn in one small font from a known folder, so that every input reaches the glyph
// layout without searching the system's fonts.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    lintrel::fonts::fontSettings().folder = "/usr/share/fonts/truetype/dejavu/";
    lintrel::fonts::fontSettings().defaultFile = "DejaVuSans.ttf";
    lintrel::fonts::setSystemFontSearch(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lintrel::VxDxf dxf;
    lintrel::ImportDiagnostics diagnostics;
    dxf.read(std::string_view(reinterpret_cast<const char*>(data), size), 1, 0.05, diagnostics);
    lintrel::ChainOwner<VectGroup> groups(dxf.convert(diagnostics));
    lintrel::flattenGroupChain(groups.get(), 0.5);
    return 0;
}
