// vxtrace: prints the tool path of a program file as CSV, or as an SVG picture with --svg
// (cuts solid, travels dashed).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "interp/interpreter.h"
#include "trace/output.h"

namespace {

const char* const kUsage =
    "Usage: vxtrace [options] PROGRAM\n"
    "Prints the tool path of a G-code or Basic program as CSV (line,kind,speed,axis0,...).\n"
    "\n"
    "  --svg               draw the path as SVG instead (cuts solid, travels dashed)\n"
    "  --gcode | --basic   the program's language (default: recognised from its lines)\n"
    "  --tolerance T       chord tolerance of sampled arcs (default 0.01)\n"
    "  --axes N            axes to track, 1 to 64 (default 16)\n"
    "  --travel-speed S    Basic moves at speed S count as travels\n"
    "  --plane A B         axes drawn as x and y in the SVG (default 0 1)\n"
    "  --help              show this text\n";

bool number(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
    using namespace varnix::interp;
    Options options;
    bool svg = false;
    int planeA = 0, planeB = 1;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        double value = 0;
        const bool hasValue = i + 1 < argc && number(argv[i + 1], value);
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--svg") {
            svg = true;
        } else if (arg == "--gcode" || arg == "--basic") {
            options.dialect = arg == "--gcode" ? Dialect::GCode : Dialect::Basic;
        } else if (arg == "--tolerance" && hasValue && value > 0) {
            options.tolerance = value;
            ++i;
        } else if (arg == "--axes" && hasValue && value >= 1 && value <= 64) {
            options.axisCount = static_cast<int>(value);
            ++i;
        } else if (arg == "--travel-speed" && hasValue) {
            options.travelSpeed = value;
            ++i;
        } else if (arg == "--plane" && i + 2 < argc) {
            planeA = std::atoi(argv[i + 1]);
            planeB = std::atoi(argv[i + 2]);
            i += 2;
        } else if (arg[0] != '-' && path == nullptr) {
            path = argv[i];
        } else {
            std::fprintf(stderr, "vxtrace: bad argument %s\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (path == nullptr) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "vxtrace: cannot read %s\n", path);
        return 1;
    }
    std::ostringstream text;
    text << file.rdbuf();
    const Result result = interpret(text.str(), options);
    for (const Diagnostic& warning : result.warnings) {
        std::fprintf(stderr, "%s:%d: warning: %s\n", path, warning.line, warning.message.c_str());
    }
    if (!result.ok()) {
        std::fprintf(stderr, "%s:%d: error: %s\n", path, result.error->line,
                     result.error->message.c_str());
        return 1;
    }
    const int axes = static_cast<int>(result.path.start.size());
    if (planeA < 0 || planeB < 0 || planeA >= axes || planeB >= axes) {
        std::fprintf(stderr, "vxtrace: --plane names an axis that is not tracked\n");
        return 2;
    }
    const std::string output =
        svg ? varnix::trace::toSvg(result.path, planeA, planeB) : varnix::trace::toCsv(result.path);
    std::fwrite(output.data(), 1, output.size(), stdout);
    return 0;
}
