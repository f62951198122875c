// Image files the tests write themselves: PNG, BMP and JPEG through stb_image_write, TIFF in
// 8 or 16 bits per sample through libtiff.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lintrel::test {

// Encoded files from 8-bit pixels, rows top-down, `channels` bytes per pixel.
std::string pngBytes(int width, int height, int channels, const std::vector<uint8_t>& pixels);
std::string bmpBytes(int width, int height, int channels, const std::vector<uint8_t>& pixels);
std::string jpegBytes(int width, int height, int channels, const std::vector<uint8_t>& pixels);

struct TiffLayout {
    int width = 1;
    int height = 1;
    int samples = 1;
    int bits = 8;
    int photometric = 1;  // black is zero
    bool planar = false;  // samples one plane after another
    int tile = 0;         // square tiles of this size (a multiple of 16) instead of strips
};
// Writes a TIFF file; `samples` holds width x height x samples values, rows top-down, each
// pixel's samples together (also for a planar file, which is split here).
void writeTiff(const std::string& path, const TiffLayout& layout,
               const std::vector<uint16_t>& samples);
// A TIFF of 8-bit grey whose header claims the given size but which holds 16 bytes of pixels.
std::string tiffClaiming(uint32_t width, uint32_t height);

// A PNG whose header claims another size: the bytes of a real small PNG with the width and
// height fields changed (the decoder does not check the header's checksum).
std::string pngClaiming(uint32_t width, uint32_t height);

}  // namespace lintrel::test
