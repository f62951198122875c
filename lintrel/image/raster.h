// Raster image import: a bitmap file becomes an Image item holding its pixels bottom-up, rows
// padded to 4 bytes, colour pixels in blue-green-red order, 3780 pixels per metre. Decoding is
// stb_image's (all its formats but PNM, whose header parser overflows on long numbers), with a
// TIFF/DNG loader (libtiff) behind it. An image may hold at most 2^28 pixels: a file claiming
// more is refused from its header, before any pixel memory is taken.
#pragma once

#include <lintrel/lintrel.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>

#include "base/diagnostics.h"

namespace lintrel {

// What an image import refused, in its diagnostics.
namespace diag {
inline constexpr int kImageTooLarge = 601;        // the header claims more pixels than the limit
inline constexpr int kImageHuffmanOverrun = 602;  // a JPEG Huffman table of more than 256 codes
inline constexpr int kImageLayoutUnread = 603;    // a TIFF layout the loader does not read
inline constexpr int kImageNotDecoded = 604;      // neither decoder reads the file
inline constexpr int kImageOutOfMemory = 605;     // memory for the pixels could not be had
}  // namespace diag

// The fuzzing build lowers the limit so that every input decodes quickly.
#ifndef LINTREL_IMAGE_PIXEL_LIMIT_LOG2
#define LINTREL_IMAGE_PIXEL_LIMIT_LOG2 28
#endif
inline constexpr int64_t kMaxImagePixels = int64_t{1} << LINTREL_IMAGE_PIXEL_LIMIT_LOG2;
inline constexpr int kPixelsPerMetre = 3780;  // 96 dots per inch

inline bool withinPixelLimit(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImagePixels / height;
}

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};
using PixelBuffer = std::unique_ptr<uint8_t[], FreeDeleter>;

// Decoded pixels: 8 bits per channel (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA), rows top-down
// and tightly packed.
struct DecodedImage {
    int width = 0;
    int height = 0;
    int channels = 0;
    PixelBuffer pixels;
};

struct ImageShape {
    int width = 0;
    int height = 0;
    int channels = 0;
};

// False for a JPEG file with a Huffman table of more than 256 codes, which the decoder would
// write past; true for any other file.
bool jpegTablesSound(std::span<const uint8_t> bytes);

// The shape stb_image reads from a file's header; nothing when it does not know the format.
std::optional<ImageShape> stbShape(std::span<const uint8_t> bytes);
// Nothing when stb_image cannot decode the bytes or they claim too many pixels; why is noted in
// `diagnostics`.
std::optional<DecodedImage> decodeWithStb(std::span<const uint8_t> bytes,
                                          ImportDiagnostics& diagnostics);
// The first image of a TIFF or DNG file; nothing when there is none that can be read.
std::optional<DecodedImage> decodeTiff(std::span<const uint8_t> bytes,
                                       ImportDiagnostics& diagnostics);

// The image item for decoded pixels, converted to 8-bit grey when `grey` is set; null when
// memory for it cannot be had.
Image* buildImage(const DecodedImage& decoded, bool grey);

// Decodes `bytes` by either decoder into a new lone image; null when neither reads them, and
// `diagnostics` (this import's own) say why.
Image* importImageBytes(std::span<const uint8_t> bytes, int flags, ImportDiagnostics& diagnostics);
Image* importImageFile(const char* fileName, int flags, ImportDiagnostics& diagnostics);

}  // namespace lintrel
