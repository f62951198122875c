// Raster image import: the stored layout (bottom-up rows, padded stride, BGR order, grey ramp),
// grey conversion, sizes in drawing units, PNG, BMP and JPEG files, files that are no images,
// and headers that claim more pixels than the limit. TIFF files: tiff_import_test.cpp.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "image/image_checks.h"
#include "image/image_files.h"
#include "image/raster.h"
#include "model/items.h"
#include "support/dxf_builder.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

void expectGreyRamp(const Image& image) {
    ASSERT_EQ(image.paletteCount, 256);
    ASSERT_NE(image.palette, nullptr);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(image.palette[4 * i], i);
        EXPECT_EQ(image.palette[4 * i + 1], i);
        EXPECT_EQ(image.palette[4 * i + 2], i);
    }
}

// Top row: red, green, blue; bottom row: white, black, grey 100.
const Bytes kRgb3x2{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 100, 100, 100};

}  // namespace

TEST(ImageImport, ThreeByTwoRgbIsStoredBottomUpInBgr) {
    for (const auto& [name, bytes] : {std::pair{"image.png", pngBytes(3, 2, 3, kRgb3x2)},
                                      std::pair{"image.bmp", bmpBytes(3, 2, 3, kRgb3x2)}}) {
        SCOPED_TRACE(name);
        ChainOwner<Image> image = importBytes(name, bytes);
        ASSERT_TRUE(image);
        const Image& i = *image.get();
        EXPECT_EQ(i.type, LINTREL_IMAGE);
        EXPECT_EQ(i.prev, &i);
        EXPECT_EQ(i.next, &i);
        EXPECT_EQ(i.stride, 12);
        EXPECT_EQ(i.bitsPerPixel, 24);
        EXPECT_EQ(i.pixelBytes, 24);
        EXPECT_EQ(i.paletteCount, 0);
        EXPECT_EQ(i.palette, nullptr);
        EXPECT_EQ(i.reserved1, 0);
        EXPECT_EQ(i.xPelsPerMeter, 3780);
        EXPECT_EQ(i.yPelsPerMeter, 3780);
        EXPECT_EQ(i.x, 0);
        EXPECT_EQ(i.y, 0);
        EXPECT_DOUBLE_EQ(i.width, 3 * 1000.0 / 3780);
        EXPECT_EQ(storedRow(i, 0), (Bytes{255, 255, 255, 0, 0, 0, 100, 100, 100}));
        EXPECT_EQ(storedRow(i, 1), (Bytes{0, 0, 255, 0, 255, 0, 255, 0, 0}));
    }
}

TEST(ImageImport, GreyImagesCarryTheGreyRamp) {
    ChainOwner<Image> image = importBytes("grey.png", pngBytes(4, 1, 1, {0, 10, 200, 255}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image.get()->stride, 4);
    EXPECT_EQ(image.get()->bitsPerPixel, 8);
    EXPECT_EQ(image.get()->reserved1, 0);
    EXPECT_EQ(storedRow(*image.get(), 0), (Bytes{0, 10, 200, 255}));
    expectGreyRamp(*image.get());
}

TEST(ImageImport, GreyConversion) {
    ChainOwner<Image> image = importBytes("image.png", pngBytes(3, 2, 3, kRgb3x2), 1);
    ASSERT_TRUE(image);
    const Image& i = *image.get();
    EXPECT_EQ(i.bitsPerPixel, 8);
    EXPECT_EQ(i.stride, 4);
    EXPECT_EQ(i.pixelBytes, 8);
    EXPECT_EQ(i.reserved1, 8 + 1078);
    expectGreyRamp(i);
    // Red 0.3 x 255 = 76.5, green 150.45, blue 28.05; white stays white.
    EXPECT_EQ(storedRow(i, 1), (Bytes{76, 150, 28}));
    EXPECT_EQ(storedRow(i, 0), (Bytes{255, 0, 100}));

    // RGBA is stored BGRA; converted, its alpha is ignored.
    const Bytes rgba{255, 0, 0, 7, 0, 0, 255, 200};
    ChainOwner<Image> colour = importBytes("alpha.png", pngBytes(2, 1, 4, rgba));
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour.get()->bitsPerPixel, 32);
    EXPECT_EQ(colour.get()->stride, 8);
    EXPECT_EQ(storedRow(*colour.get(), 0), (Bytes{0, 0, 255, 7, 255, 0, 0, 200}));
    ChainOwner<Image> grey = importBytes("alpha.png", pngBytes(2, 1, 4, rgba), 1);
    EXPECT_EQ(storedRow(*grey.get(), 0), (Bytes{76, 28}));
    // Grey and alpha converts to its grey.
    ChainOwner<Image> greyAlpha = importBytes("ga.png", pngBytes(2, 1, 2, {9, 1, 250, 2}), 1);
    ASSERT_TRUE(greyAlpha);
    EXPECT_EQ(greyAlpha.get()->bitsPerPixel, 8);
    EXPECT_EQ(storedRow(*greyAlpha.get(), 0), (Bytes{9, 250}));
}

TEST(ImageImport, SizeInDrawingUnits) {
    ChainOwner<Image> image = importBytes("wide.png", pngBytes(378, 2, 1, Bytes(756, 128)));
    ASSERT_TRUE(image);
    EXPECT_DOUBLE_EQ(image.get()->width, 100.0);
    EXPECT_DOUBLE_EQ(image.get()->height, 2 * 1000.0 / 3780);
    EXPECT_EQ(image.get()->stride, 380);
}

TEST(ImageImport, JpegDecodesNearItsColours) {
    Bytes pixels;
    for (int k = 0; k < 64; ++k)
        pixels.insert(pixels.end(), {200, 40, 10});
    ChainOwner<Image> image = importBytes("photo.jpg", jpegBytes(8, 8, 3, pixels));
    ASSERT_TRUE(image);
    EXPECT_EQ(image.get()->bitsPerPixel, 24);
    const Bytes row = storedRow(*image.get(), 3);
    EXPECT_NEAR(row[0], 10, 4);  // blue first
    EXPECT_NEAR(row[1], 40, 4);
    EXPECT_NEAR(row[2], 200, 4);
}

TEST(ImageImport, AJpegHuffmanTableOfTooManyCodesIsRefused) {
    // 304 codes in one table (found by fuzzing): the decoder would write past its tables.
    const std::string overfull(
        "\xff\xd8\xff\xc4\xff\x00\x00\x00\x00\x00\x0a\x00\x00\x00\x00"
        "\xff\x27",
        17);
    const auto bytes = [](const std::string& s) {
        return std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
    EXPECT_FALSE(jpegTablesSound(bytes(overfull)));
    EXPECT_EQ(importBytes("overfull.jpg", overfull).get(), nullptr);
    EXPECT_TRUE(noted(diag::kImageHuffmanOverrun));
    // The tables of a real JPEG, and files of other kinds, pass.
    const std::string photo = jpegBytes(16, 16, 3, Bytes(768, 77));
    EXPECT_TRUE(jpegTablesSound(bytes(photo)));
    EXPECT_TRUE(jpegTablesSound(bytes(pngBytes(1, 1, 1, {0}))));
}

TEST(ImageImport, FilesThatAreNoImagesGiveNull) {
    EXPECT_EQ(importBytes("notes.png", "just some text, not an image\n").get(), nullptr);
    EXPECT_TRUE(noted(diag::kImageNotDecoded));
    EXPECT_EQ(VarnixCad3_GetImportDiagCount(), 1);
    EXPECT_EQ(importBytes("notes.tif", "II*\0 broken").get(), nullptr);
    EXPECT_EQ(importBytes("empty.bmp", "").get(), nullptr);
    EXPECT_EQ(VarnixCad3_ImportImage("/nonexistent/folder/image.png", 0), nullptr);
    EXPECT_TRUE(noted(diag::kFileUnreadable));
    EXPECT_EQ(VarnixCad3_ImportImage(nullptr, 0), nullptr);
    // A truncated PNG.
    const std::string png = pngBytes(16, 16, 3, Bytes(768, 9));
    EXPECT_EQ(importBytes("cut.png", png.substr(0, png.size() / 2)).get(), nullptr);
}

TEST(ImageImport, HeadersClaimingTooManyPixelsAreRefused) {
    // 100,000 x 100,000 pixels claimed by a few kilobytes, and 30,000 x 30,000 (which a decoder
    // could still address): refused before anything is taken for the pixels.
    const auto started = std::chrono::steady_clock::now();
    const std::string bomb = pngClaiming(100000, 100000);
    EXPECT_LT(bomb.size(), 8000u);
    const size_t largest = largestAllocationDuring([&] {
        EXPECT_EQ(importBytes("bomb.png", bomb).get(), nullptr);
        EXPECT_TRUE(noted(diag::kImageNotDecoded));  // stb_image does not read that header
        EXPECT_EQ(importBytes("bomb.png", pngClaiming(30000, 30000)).get(), nullptr);
        EXPECT_TRUE(noted(diag::kImageTooLarge));
    });
    EXPECT_LT(largest, size_t{1} << 24);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

    // The limit is 2^28 pixels; a header just under it passes the size check.
    const std::string justUnder = pngClaiming(16384, 16383);
    const auto shape =
        stbShape({reinterpret_cast<const uint8_t*>(justUnder.data()), justUnder.size()});
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->width, 16384);
    EXPECT_EQ(shape->height, 16383);
    EXPECT_TRUE(withinPixelLimit(shape->width, shape->height));
    EXPECT_TRUE(withinPixelLimit(16384, 16384));
    EXPECT_TRUE(withinPixelLimit(kMaxImagePixels, 1));
    EXPECT_FALSE(withinPixelLimit(16384, 16385));
    EXPECT_FALSE(withinPixelLimit(100000, 100000));
    EXPECT_FALSE(withinPixelLimit(0, 5));
}
