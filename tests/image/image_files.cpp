// Writing the test images: stb_image_write compiled here for the tests alone, and libtiff.
#include "image/image_files.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wpedantic"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace lintrel::test {

namespace {

void appendTo(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
}

void putBigEndian(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
}

}  // namespace

std::string pngBytes(int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    std::string out;
    stbi_write_png_to_func(appendTo, &out, width, height, channels, pixels.data(),
                           width * channels);
    return out;
}

std::string bmpBytes(int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    std::string out;
    stbi_write_bmp_to_func(appendTo, &out, width, height, channels, pixels.data());
    return out;
}

std::string jpegBytes(int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    std::string out;
    stbi_write_jpg_to_func(appendTo, &out, width, height, channels, pixels.data(), 100);
    return out;
}

std::string pngClaiming(uint32_t width, uint32_t height) {
    // Some kilobytes of noise, so that the file is a plausible small image.
    std::vector<uint8_t> noise(64 * 64);
    uint32_t state = 12345;
    for (uint8_t& b : noise) {
        state = state * 1103515245 + 12345;
        b = static_cast<uint8_t>(state >> 16);
    }
    std::string bytes = pngBytes(64, 64, 1, noise);
    putBigEndian(bytes, 16, width);  // IHDR data follows the signature and chunk header
    putBigEndian(bytes, 20, height);
    return bytes;
}

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

std::string tiffClaiming(uint32_t width, uint32_t height) {
    // Little-endian header, one directory of nine entries, then 16 bytes of pixel data.
    std::string bytes("II*\0\x08\0\0\0", 8);
    auto put = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>(value >> (8 * i)));
    };
    const uint32_t entries = 9, dataOffset = 8 + 2 + entries * 12 + 4;
    put(entries, 2);
    auto entry = [&](uint32_t tag, uint32_t type, uint32_t value) {
        put(tag, 2);
        put(type, 2);
        put(1, 4);
        put(value, 4);
    };
    const uint32_t shortType = 3, longType = 4;
    entry(256, longType, width);
    entry(257, longType, height);
    entry(258, shortType, 8);
    entry(259, shortType, 1);
    entry(262, shortType, 1);
    entry(273, longType, dataOffset);
    entry(277, shortType, 1);
    entry(278, longType, height);
    entry(279, longType, 16);
    put(0, 4);
    bytes.append(16, '\0');
    return bytes;
}

}  // namespace lintrel::test
