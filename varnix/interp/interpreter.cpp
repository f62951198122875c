// Splits a program into lines, chooses the reader, and collects the tool path and diagnostics.
#include "interp/interpreter.h"

#include <algorithm>

#include "interp/readers.h"

namespace varnix::interp {
namespace {

std::vector<std::string_view> splitLines(std::string_view program) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < program.size()) {
        const size_t end = program.find('\n', start);
        std::string_view line = program.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

Dialect detect(const std::vector<std::string_view>& lines) {
    for (const std::string_view line : lines) {
        if (looksLikeBasic(line)) return Dialect::Basic;
        if (looksLikeGCode(line)) return Dialect::GCode;
    }
    return Dialect::GCode;
}

}  // namespace

Result interpret(std::string_view program, const Options& options, std::span<const double> start) {
    Options bounded = options;
    bounded.axisCount = std::clamp(options.axisCount, 1, 64);
    Machine machine(bounded, start);
    const std::vector<std::string_view> lines = splitLines(program);
    const Dialect dialect = options.dialect == Dialect::Auto ? detect(lines) : options.dialect;
    const auto reader = dialect == Dialect::Basic ? makeBasicReader() : makeGCodeReader();
    for (size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        LineOutcome outcome = reader->read(lines[i], number, machine);
        if (outcome.kind == LineOutcome::kWarning) {
            machine.result().warnings.push_back({number, std::move(outcome.message)});
        } else if (outcome.kind == LineOutcome::kError) {
            machine.result().error = Diagnostic{number, std::move(outcome.message)};
            break;
        }
    }
    return std::move(machine.result());
}

double moveSeconds(const Move& move, double fallbackSpeed) {
    const double speed = move.speed > 0 ? move.speed : fallbackSpeed;
    return speed > 0 ? move.length / speed : 0.0;
}

}  // namespace varnix::interp
