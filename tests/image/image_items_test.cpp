// Imported images in the generic item operations: copy, delete, move, scale and range, alone, in
// a ring and in a graph; rotation is refused; and an image chain edited under undo records.
#include <gtest/gtest.h>

#include <cstring>

#include "image/image_files.h"
#include "model/items.h"
#include "support/dxf_builder.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

Image* importedImage(int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height * 3));
    for (size_t k = 0; k < pixels.size(); ++k)
        pixels[k] = static_cast<uint8_t>(k * 7);
    TempFile file("picture.png", pngBytes(width, height, 3, pixels));
    return VarnixCad3_ImportImage(file.path(), 0);
}

}  // namespace

TEST(ImageItems, CopyKeepsOwnBuffersWithTheSameContent) {
    ChainOwner<Image> image(importedImage(5, 3));
    ASSERT_TRUE(image);
    ChainOwner<Image> copy(static_cast<Image*>(VarnixCad3_CopyOne(image.get())));
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get()->pixels, image.get()->pixels);
    EXPECT_EQ(copy.get()->palette, nullptr);
    ASSERT_EQ(copy.get()->pixelBytes, image.get()->pixelBytes);
    EXPECT_EQ(std::memcmp(copy.get()->pixels, image.get()->pixels,
                          static_cast<size_t>(image.get()->pixelBytes)),
              0);
    EXPECT_EQ(copy.get()->stride, 16);
    EXPECT_EQ(copy.get()->width, image.get()->width);

    // A grey image's palette is copied too, and a ring of two copies as a ring.
    TempFile file("grey.png", pngBytes(2, 2, 1, {1, 2, 3, 4}));
    image.append(VarnixCad3_ImportImage(file.path(), 0));
    void* ringCopy = nullptr;
    ASSERT_EQ(VarnixCad3_CopyChain(image.get(), &ringCopy), LINTREL_OK);
    ChainOwner<Image> copies(static_cast<Image*>(ringCopy));
    EXPECT_EQ(VarnixCad3_ItemGetListNum(copies.get()), 2);
    const Image* grey = copies.get()->next;
    ASSERT_EQ(grey->paletteCount, 256);
    EXPECT_NE(grey->palette, image.get()->next->palette);
    EXPECT_EQ(grey->palette[4 * 200], 200);
    EXPECT_EQ(VarnixCad3_ItemDelete(copies.get()->next), LINTREL_OK);
    EXPECT_EQ(VarnixCad3_ItemGetListNum(copies.get()), 1);
}

TEST(ImageItems, MoveScaleRangeAndNoRotation) {
    ChainOwner<Image> image(importedImage(378, 189));  // 100 x 50 drawing units
    ASSERT_TRUE(image);
    Image& i = *image.get();
    EXPECT_EQ(VarnixCad3_MoveOne(&i, 10, 5), LINTREL_OK);
    EXPECT_DOUBLE_EQ(i.x, 10);
    EXPECT_DOUBLE_EQ(i.y, 5);
    EXPECT_EQ(VarnixCad3_ScaleOne(&i, 2, 0.5f, 0, 0), LINTREL_OK);
    EXPECT_NEAR(i.x, 20, 1e-9);
    EXPECT_NEAR(i.width, 200, 1e-4);
    EXPECT_NEAR(i.height, 25, 1e-4);
    float x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(VarnixCad3_GetRangeOne(&i, &x, &y, &w, &h, 0.05), LINTREL_OK);
    EXPECT_FLOAT_EQ(x, 20);
    EXPECT_FLOAT_EQ(y, 2.5f);
    EXPECT_NEAR(w, 200, 1e-3);
    EXPECT_NEAR(h, 25, 1e-3);
    EXPECT_EQ(VarnixCad3_RotateOne(&i, 1.0f, 0, 0), LINTREL_NOT_AVAILABLE);
}

TEST(ImageItems, AGraphMovesAndMeasuresItsImages) {
    Graph* graph = VarnixCad3_NewGraph();
    graph->images = importedImage(378, 378);
    ASSERT_NE(graph->images, nullptr);
    EXPECT_EQ(VarnixCad3_Move(graph, -50, 0), LINTREL_OK);
    float x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(VarnixCad3_GetRange(graph, &x, &y, &w, &h, 0.05), LINTREL_OK);
    EXPECT_FLOAT_EQ(x, -50);
    EXPECT_NEAR(w, 100, 1e-3);
    EXPECT_EQ(VarnixCad3_DeleteChain(graph), LINTREL_OK);
}

TEST(ImageItems, AnImageChainUnderUndoRecords) {
    Lintrel_Edit_ClearRecord();
    ChainOwner<Image> chain(importedImage(2, 2));
    Image* added = importedImage(3, 3);
    Lintrel_Edit_AddRecord();
    void** head = reinterpret_cast<void**>(&chain.head());
    ASSERT_EQ(Lintrel_Edit_InsertOne(head, added, nullptr), LINTREL_OK);
    EXPECT_EQ(VarnixCad3_ItemGetListNum(chain.get()), 2);
    Lintrel_Edit_Undo();
    EXPECT_EQ(VarnixCad3_ItemGetListNum(chain.get()), 1);
    // Opening a new step releases the undone image with its pixels.
    Lintrel_Edit_AddRecord();
    EXPECT_FALSE(Lintrel_Edit_IfRedo());
    Lintrel_Edit_ClearRecord();
}
