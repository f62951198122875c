// Raster image import: the stored layout (bottom-up rows, padded stride, BGR order, grey ramp),
// grey conversion, sizes in drawing units, PNG, BMP, JPEG and TIFF files of 8 and 16 bits,
// files that are no images, and headers that claim more pixels than the limit.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <tiffio.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>

#include "image/image_files.h"
#include "image/raster.h"
#include "model/items.h"
#include "support/dxf_builder.h"

#if defined(__SANITIZE_ADDRESS__)
#define PATHLOOM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PATHLOOM_ASAN 1
#endif
#endif
#if defined(PATHLOOM_ASAN)
// From the sanitizer runtime (its header does not ship with every compiler).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            size_t),
                                                         void (*freeHook)(const volatile void*));
#endif

using namespace lintrel;
using namespace lintrel::test;

namespace {

using Bytes = std::vector<uint8_t>;

ChainOwner<Image> importBytes(const std::string& name, const std::string& bytes, int flags = 0) {
    TempFile file(name, bytes);
    return ChainOwner<Image>(VarnixCad3_ImportImage(file.path(), flags));
}

ChainOwner<Image> importTiff(const TiffLayout& layout, const std::vector<uint16_t>& samples,
                             int flags = 0) {
    TempFile file("image.tif", "");
    writeTiff(file.path(), layout, samples);
    return ChainOwner<Image>(VarnixCad3_ImportImage(file.path(), flags));
}

// The stored bytes of row `y` counted from the bottom, without the padding.
Bytes storedRow(const Image& image, int y) {
    const uint8_t* row = image.pixels + static_cast<size_t>(y) * image.stride;
    return Bytes(row, row + image.pixelWidth * image.bitsPerPixel / 8);
}

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

// True when the last import noted `code` in its diagnostics.
bool noted(int code) {
    for (int k = 0; k < VarnixCad3_GetImportDiagCount(); ++k) {
        int c = 0;
        VarnixCad3_GetImportDiag(k, &c, nullptr, nullptr, 0);
        if (c == code) return true;
    }
    return false;
}

// The largest single allocation made while `body` runs; 0 where it cannot be seen (without
// AddressSanitizer's allocation hooks).
template <class Body>
size_t largestAllocationDuring(Body body) {
#if defined(PATHLOOM_ASAN)
    static std::atomic<bool> watching{false};
    static std::atomic<size_t> largest{0};
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(
        [](const volatile void*, size_t size) {
            if (watching && size > largest) largest = size;
        },
        [](const volatile void*) {});
    EXPECT_TRUE(installed);
    largest = 0;
    watching = true;
    body();
    watching = false;
    return largest;
#else
    body();
    return 0;
#endif
}

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

TEST(ImageImport, TiffOfEightAndSixteenBits) {
    // 8-bit grey and RGB are taken as they are.
    ChainOwner<Image> grey8 = importTiff({2, 2, 1, 8}, {1, 2, 3, 4});
    ASSERT_TRUE(grey8);
    EXPECT_EQ(VarnixCad3_GetImportDiagCount(), 0);  // stb_image's refusal of a TIFF is no flaw
    EXPECT_EQ(storedRow(*grey8.get(), 0), (Bytes{3, 4}));
    ChainOwner<Image> rgb8 = importTiff({1, 1, 3, 8}, {10, 20, 30});
    ASSERT_TRUE(rgb8);
    EXPECT_EQ(storedRow(*rgb8.get(), 0), (Bytes{30, 20, 10}));
    // 16-bit samples keep their tones: black stays black.
    ChainOwner<Image> grey16 = importTiff({3, 1, 1, 16}, {0, 32768, 65535});
    ASSERT_TRUE(grey16);
    EXPECT_EQ(grey16.get()->bitsPerPixel, 8);
    EXPECT_EQ(storedRow(*grey16.get(), 0), (Bytes{0, 127, 255}));
    ChainOwner<Image> rgb16 = importTiff({1, 1, 3, 16}, {65535, 0, 257 * 100});
    ASSERT_TRUE(rgb16);
    EXPECT_EQ(storedRow(*rgb16.get(), 0), (Bytes{100, 0, 255}));
    // A white-is-zero image: 65535 is black, 0 white.
    ChainOwner<Image> white16 = importTiff({2, 1, 1, 16, PHOTOMETRIC_MINISWHITE}, {65535, 0});
    ASSERT_TRUE(white16);
    EXPECT_EQ(storedRow(*white16.get(), 0), (Bytes{0, 255}));
    ChainOwner<Image> white8 = importTiff({2, 1, 1, 8, PHOTOMETRIC_MINISWHITE}, {255, 0});
    EXPECT_EQ(storedRow(*white8.get(), 0), (Bytes{0, 255}));
    // Planes one after another come out interleaved, and grey conversion works on TIFF too.
    ChainOwner<Image> planar =
        importTiff({2, 1, 3, 8, PHOTOMETRIC_RGB, true}, {255, 0, 0, 0, 0, 255});
    ASSERT_TRUE(planar);
    EXPECT_EQ(storedRow(*planar.get(), 0), (Bytes{0, 0, 255, 255, 0, 0}));
    ChainOwner<Image> converted =
        importTiff({2, 1, 3, 8, PHOTOMETRIC_RGB}, {255, 0, 0, 0, 0, 255}, 1);
    EXPECT_EQ(storedRow(*converted.get(), 0), (Bytes{76, 28}));
}

TEST(ImageImport, TiledTiffWithPartialEdgeTiles) {
    // 20 x 18 pixels in tiles of 16: the right and bottom tiles are partly outside the image.
    for (const bool planar : {false, true}) {
        SCOPED_TRACE(planar);
        TiffLayout layout{20, 18, 3, 16, PHOTOMETRIC_RGB, planar, 16};
        std::vector<uint16_t> samples;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 20; ++x)
                samples.insert(samples.end(), {static_cast<uint16_t>(257 * x),
                                               static_cast<uint16_t>(257 * y), 257 * 7});
        ChainOwner<Image> image = importTiff(layout, samples);
        ASSERT_TRUE(image);
        EXPECT_EQ(image.get()->pixelWidth, 20);
        EXPECT_EQ(image.get()->pixelHeight, 18);
        for (int y = 0; y < 18; ++y) {
            const Bytes row = storedRow(*image.get(), 17 - y);
            for (int x = 0; x < 20; ++x) {
                ASSERT_EQ(row[3 * x], 7) << x << "," << y;  // blue first
                ASSERT_EQ(row[3 * x + 1], y) << x << "," << y;
                ASSERT_EQ(row[3 * x + 2], x) << x << "," << y;
            }
        }
    }
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
    // Samples of 32 bits are not read.
    EXPECT_EQ(importTiff({2, 1, 1, 32}, {1, 2}).get(), nullptr);
    EXPECT_TRUE(noted(diag::kImageLayoutUnread));
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
        EXPECT_EQ(importBytes("bomb.tif", tiffClaiming(100000, 100000)).get(), nullptr);
        EXPECT_EQ(importBytes("bomb.tif", tiffClaiming(30000, 30000)).get(), nullptr);
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

// Imports in a process that may not grow beyond `budget` bytes of address space; exits 0 when
// the import gave null.
[[noreturn]] void importWithin(rlim_t budget, const char* path) {
    const rlimit limit{budget, budget};
    setrlimit(RLIMIT_AS, &limit);
    Image* image = VarnixCad3_ImportImage(path, 0);
    std::_Exit(image == nullptr ? 0 : 1);
}

TEST(ImageImportDeathTest, RunningOutOfMemoryGivesNullNotAnAbort) {
#if defined(PATHLOOM_ASAN)
    GTEST_SKIP() << "an address-space limit cannot be combined with AddressSanitizer's shadow";
#else
    const int width = 2000, height = 2000;
    TempFile file("large.png", pngBytes(width, height, 3, Bytes(size_t{width} * height * 3, 0)));
    ChainOwner<Image> whole(VarnixCad3_ImportImage(file.path(), 0));
    ASSERT_TRUE(whole) << "the image itself must be readable";
    whole.reset();
    // The child may grow by 8 MB, less than the 12 MB the pixels need.
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t budget = static_cast<rlim_t>(pages) * 4096 + (8 << 20);
    EXPECT_EXIT(importWithin(budget, file.path()), ::testing::ExitedWithCode(0), "");
#endif
}
