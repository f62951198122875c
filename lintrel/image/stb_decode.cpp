// Decoding through stb_image, compiled here with internal linkage so that its symbols can meet
// no other copy in a host. Images are decoded from memory; a header that claims more pixels
// than the limit, or a JPEG Huffman table the decoder would overrun, is refused before
// stb_image allocates anything for it. PNM stays out: its header parser overflows.
#include <climits>

#include "image/raster.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_PNM
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace lintrel {

namespace {

// stb_image takes an int length.
bool fitsStb(std::span<const uint8_t> bytes) {
    return !bytes.empty() && bytes.size() <= static_cast<size_t>(INT_MAX);
}

}  // namespace

std::optional<ImageShape> stbShape(std::span<const uint8_t> bytes) {
    if (!fitsStb(bytes) || !jpegTablesSound(bytes)) return std::nullopt;
    ImageShape shape;
    if (!stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &shape.width,
                               &shape.height, &shape.channels))
        return std::nullopt;
    return shape;
}

std::optional<DecodedImage> decodeWithStb(std::span<const uint8_t> bytes,
                                          ImportDiagnostics& diagnostics) {
    if (!jpegTablesSound(bytes)) {
        diagnostics.note(diag::kImageHuffmanOverrun,
                         "a JPEG Huffman table holds more than 256 codes");
        return std::nullopt;
    }
    const std::optional<ImageShape> shape = stbShape(bytes);
    if (!shape) return std::nullopt;
    if (!withinPixelLimit(shape->width, shape->height)) {
        diagnostics.note(diag::kImageTooLarge, "the image claims more than 2^28 pixels");
        return std::nullopt;
    }
    DecodedImage image;
    image.pixels.reset(stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                             &image.width, &image.height, &image.channels, 0));
    // The header was read once more while decoding; it must still be the one that was checked.
    if (!image.pixels || image.width != shape->width || image.height != shape->height ||
        image.channels < 1 || image.channels > 4)
        return std::nullopt;
    return image;
}

}  // namespace lintrel
