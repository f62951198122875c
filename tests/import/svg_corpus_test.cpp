// Every SVG drawing of the shared corpus imports without a crash, with finite coordinates, at
// least as many vects as its floor, and the extent an independent program (librsvg) gives it:
// within 0.05 mm, or inside its box where that box is known to be wider than the shapes. Each
// file's counts, extent and diagnostics are printed for the log. The references come from
// svg_reference_extents.py.
#include <gtest/gtest.h>

#include <algorithm>
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
// Drawings of text alone: nothing is drawn, and the text is named.
const std::set<std::string> kTextOnly = {"vpype__text_element.svg"};

constexpr double kTolerance = 0.05;

struct Box {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
};

Box extentOf(VectGroup* groups, bool& finite) {
    Box box;
    finite = true;
    for (Vect* v : vectsOf(groups))
        for (Seg* s : ring(v->segs))
            for (const Point p : {segStart(*s), segEnd(*s)}) {
                finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
                box.x0 = std::min(box.x0, p.x), box.y0 = std::min(box.y0, p.y);
                box.x1 = std::max(box.x1, p.x), box.y1 = std::max(box.y1, p.y);
            }
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
        // Curves flattened finely, so that control points do not count in the extent.
        ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 0, 0.001, 0));
        bool finite = true;
        const Box got = extentOf(groups.get(), finite);
        const size_t vects = vectsOf(groups.get()).size();
        std::printf("%-52s groups %3zu  vects %5zu  extent %.4f %.4f %.4f %.4f %s\n", name.c_str(),
                    groupsOf(groups.get()).size(), vects, got.x0, got.y0, got.x1, got.y1,
                    diagnosticsLine().c_str());
        if (kTextOnly.count(name)) {
            EXPECT_FALSE(groups) << name;
            EXPECT_GE(lastImport().countOf(diag::kSvgTextNotConverted), 1) << name;
            continue;
        }
        ASSERT_TRUE(groups) << name;
        EXPECT_TRUE(finite) << name;
        EXPECT_GE(vects, floors[name]) << name;
        ASSERT_TRUE(references.count(name)) << name << " has no reference extent";
        const Reference& r = references[name];
        if (kReferenceWider.count(name)) {
            EXPECT_GE(got.x0, r.x0 - kTolerance) << name;
            EXPECT_GE(got.y0, r.y0 - kTolerance) << name;
            EXPECT_LE(got.x1, r.x1 + kTolerance) << name;
            EXPECT_LE(got.y1, r.y1 + kTolerance) << name;
            expectPainted(name, got);
            continue;
        }
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
