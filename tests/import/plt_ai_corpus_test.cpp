// Every plotter and Illustrator drawing of the shared corpus imports without a crash and with
// finite coordinates, and every one that draws gives a drawing of the right extent: plotter
// files against a plain reading of their absolute pen moves, Illustrator files against the
// bounding box they declare. Each file's counts, extent and source are printed for the log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "import/ai/pdf_container.h"
#include "import/ai/pdf_reader.h"
#include "import_helpers.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

namespace fs = std::filesystem;

using Box = Extent;

// The extent a plotter file draws with absolute pen moves only, read plainly; empty when the
// file uses anything else that moves the pen or draws, or text that could hide letters.
Box plainPlotterExtent(const std::string& text) {
    Box box;
    static const std::regex instruction("([A-Za-z]{2})([^A-Za-z;]*)");
    bool down = false;
    double x = 0, y = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), instruction);
         it != std::sregex_iterator(); ++it) {
        std::string name = (*it)[1];
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        static const std::set<std::string> other = {"PR", "PE", "CI", "AA", "AR", "BZ",
                                                    "BR", "EA", "ER", "LB", "RP", "SC"};
        if (other.count(name) || text.find('\x1b') != std::string::npos) return {};
        if (name == "IN") down = false, x = y = 0;
        if (name != "PU" && name != "PD" && name != "PA") continue;
        if (name != "PA") down = name == "PD";
        std::vector<double> n;
        std::istringstream params(std::regex_replace((*it)[2].str(), std::regex(","), " "));
        for (double v; params >> v;)
            n.push_back(v);
        for (size_t i = 0; i + 1 < n.size(); i += 2) {
            if (down) box.add({x, y}), box.add({n[i], n[i + 1]});
            x = n[i], y = n[i + 1];
        }
    }
    return box;
}

TEST(PltCorpus, EveryPlotterFileDrawsWhatItHolds) {
    SKIP_WITHOUT_CORPUS("plt");
    const auto files = corpus::files("plt");
    int compared = 0;
    for (const fs::path& path : files) {
        const std::string name = path.filename().string();
        ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 1, 0.05, 0));
        const Box got = extentOf(groups.get());
        // Every file of the corpus puts the pen down somewhere.
        EXPECT_TRUE(groups) << name;
        EXPECT_TRUE(allFinite(groups.get())) << name;
        const Box plain = plainPlotterExtent(fileBytes(path));
        if (!plain.empty()) {
            ++compared;
            const double f = 25.4 / 1016;
            EXPECT_NEAR(got.x0, plain.x0 * f, 1e-6) << name;
            EXPECT_NEAR(got.y0, plain.y0 * f, 1e-6) << name;
            EXPECT_NEAR(got.x1, plain.x1 * f, 1e-6) << name;
            EXPECT_NEAR(got.y1, plain.y1 * f, 1e-6) << name;
        }
        std::printf("%-58s groups %3zu  vects %6zu  extent %g %g %g %g%s\n", name.c_str(),
                    groupsOf(groups.get()).size(), vectsOf(groups.get()).size(), got.x0, got.y0,
                    got.x1, got.y1, plain.empty() ? "" : "  (compared)");
    }
    EXPECT_GE(compared, 8);
}

// Files that declare a drawing but whose only paths are not artwork: an empty template.
const std::set<std::string> kNothingDrawn = {"maki__maki-12-base.ai"};
// A file whose private data is Zstandard-compressed (and whose page is empty): nothing is
// drawn by a build without libzstd.
const char* const kZstandardFile = "maki__maki-template.ai";
// Files whose bounding box also covers text, which is not converted: only containment holds.
const std::set<std::string> kTextBeyondPaths = {"icomoon__IcoMoon-Free.ai"};

bool declaredBox(const std::string& text, Box& box) {
    static const std::regex bbox("%%BoundingBox: *(-?\\d+) +(-?\\d+) +(-?\\d+) +(-?\\d+)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), bbox);
         it != std::sregex_iterator(); ++it) {
        box = {};
        box.add({std::stod((*it)[1]), std::stod((*it)[2])});
        box.add({std::stod((*it)[3]), std::stod((*it)[4])});
        if ((*it)[1] <= (*it)[3] && box.x1 > box.x0 && box.y1 > box.y0) return true;
    }
    return false;
}

const char* sourceOf(const std::string& bytes) {
    if (bytes.compare(0, 5, "%PDF-") != 0) return "native text";
    ai::PdfSource source;
    ImportDiagnostics diagnostics;
    ChainOwner<VectGroup> groups(ai::readPdfContainer(bytes, diagnostics, &source));
    return source == ai::PdfSource::kPrivateData   ? "PDF private data"
           : source == ai::PdfSource::kPageContent ? "PDF page content"
                                                   : "PDF, nothing read";
}

TEST(AiCorpus, EveryIllustratorFileDrawsItsBoundingBox) {
    SKIP_WITHOUT_CORPUS("ai");
    const auto files = corpus::files("ai");
    for (const fs::path& path : files) {
        const std::string name = path.filename().string();
        const std::string bytes = fileBytes(path);
        // Curves flattened, so that control points do not count in the extent.
        ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 0, 0.05, 0));
        const Box got = extentOf(groups.get());
        EXPECT_TRUE(allFinite(groups.get())) << name;
        std::printf("%-44s %-18s groups %3zu  vects %5zu  extent %g %g %g %g\n", name.c_str(),
                    sourceOf(bytes), groupsOf(groups.get()).size(), vectsOf(groups.get()).size(),
                    got.x0, got.y0, got.x1, got.y1);
        if (kNothingDrawn.count(name) || (name == kZstandardFile && !pdf::zstdAvailable())) {
            EXPECT_FALSE(groups) << name;
            continue;
        }
        ASSERT_TRUE(groups) << name;
        Box box;
        if (!declaredBox(bytes, box)) continue;
        // Stroke widths widen the declared box a little beyond the paths.
        const double tx = std::max(2.0, 0.01 * (box.x1 - box.x0));
        const double ty = std::max(2.0, 0.01 * (box.y1 - box.y0));
        EXPECT_GE(got.x0, box.x0 - tx) << name;
        EXPECT_GE(got.y0, box.y0 - ty) << name;
        EXPECT_LE(got.x1, box.x1 + tx) << name;
        EXPECT_LE(got.y1, box.y1 + ty) << name;
        if (kTextBeyondPaths.count(name)) continue;
        EXPECT_LE(got.x0, box.x0 + tx) << name;
        EXPECT_LE(got.y0, box.y0 + ty) << name;
        EXPECT_GE(got.x1, box.x1 - tx) << name;
        EXPECT_GE(got.y1, box.y1 - ty) << name;
    }
}

}  // namespace
}  // namespace lintrel::test
