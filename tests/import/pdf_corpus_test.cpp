// The PDF reader over the corpus: every drawing imports, finite and on its page, with at least
// as many vects as it had when the reader was written (a floor, so that a change which loses
// paths shows), the full-page drawing measures its page, and page counts, boxes and rotations
// agree with poppler's pdfinfo where it is installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "import/pdf/pdf_reader.h"
#include "import_helpers.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

namespace fs = std::filesystem;

// Vects of each file as read with curves flattened at 0.05 mm.
const std::map<std::string, size_t> kFloors = {
#include "pdf_corpus_floors.inc"
};

TEST(PdfCorpus, EveryDrawingImportsOnItsPage) {
    SKIP_WITHOUT_CORPUS("pdf");
    for (const fs::path& path : corpus::files("pdf")) {
        if (path.extension() != ".pdf") continue;
        const std::string name = path.filename().string();
        ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 0, 0.05, 0));
        const size_t vects = vectsOf(groups.get()).size();
        const Extent e = extentOf(groups.get());
        std::printf("    {\"%s\", %zu},  // %.3f %.3f %.3f %.3f\n", name.c_str(), vects, e.x0, e.y0,
                    e.x1, e.y1);
        ASSERT_TRUE(groups) << name;
        const auto floor = kFloors.find(name);
        if (floor == kFloors.end())
            ADD_FAILURE() << name << " has no floor";
        else
            EXPECT_GE(vects, floor->second) << name;
        // Every corpus drawing lies on an A4 or Letter page, in either orientation.
        for (double v : {e.x0, e.y0, e.x1, e.y1}) {
            EXPECT_TRUE(std::isfinite(v)) << name;
            EXPECT_GT(v, -1.0) << name;
            EXPECT_LT(v, 300.0) << name;
        }
    }
}

// A drawing that fills its whole media box (595.2756 by 841.8898 points) measures A4.
TEST(PdfCorpus, FullPageDrawingMeasuresItsPage) {
    SKIP_WITHOUT_CORPUS("pdf");
    const fs::path path = corpus::file("pdf", "pdfjs__tiling-pattern-box.pdf");
    ChainOwner<VectGroup> groups(
        VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 0, 0.05, 0));
    expectExtent(extentOf(groups.get()), 0, 0, 210, 297, 0.05);
}

#ifndef _WIN32  // pdfinfo runs on the build machine, not under Wine
// What pdfinfo says of every page of a file: its page count, and each page's media box and
// rotation. Empty when pdfinfo cannot be run.
struct PopplerPages {
    int pages = -1;
    std::map<int, std::vector<double>> media;
    std::map<int, double> rotation;
};

PopplerPages pdfinfoOf(const fs::path& path) {
    PopplerPages out;
    const std::string command = "pdfinfo -box -f 1 -l 100000 '" + path.string() + "' 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    std::string text;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    if (::pclose(pipe) != 0) return {};
    static const std::regex pages("^Pages: +(\\d+)");
    static const std::regex box("^Page +(\\d+) MediaBox: +(\\S+) +(\\S+) +(\\S+) +(\\S+)");
    static const std::regex rot("^Page +(\\d+) rot: +(-?\\d+)");
    std::istringstream lines(text);
    std::smatch m;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, m, pages))
            out.pages = std::stoi(m[1]);
        else if (std::regex_search(line, m, box))
            out.media[std::stoi(m[1])] = {std::stod(m[2]), std::stod(m[3]), std::stod(m[4]),
                                          std::stod(m[5])};
        else if (std::regex_search(line, m, rot))
            out.rotation[std::stoi(m[1])] = std::stod(m[2]);
    }
    return out;
}

TEST(PdfCorpus, PagesBoxesAndRotationsAgreeWithPdfinfo) {
    SKIP_WITHOUT_CORPUS("pdf");
    if (std::system("pdfinfo -v >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdfinfo (poppler-utils, scripts/install-deps.sh) is not installed";
    int compared = 0;
    for (const fs::path& path : corpus::files("pdf")) {
        if (path.extension() != ".pdf") continue;
        const std::string name = path.filename().string();
        const PopplerPages poppler = pdfinfoOf(path);
        ASSERT_GT(poppler.pages, 0) << name;
        const std::string bytes = fileBytes(path);
        EXPECT_EQ(pdf::countPdfPages(bytes), poppler.pages) << name;
        for (int page = 1; page <= poppler.pages; ++page) {
            pdf::PageBoxes ours;
            ASSERT_TRUE(pdf::pdfPageBoxes(bytes, page, ours)) << name << " page " << page;
            const std::vector<double>& theirs = poppler.media.at(page);
            ASSERT_EQ(ours.media.size(), 4u) << name << " page " << page;
            // pdfinfo prints the box with two decimals, lower-left corner first.
            const double lower[2] = {std::min(ours.media[0], ours.media[2]),
                                     std::min(ours.media[1], ours.media[3])};
            const double upper[2] = {std::max(ours.media[0], ours.media[2]),
                                     std::max(ours.media[1], ours.media[3])};
            EXPECT_NEAR(lower[0], theirs[0], 0.005) << name << " page " << page;
            EXPECT_NEAR(lower[1], theirs[1], 0.005) << name << " page " << page;
            EXPECT_NEAR(upper[0], theirs[2], 0.005) << name << " page " << page;
            EXPECT_NEAR(upper[1], theirs[3], 0.005) << name << " page " << page;
            const double turn = std::fmod(std::fmod(ours.rotate, 360) + 360, 360);
            EXPECT_EQ(turn, poppler.rotation.at(page)) << name << " page " << page;
            ++compared;
        }
    }
    std::printf("pages compared with pdfinfo: %d\n", compared);
    EXPECT_GE(compared, 18);
}
#endif

}  // namespace
}  // namespace lintrel::test
