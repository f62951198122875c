// Feeds arbitrary bytes to the raster image import (stb_image, then the TIFF/DNG loader). The
// first byte chooses grey conversion; the rest is the file.
#include <cstddef>
#include <cstdint>

#include "image/raster.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    lintrel::ImportDiagnostics diagnostics;
    lintrel::ChainOwner<Image> image(
        lintrel::importImageBytes({data + 1, size - 1}, data[0] & 1, diagnostics));
    return 0;
}
