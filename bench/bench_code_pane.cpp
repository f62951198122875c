// The code pane with a program of a million lines: replacing the text with its line map and
// painting the visible lines, and jumping to a line with its highlight.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <string>
#include <vector>

#include "view/code_pane.h"
#include "view/code_view.h"

namespace {

// G-code lines of the length the writers produce, two lines per vect in the map.
std::string program(int lines, std::vector<int>& lineMap) {
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 40);
    for (int i = 0; i < lines; ++i) {
        text += "G01 X" + std::to_string(i % 2000) + ".1234 Y" + std::to_string(i % 1000) +
                ".5678 F200.0000\r\n";
        if (i % 2 == 0) lineMap.push_back(i), lineMap.push_back(i + 1);
    }
    return text;
}

void BM_CodePaneShowsProgram(benchmark::State& state) {
    std::vector<int> map;
    const std::string text = program(static_cast<int>(state.range(0)), map);
    pathloom::view::CodePane pane;
    pane.resize(400, 1000);
    for (auto _ : state) {
        pane.setProgram(text, map);  // the copy is part of what the window does
        QPixmap shown = pane.view()->viewport()->grab();
        benchmark::DoNotOptimize(shown);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CodePaneShowsProgram)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_CodePaneHighlightsLine(benchmark::State& state) {
    std::vector<int> map;
    pathloom::view::CodePane pane;
    pane.resize(400, 1000);
    pane.setProgram(program(1'000'000, map), map);
    int line = 0;
    for (auto _ : state) {
        line = (line + 499'999) % 1'000'000;
        pane.highlightLines(line, line + 1);
        QPixmap shown = pane.view()->viewport()->grab();
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_CodePaneHighlightsLine)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
