// Writing the test images: stb_image_write compiled here for the tests alone; TIFF headers by
// hand (tiff_files.cpp writes whole TIFF files through libtiff).
#include "image/image_files.h"

#include <cstring>

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
