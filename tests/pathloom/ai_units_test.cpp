// Illustrator drawings in millimetres: their coordinates are points whatever ruler unit the
// document names, so every corpus drawing that imports measures the box its own file states.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "core/document/auto_optimize.h"
#include "core/document/document.h"
#include "core/document/drawing_summary.h"
#include "support/corpus.h"

namespace pathloom {
namespace {

namespace fs = std::filesystem;

constexpr double kPoint = 25.4 / 72;

struct Box {
    double left, bottom, right, top;
};

// The first well-formed box of the comment `key` ("%%HiResBoundingBox:"), in points; lines end
// in CR or LF.
std::optional<Box> statedBox(const std::string& bytes, const std::string& key) {
    for (size_t at = bytes.find(key); at != std::string::npos; at = bytes.find(key, at + 1)) {
        if (at > 0 && bytes[at - 1] != '\r' && bytes[at - 1] != '\n') continue;
        const size_t end = bytes.find_first_of("\r\n", at);
        std::istringstream line(bytes.substr(at + key.size(), end - at - key.size()));
        Box b{};
        if (line >> b.left >> b.bottom >> b.right >> b.top && b.right > b.left && b.top > b.bottom)
            return b;
    }
    return std::nullopt;
}

// The exact box where the file has one, else the box in whole points.
std::optional<Box> boxOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (auto exact = statedBox(bytes, "%%HiResBoundingBox:")) return exact;
    return statedBox(bytes, "%%BoundingBox:");
}

TEST(AiCorpusUnits, EveryDrawingThatImportsMeasuresItsBoundingBox) {
    SKIP_WITHOUT_CORPUS("ai");
    const fs::path folder = corpus::root() / "ai";
    // The stated box is the painted area, so strokes and (for the whole-point box) rounding put
    // it a little outside the paths: up to 2.05 pt in these files. Each side may therefore lie up
    // to 2.5 pt (0.9 mm) inside it, far less than any unit error (points taken as millimetres
    // make a drawing 2.83 times too large).
    constexpr double kTolerance = 2.5;
    int measured = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const std::optional<Box> box = boxOf(entry.path());
        Document document;
        SilentSink sink;
        if (!box || document.open(entry.path().string(), withoutSteps(AutoOptimizeSettings{}),
                                  sink) != OpenResult::Done)
            continue;
        const DrawingFigures f = measureDrawing(document.drawing(), MachineParameters{});
        ASSERT_TRUE(f.hasExtent) << name;
        const Box got{f.x / kPoint, f.y / kPoint, (f.x + f.width) / kPoint,
                      (f.y + f.height) / kPoint};
        // The drawing lies within the box...
        EXPECT_GE(got.left, box->left - kTolerance) << name;
        EXPECT_GE(got.bottom, box->bottom - kTolerance) << name;
        EXPECT_LE(got.right, box->right + kTolerance) << name;
        EXPECT_LE(got.top, box->top + kTolerance) << name;
        // ... and fills it. IcoMoon-Free's box reaches 4 pt left of and 122 pt above every path
        // the file holds, painted or not (guides aside): there its right and bottom sides count.
        const bool wideBox = name == "icomoon__IcoMoon-Free.ai";
        if (!wideBox) {
            EXPECT_NEAR(got.left, box->left, kTolerance) << name;
            EXPECT_NEAR(got.top, box->top, kTolerance) << name;
        }
        EXPECT_NEAR(got.bottom, box->bottom, kTolerance) << name;
        EXPECT_NEAR(got.right, box->right, kTolerance) << name;
        ++measured;
    }
    EXPECT_GE(measured, 10);
}

}  // namespace
}  // namespace pathloom
