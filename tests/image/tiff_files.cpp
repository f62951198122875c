// Writing TIFF test images through libtiff.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "image/image_files.h"

namespace lintrel::test {

void writeTiff(const std::string& path, const TiffLayout& layout,
               const std::vector<uint16_t>& samples) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif) throw std::runtime_error("cannot write " + path);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, layout.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, layout.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, layout.samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, layout.bits);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, layout.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG,
                 layout.planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    const int bytes = layout.bits / 8;
    const int planes = layout.planar ? layout.samples : 1;
    const int perRow = layout.planar ? 1 : layout.samples;
    auto put = [&](uint8_t* at, int x, int y, int sample) {
        const uint16_t v =
            samples[static_cast<size_t>((y * layout.width + x) * layout.samples + sample)];
        if (bytes == 1)
            at[0] = static_cast<uint8_t>(v);
        else
            std::memcpy(at, &v, 2);
    };
    if (layout.tile > 0) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, layout.tile);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, layout.tile);
        std::vector<uint8_t> tile(static_cast<size_t>(layout.tile * layout.tile * perRow * bytes));
        for (int plane = 0; plane < planes; ++plane)
            for (int ty = 0; ty < layout.height; ty += layout.tile)
                for (int tx = 0; tx < layout.width; tx += layout.tile) {
                    std::fill(tile.begin(), tile.end(), 0);
                    for (int r = 0; r < layout.tile && ty + r < layout.height; ++r)
                        for (int c = 0; c < layout.tile && tx + c < layout.width; ++c)
                            for (int s = 0; s < perRow; ++s)
                                put(tile.data() + ((r * layout.tile + c) * perRow + s) * bytes,
                                    tx + c, ty + r, layout.planar ? plane : s);
                    TIFFWriteTile(tif, tile.data(), static_cast<uint32_t>(tx),
                                  static_cast<uint32_t>(ty), 0, static_cast<uint16_t>(plane));
                }
        TIFFClose(tif);
        return;
    }
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
    std::vector<uint8_t> row(static_cast<size_t>(layout.width * perRow * bytes));
    for (int plane = 0; plane < planes; ++plane)
        for (int y = 0; y < layout.height; ++y) {
            for (int x = 0; x < layout.width; ++x)
                for (int s = 0; s < perRow; ++s)
                    put(row.data() + (x * perRow + s) * bytes, x, y, layout.planar ? plane : s);
            TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y),
                              static_cast<uint16_t>(plane));
        }
    TIFFClose(tif);
}

}  // namespace lintrel::test
