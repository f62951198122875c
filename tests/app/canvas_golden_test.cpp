// Golden pictures of the canvas: every golden drawing opened as the program opens it and painted
// into 800 x 600 pixels with the travel layer on and the text layers (order numbers, rulers)
// left out, so that fonts cannot change the picture; the presets of the drawing's settings file
// add its cut paths. scripts/bless-golden.sh replaces the
// references (PATHLOOM_BLESS=1) after review.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "app/app_support.h"
#include "core/canvas/raster.h"
#include "view/canvas.h"

namespace pathloom::app::testing {
namespace {

const std::string kGoldenFolder = PATHLOOM_SOURCE_DIR "/tests/golden";

QImage scenePicture(const canvas::Scene& scene) {
    QImage image(scene.width, scene.height, QImage::Format_RGB32);
    canvas::PixelBuffer buffer{reinterpret_cast<uint32_t*>(image.bits()), image.width(),
                               image.height(), static_cast<int>(image.bytesPerLine() / 4)};
    canvas::paintScene(buffer, scene);
    return image;
}

class CanvasGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(CanvasGolden, MatchesTheReviewedPicture) {
    TempFolder folder;
    ScriptedPrompter prompter;
    auto window = makeWindow(prompter, folder.file("Setting.ini"));
    openAndWait(*window, kGoldenFolder + "/inputs/" + GetParam());
    ASSERT_NE(window->document().drawing(), nullptr);
    ViewSettings layers;
    layers.showAbs = true;
    layers.showOrder = false;
    layers.showGrids = false;
    view::Canvas canvas(window->document(), layers, 1.0);
    // The cut paths of a drawing whose settings file shapes them are drawn beside it.
    const std::string own = kGoldenFolder + "/settings/" + GetParam() + ".ini";
    const Settings settings = std::filesystem::exists(own) ? loadSettings(own) : Settings{};
    canvas.setPresets(&settings.process.presets);
    canvas.resize(800, 600);
    canvas.picture();
    const QImage actual = scenePicture(canvas.scene());
    const QString expected =
        QString::fromStdString(kGoldenFolder + "/canvas/" + GetParam() + ".png");
    if (std::getenv("PATHLOOM_BLESS")) {
        std::filesystem::create_directories(kGoldenFolder + "/canvas");
        ASSERT_TRUE(actual.save(expected));
        return;
    }
    const QImage reference(expected);
    ASSERT_FALSE(reference.isNull()) << "no reference: run scripts/bless-golden.sh";
    ASSERT_EQ(reference.size(), actual.size());
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            differing += reference.pixel(x, y) != actual.pixel(x, y);
    EXPECT_EQ(differing, 0) << GetParam();
}

std::vector<std::string> goldenDrawings() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kGoldenFolder + "/inputs"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Golden, CanvasGolden, ::testing::ValuesIn(goldenDrawings()),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace pathloom::app::testing
