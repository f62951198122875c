// Text layout throughput: a drawing of 10,000 TEXT entities and one MTEXT of 10,000
// characters, read and converted into glyph outlines. The fonts are those the import finds
// on this machine (DejaVu for the style, the CJK font for the Chinese characters); the
// "font files" counter shows that each import reads every font once.
#include <benchmark/benchmark.h>

#include <string>

#include "import/dxf/dxf_reader.h"
#include "model/items.h"
#include "support/dxf_builder.h"

using namespace lintrel;

namespace {

std::string header() {
    test::DxfText t;
    t.section("HEADER").group(9, "$ACADVER").group(1, "AC1027").endSection();
    t.section("TABLES").group(0, "TABLE").group(2, "STYLE").group(70, 1);
    t.group(0, "STYLE").group(2, "SANS").group(70, 0).group(3, "DejaVuSans.ttf").group(4, "");
    t.group(0, "ENDTAB").endSection();
    t.section("ENTITIES");
    return t.str();
}

std::string manyTexts(int count) {
    test::DxfText t;
    for (int i = 0; i < count; ++i) {
        t.entity("TEXT").point(10, (i % 100) * 40.0, (i / 100) * 5.0).group(40, 2.5);
        t.group(1, "Label " + std::to_string(i) + " 标签").group(7, "SANS").group(50, 15.0);
    }
    return header() + t.str() + "0\nENDSEC\n0\nEOF\n";
}

std::string longMText(int characters) {
    std::string text;
    const std::string words[] = {"cutting ", "{\\H1.5x;path} ", "laser ", "雕刻 ", "\\P"};
    for (int i = 0; text.size() < static_cast<size_t>(characters); ++i)
        text += words[i % 5];
    test::DxfText t;
    t.entity("MTEXT").point(10, 0, 0).group(40, 2.5).group(41, 200.0).group(71, 5);
    for (size_t at = 0; at + 250 < text.size(); at += 250)
        t.group(3, text.substr(at, 250));
    t.group(1, text.substr(text.size() - text.size() % 250)).group(7, "SANS");
    return header() + t.str() + "0\nENDSEC\n0\nEOF\n";
}

void importLoop(benchmark::State& state, const std::string& dxf, double characters) {
    int64_t segs = 0;
    long fontFiles = 0;
    for (auto _ : state) {
        VxDxf reader;
        ImportDiagnostics diagnostics;
        reader.read(dxf, 1, 0.05, diagnostics);
        ChainOwner<VectGroup> groups(reader.convert(diagnostics));
        fontFiles += reader.fontFilesRead();
        for (VectGroup* g : ring(groups.get()))
            for (Vect* v : ring(g->vects))
                segs += ringCount(v->segs);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["chars/s"] = benchmark::Counter(characters * runs, benchmark::Counter::kIsRate);
    state.counters["segs/import"] = static_cast<double>(segs) / runs;
    state.counters["font files/import"] = static_cast<double>(fontFiles) / runs;
}

void BM_TenThousandTexts(benchmark::State& state) {
    importLoop(state, manyTexts(10000), 10000 * 13.0);
}
void BM_LongMText(benchmark::State& state) {
    importLoop(state, longMText(10000), 10000);
}

}  // namespace

BENCHMARK(BM_TenThousandTexts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongMText)->Unit(benchmark::kMillisecond);
