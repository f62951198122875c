// The program interpreter on long generated programs of both languages: how many program lines
// it reads per second, arcs sampled included.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "interp/interpreter.h"

namespace {

// A program of `count` lines in the shape Pathloom writes: a travel, then cuts and an arc.
std::string program(bool basic, int count) {
    std::string text = basic ? "BASE(0, 1)\r\nMOVE_PARA(SPEED, 0, 200.0000)\r\n" : "G90\r\n";
    char line[128];
    for (int i = 0; i < count; ++i) {
        const double x = (i % 1000) * 0.5, y = (i / 1000) * 0.5;
        if (i % 10 == 9) {
            std::snprintf(line, sizeof line,
                          basic ? "MOVECIRCABS(%.4f, %.4f, %.4f, %.4f, 1)\r\n"
                                : "G02 X%.4f Y%.4f I%.4f J0.0000 F200.0000\r\n",
                          x, y, basic ? x - 0.25 : 0.25, y);
        } else {
            std::snprintf(line, sizeof line,
                          basic ? "MOVEABS(%.4f, %.4f)\r\n" : "G01 X%.4f Y%.4f F200.0000\r\n", x,
                          y);
        }
        text += line;
    }
    return text;
}

void interpretProgram(benchmark::State& state, bool basic) {
    const int lines = static_cast<int>(state.range(0));
    const std::string text = program(basic, lines);
    varnix::interp::Options options;
    options.tolerance = 0.01;
    size_t moves = 0;
    for (auto _ : state) {
        const auto result = varnix::interp::interpret(text, options);
        if (!result.ok()) state.SkipWithError(result.error->message.c_str());
        moves = result.path.moves.size();
        benchmark::DoNotOptimize(moves);
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["moves"] = static_cast<double>(moves);
}

void BM_InterpretGCode(benchmark::State& state) {
    interpretProgram(state, false);
}
void BM_InterpretBasic(benchmark::State& state) {
    interpretProgram(state, true);
}

BENCHMARK(BM_InterpretGCode)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InterpretBasic)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
