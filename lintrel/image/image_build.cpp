// Building the image item from decoded pixels: rows stored bottom-up with a stride rounded up to
// 4 bytes, colour channels exchanged into blue-green-red order, the grey ramp palette for 8-bit
// images, and the optional conversion to 8-bit grey. Every buffer comes from malloc, the heap
// the host shares, and a failed allocation gives null.
#include <algorithm>
#include <string_view>
#include <utility>

#include "image/raster.h"
#include "model/items.h"
#include "platform/file_bytes.h"

namespace lintrel {

namespace {

constexpr int kPaletteEntries = 256;
constexpr int kBitmapHeaderBytes = 1078;  // file and info headers and a 256-entry palette

int strideOf(int width, int bytesPerPixel) {
    const int64_t row = int64_t{width} * bytesPerPixel;
    return static_cast<int>((row + 3) / 4 * 4);
}

// The weights 0.3, 0.59 and 0.11 in whole hundredths, so that white stays 255.
uint8_t greyOf(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint8_t>((30 * red + 59 * green + 11 * blue) / 100);
}

void packGreyRow(const uint8_t* in, uint8_t* out, int width, int channels) {
    for (int x = 0; x < width; ++x, in += channels)
        out[x] = channels >= 3 ? greyOf(in[0], in[1], in[2]) : in[0];  // grey and alpha: grey
}

void packColourRow(const uint8_t* in, uint8_t* out, int width, int channels) {
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
    std::copy(in, in + bytes, out);
    if (channels < 3) return;
    for (size_t i = 0; i < bytes; i += static_cast<size_t>(channels))
        std::swap(out[i], out[i + 2]);
}

PixelBuffer greyRamp() {
    PixelBuffer palette(static_cast<uint8_t*>(std::calloc(kPaletteEntries, 4)));
    if (!palette) return palette;
    for (int i = 0; i < kPaletteEntries; ++i)
        for (int c = 0; c < 3; ++c)
            palette[static_cast<size_t>(4 * i + c)] = static_cast<uint8_t>(i);
    return palette;
}

}  // namespace

Image* buildImage(const DecodedImage& decoded, bool grey) {
    const int width = decoded.width, height = decoded.height, channels = decoded.channels;
    const int bytesPerPixel = grey ? 1 : channels;
    const int stride = strideOf(width, bytesPerPixel);
    const size_t size = static_cast<size_t>(stride) * static_cast<size_t>(height);
    // The bytes that round a row up carry no pixel; they are zero rather than left unset.
    PixelBuffer pixels(static_cast<uint8_t*>(std::calloc(size, 1)));
    PixelBuffer palette = bytesPerPixel == 1 ? greyRamp() : nullptr;
    if (!pixels || (bytesPerPixel == 1 && !palette)) return nullptr;

    const size_t rowIn = static_cast<size_t>(width) * static_cast<size_t>(channels);
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = decoded.pixels.get() + static_cast<size_t>(y) * rowIn;
        uint8_t* out = pixels.get() + static_cast<size_t>(height - 1 - y) * stride;
        if (grey)
            packGreyRow(in, out, width, channels);
        else
            packColourRow(in, out, width, channels);
    }

    Image* image = newImage();
    image->stride = stride;
    image->pixelWidth = width;
    image->pixelHeight = height;
    image->bitsPerPixel = 8 * bytesPerPixel;
    image->reserved1 = grey ? static_cast<int32_t>(size) + kBitmapHeaderBytes : 0;
    image->xPelsPerMeter = image->yPelsPerMeter = kPixelsPerMetre;
    image->paletteCount = palette ? kPaletteEntries : 0;
    image->palette = palette.release();
    image->pixelBytes = static_cast<int32_t>(size);
    image->pixels = pixels.release();
    image->width = width * 1000.0 / kPixelsPerMetre;
    image->height = height * 1000.0 / kPixelsPerMetre;
    return image;
}

namespace {

Image* decodeAndBuild(std::span<const uint8_t> bytes, int flags, ImportDiagnostics& diagnostics) {
    std::optional<DecodedImage> decoded = decodeWithStb(bytes, diagnostics);
#ifndef LINTREL_NO_TIFF
    if (!decoded) decoded = decodeTiff(bytes, diagnostics);
#endif
    if (!decoded) {
        diagnostics.note(diag::kImageNotDecoded, "neither image decoder reads the file");
        return nullptr;
    }
    Image* image = buildImage(*decoded, (flags & 1) != 0);
    if (!image) diagnostics.note(diag::kImageOutOfMemory, "memory for the pixels could not be had");
    return image;
}

}  // namespace

Image* importImageBytes(std::span<const uint8_t> bytes, int flags, ImportDiagnostics& diagnostics) {
    return decodeAndBuild(bytes, flags, diagnostics);
}

Image* importImageFile(const char* fileName, int flags, ImportDiagnostics& diagnostics) {
    FileBytes file;
    if (!fileName || !file.open(fileName)) {
        diagnostics.note(diag::kFileUnreadable, "the file could not be read");
        return nullptr;
    }
    const std::string_view bytes = file.bytes();
    return decodeAndBuild({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, flags,
                          diagnostics);
}

}  // namespace lintrel
