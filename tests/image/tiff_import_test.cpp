// TIFF and DNG files through libtiff: 8 and 16 bits per sample, grey and RGB, white-is-zero,
// planar and tiled layouts, layouts that are not read, and headers that claim more pixels than
// the limit.
#include <gtest/gtest.h>
#include <tiffio.h>

#include "image/image_checks.h"
#include "image/image_files.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

ChainOwner<Image> importTiff(const TiffLayout& layout, const std::vector<uint16_t>& samples,
                             int flags = 0) {
    TempFile file("image.tif", "");
    writeTiff(file.path(), layout, samples);
    return ChainOwner<Image>(VarnixCad3_ImportImage(file.path(), flags));
}

}  // namespace

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

TEST(ImageImport, TiffSamplesOfThirtyTwoBitsAreNotRead) {
    EXPECT_EQ(importTiff({2, 1, 1, 32}, {1, 2}).get(), nullptr);
    EXPECT_TRUE(noted(diag::kImageLayoutUnread));
}

TEST(ImageImport, TiffHeadersClaimingTooManyPixelsAreRefused) {
    const size_t largest = largestAllocationDuring([&] {
        EXPECT_EQ(importBytes("bomb.tif", tiffClaiming(100000, 100000)).get(), nullptr);
        EXPECT_EQ(importBytes("bomb.tif", tiffClaiming(30000, 30000)).get(), nullptr);
        EXPECT_TRUE(noted(diag::kImageTooLarge));
    });
    EXPECT_LT(largest, size_t{1} << 24);
}
