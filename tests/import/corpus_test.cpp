// Every DXF and DST drawing of the shared corpus imports without a crash and with finite
// coordinates; those listed below must give a drawing of at least their listed vects. Each
// file's group count, vect count and range are printed so that a change in what a reader makes
// of real files shows in the log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "import_helpers.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

namespace fs = std::filesystem;

// Files that imported when this list was made, with their vect counts then; each must keep
// giving at least as many. The others hold only text, hatches or dimensions.
const std::map<std::string, size_t> kMustImport = {
#include "corpus_expected.inc"
};

std::vector<fs::path> corpusFiles() {
    std::vector<fs::path> out;
    for (const char* folder : {"dxf", "dst"}) {
        for (const fs::path& path : corpus::files(folder)) {
            std::string ext = path.extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
            if (ext == ".dxf" || ext == ".dst") out.push_back(path);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(ImportCorpus, EveryDrawingImportsSafely) {
    SKIP_WITHOUT_CORPUS("dxf");
    const auto files = corpusFiles();
    std::map<std::string, size_t> imported;
    for (const fs::path& path : files) {
        const std::string name = path.filename().string();
        ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 1, 0.05, 0));
        const auto vects = vectsOf(groups.get());
        float x = 0, y = 0, w = 0, h = 0;
        if (groups) {
            imported[name] = vects.size();
            EXPECT_EQ(VarnixCad3_GetRange(groups.get(), &x, &y, &w, &h, 0.05), LINTREL_OK) << name;
            EXPECT_TRUE(std::isfinite(x) && std::isfinite(y) && std::isfinite(w) &&
                        std::isfinite(h))
                << name;
        }
        EXPECT_TRUE(allFinite(groups.get())) << name;
        std::printf("%-58s groups %3zu  vects %6zu  range %g %g %g %g\n", name.c_str(),
                    groupsOf(groups.get()).size(), vects.size(), x, y, w, h);
    }
    for (const auto& [name, floor] : kMustImport) {
        EXPECT_TRUE(imported.count(name)) << name << " imported before and now gives nothing";
        EXPECT_GE(imported[name], floor) << name << " gives fewer vects than before";
    }
}

}  // namespace
}  // namespace lintrel::test
