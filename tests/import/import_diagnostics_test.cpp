// Every import keeps its own diagnostics: imports one after the other publish exactly their own
// list, and readers running on two threads at once, each with its own context, never see the
// other's notes.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "import/dxf/dxf_diagnostics.h"
#include "import/dxf/dxf_reader.h"
#include "import/plt/plt_diagnostics.h"
#include "import/plt/plt_reader.h"
#include "import_helpers.h"

namespace lintrel::test {
namespace {

// Two malformed numbers and no EOF marker.
const std::string kFlawedDxf =
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n20\n0\n11\n1e999\n21\n5\n0\nENDSEC\n";
// Setup, fill and unknown instructions skipped, a stray byte, an encoded polyline cut off.
const std::string kFlawedPlt = "IN;SP2;PU0,0;PD10,10;LT;FP;QQ;\x7fPE<=A";

std::vector<std::pair<int, long>> codesAndCounts(const ImportDiagnostics& d) {
    std::vector<std::pair<int, long>> out;
    for (const Diagnostic& item : d.items())
        out.emplace_back(item.code, item.count);
    return out;
}

// Reads `bytes` with `read` and a context of its own; the groups are freed again.
std::vector<std::pair<int, long>> readAlone(ReadFormat read, const std::string& bytes) {
    ImportDiagnostics diagnostics;
    ImportContext context{diagnostics};
    ChainOwner<VectGroup> groups(read(bytes, context));
    return codesAndCounts(diagnostics);
}

TEST(ImportDiagnostics, ImportsInARowPublishOnlyTheirOwn) {
    importText(kFlawedDxf);
    const ImportDiagnostics dxf = lastImport();
    EXPECT_EQ(dxf.countOf(diag::kDxfMalformedNumber), 2);
    EXPECT_EQ(dxf.countOf(diag::kDxfMissingEof), 1);

    importText(kFlawedPlt, 1, 0.05, 0, "plt");
    const ImportDiagnostics plt = lastImport();
    EXPECT_GT(plt.countOf(diag::kPltUnknownSkipped), 0);
    EXPECT_EQ(plt.countOf(diag::kDxfMalformedNumber), 0);
    EXPECT_EQ(plt.countOf(diag::kDxfMissingEof), 0);

    // The same file twice: counts are not carried from one import to the next.
    importText(kFlawedDxf);
    EXPECT_EQ(codesAndCounts(lastImport()), codesAndCounts(dxf));

    // A clean file after a flawed one names nothing; a file that cannot be read names only that.
    importText("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDSEC\n0\nEOF\n");
    EXPECT_TRUE(lastImportDiagnostics().empty());
    ChainOwner<VectGroup> missing(
        VarnixCad3_ImportVectGraph("/nonexistent/drawing.dxf", 1016.0, 1, 0.05, 0));
    EXPECT_EQ(codesAndCounts(lastImport()),
              (std::vector<std::pair<int, long>>{{diag::kFileUnreadable, 1}}));
}

TEST(ImportDiagnostics, ReadersOnTwoThreadsKeepTheirOwnLists) {
    const auto dxfAlone = readAlone(readDxf, kFlawedDxf);
    const auto pltAlone = readAlone(readPlt, kFlawedPlt);
    ASSERT_FALSE(dxfAlone.empty());
    ASSERT_FALSE(pltAlone.empty());
    ASSERT_NE(dxfAlone, pltAlone);

    // Both threads start together and read many times, so that their reads overlap.
    std::atomic<int> waiting{2}, mixed{0};
    auto repeat = [&](ReadFormat read, const std::string& bytes,
                      const std::vector<std::pair<int, long>>& alone) {
        --waiting;
        while (waiting.load() > 0) {
        }
        for (int i = 0; i < 20000; ++i)
            if (readAlone(read, bytes) != alone) ++mixed;
    };
    std::thread dxf(repeat, readDxf, std::cref(kFlawedDxf), std::cref(dxfAlone));
    std::thread plt(repeat, readPlt, std::cref(kFlawedPlt), std::cref(pltAlone));
    dxf.join();
    plt.join();
    EXPECT_EQ(mixed.load(), 0);
}

}  // namespace
}  // namespace lintrel::test
