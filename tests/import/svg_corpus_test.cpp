// Every SVG drawing of the shared corpus imports without a crash, with finite coordinates, at
// least as many vects as its floor, and the extent an independent program (librsvg) gives it:
// within 0.05 mm, or inside its box where that box is known to be wider than the shapes. Each
// file's counts, extent and diagnostics are printed for the log. The references come from
// svg_reference_extents.py. Text outlines are measured apart: the references leave text out
// (painted boxes) or take in its layout box, which is not its outlines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "base/diagnostics.h"
#include "import/svg/svg_diagnostics.h"
#include "import_helpers.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

namespace fs = std::filesystem;

struct Reference {
    const char* name;
    double x0, y0, x1, y1;
};
constexpr Reference kReferences[] = {
#include "svg_reference_extents.inc"
};

// For the drawings whose reference box is too wide: the box of the pixels librsvg paints, with
// strokes thinned and text hidden, good to about a pixel; NAN where shapes reach beyond the page.
struct Painted {
    const char* name;
    double x0, y0, x1, y1, pixel;
};
constexpr Painted kPainted[] = {
#include "svg_ink_extents.inc"
};

struct Floor {
    const char* name;
    size_t vects;
};
constexpr Floor kFloors[] = {
#include "svg_corpus_expected.inc"
};

// The reference box is wider than the shapes: it covers text (not converted here), or it is
// the box around the transformed boxes of rotated or skewed shapes. These are compared with the
// painted pixels too.
const std::set<std::string> kReferenceWider = {
    "boxes__Gears.svg",                   // text labels
    "boxes__boxes-logo.svg",              // skewed and mirrored rects
    "resvg__nested-transforms-1.svg",     // skewY
    "resvg__nested-transforms-2.svg",     // skewY
    "resvg__transform-list.svg",          // skewY
    "resvg__rotate-at-position.svg",      // rotation
    "vpype__arc_with_rotate.svg",         // rotation
    "vpype__multilayer_named_layers.svg"  // rotation
};
// Drawings of text alone: only text vects are drawn.
const std::set<std::string> kTextOnly = {"vpype__text_element.svg"};

constexpr double kTolerance = 0.05;

using Box = Extent;

// The extent of the shapes, or of the text vects alone, curves flattened finely so that
// control points do not count.
Box extentOf(VectGroup* groups, bool text) {
    Box box;
    for (Vect* v : vectsOf(groups))
        if ((v->type == LINTREL_TEXT) == text) addExtent(box, v, 0.001);
    return box;
}

// Within a pixel and a half of the painted box (antialiasing), on each side within the page.
void expectPainted(const std::string& name, const Box& got) {
    const Painted* painted = nullptr;
    for (const Painted& p : kPainted)
        if (name == p.name) painted = &p;
    ASSERT_TRUE(painted) << name << " has no painted extent";
    const double tolerance = kTolerance + 1.5 * painted->pixel;
    const double sides[4][2] = {
        {got.x0, painted->x0}, {got.y0, painted->y0}, {got.x1, painted->x1}, {got.y1, painted->y1}};
    for (const auto& [ours, theirs] : sides) {
        if (!std::isnan(theirs)) {
            EXPECT_NEAR(ours, theirs, tolerance) << name;
        }
    }
}

std::string diagnosticsLine() {
    std::string line;
    const ImportDiagnostics last = lastImport();
    for (const Diagnostic& d : last.items())
        line += " " + std::to_string(d.code) + "x" + std::to_string(d.count);
    return line;
}

TEST(SvgCorpus, EveryDrawingImportsWithItsReferenceExtent) {
    SKIP_WITHOUT_CORPUS("svg");
    std::vector<fs::path> files;
    for (const fs::path& path : corpus::files("svg"))
        if (path.extension() == ".svg") files.push_back(path);
    std::map<std::string, Reference> references;
    for (const Reference& r : kReferences)
        references[r.name] = r;
    std::map<std::string, size_t> floors;
    for (const Floor& f : kFloors)
        floors[f.name] = f.vects;
    int exact = 0;
    for (const fs::path& path : files) {
        const std::string name = path.filename().string();
        // Curves kept, so that text vects are told apart; the extents flatten them.
        ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 1, 0.001, 0));
        const Box got = extentOf(groups.get(), false), text = extentOf(groups.get(), true);
        const size_t vects = vectsOf(groups.get()).size();
        size_t texts = 0;
        for (Vect* v : vectsOf(groups.get()))
            texts += v->type == LINTREL_TEXT ? 1 : 0;
        std::printf("%-52s groups %3zu  vects %5zu  extent %.4f %.4f %.4f %.4f %s\n", name.c_str(),
                    groupsOf(groups.get()).size(), vects, got.x0, got.y0, got.x1, got.y1,
                    diagnosticsLine().c_str());
        if (texts)
            std::printf("%-52s texts %4zu  text extent %.4f %.4f %.4f %.4f\n", "", texts, text.x0,
                        text.y0, text.x1, text.y1);
        ASSERT_TRUE(groups) << name;
        EXPECT_TRUE(allFinite(groups.get())) << name;
        if (kTextOnly.count(name)) {
            EXPECT_EQ(texts, vects) << name;
        }
        EXPECT_GE(vects, floors[name]) << name;
        ASSERT_TRUE(references.count(name)) << name << " has no reference extent";
        const Reference& r = references[name];
        // The reference takes text in with its layout box (ascent to descent, advance to
        // advance), which holds the outlines.
        if (texts) {
            EXPECT_GE(text.x0, r.x0 - kTolerance) << name;
            EXPECT_GE(text.y0, r.y0 - kTolerance) << name;
            EXPECT_LE(text.x1, r.x1 + kTolerance) << name;
            EXPECT_LE(text.y1, r.y1 + kTolerance) << name;
        }
        if (kReferenceWider.count(name)) {
            EXPECT_GE(got.x0, r.x0 - kTolerance) << name;
            EXPECT_GE(got.y0, r.y0 - kTolerance) << name;
            EXPECT_LE(got.x1, r.x1 + kTolerance) << name;
            EXPECT_LE(got.y1, r.y1 + kTolerance) << name;
            expectPainted(name, got);
            continue;
        }
        if (kTextOnly.count(name)) continue;  // no shapes to measure
        ++exact;
        EXPECT_NEAR(got.x0, r.x0, kTolerance) << name;
        EXPECT_NEAR(got.y0, r.y0, kTolerance) << name;
        EXPECT_NEAR(got.x1, r.x1, kTolerance) << name;
        EXPECT_NEAR(got.y1, r.y1, kTolerance) << name;
    }
    EXPECT_GE(exact, 35);
}

}  // namespace
}  // namespace lintrel::test
