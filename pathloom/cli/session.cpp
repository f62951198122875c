// The convert and info commands.
#include "cli/session.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include <lintrel/lintrel.h>

#include "core/canvas/scene.h"
#include "core/canvas/svg.h"
#include "core/canvas/view_transform.h"
#include "core/codegen/number_format.h"
#include "core/controller/controller_session.h"
#include "core/document/document.h"
#include "core/document/measure.h"
#include "core/document/pipeline.h"
#include "core/document/units.h"

namespace pathloom::cli {

namespace {

// The preview's picture: the size of a canvas on a common screen.
constexpr int kPreviewWidth = 1600;
constexpr int kPreviewHeight = 1000;

// Status texts with the time since the start, so that a long step shows where it stands.
class StderrSink final : public StatusSink {
  public:
    StderrSink(std::FILE* err, bool quiet) : err_(err), quiet_(quiet) {}
    void status(std::string_view text) override {
        if (quiet_) return;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        std::fprintf(err_, "[%7.3f s] %.*s\n", seconds, static_cast<int>(text.size()), text.data());
        std::fflush(err_);
    }
    void message(std::string_view text) override {
        std::fprintf(err_, "pathloom-cli: %.*s\n", static_cast<int>(text.size()), text.data());
    }

  private:
    std::FILE* err_;
    bool quiet_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

int fail(std::FILE* err, int code, const std::string& text) {
    std::fprintf(err, "pathloom-cli: %s\n", text.c_str());
    return code;
}

// A clear reason before the import, which itself only says "nothing".
std::string unreadableReason(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return "it is a folder";
    if (::access(path.c_str(), R_OK) != 0) return std::strerror(errno);
    return {};
}

// Reads the drawing through the pipeline. Returns an exit code; kExitOk with a drawing.
int readDrawing(Document& document, const std::string& path, const Settings& settings,
                StatusSink& sink, std::FILE* err) {
    const std::string reason = unreadableReason(path);
    if (!reason.empty())
        return fail(err, kExitDrawing, "cannot read drawing '" + path + "': " + reason);
    // The program is written by the caller, which needs to know whether that worked.
    Settings withoutCode = settings;
    withoutCode.view.showGcode = false;
    switch (openDrawing(document, path, withoutCode, nullptr, sink)) {
        case OpenResult::Done:
            return kExitOk;
        case OpenResult::StepFailed:
            return fail(err, kExitDrawing, "the automatic optimisation of '" + path + "' failed");
        case OpenResult::Emptied:
            return fail(err, kExitDrawing,
                        "nothing of '" + path +
                            "' is left after the automatic clean-up (all of it is smaller than the "
                            "tiny-shape "
                            "limits?); try --no-auto-optimize");
        default:
            return fail(
                err, kExitDrawing,
                "cannot read drawing '" + path +
                    "': not a DXF, DST, PLT or AI drawing this program can read, or nothing in it");
    }
}

int writeOutput(const Options& options, const std::string& text, std::FILE* out, std::FILE* err) {
    if (options.output.empty()) {
        if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0)
            return fail(err, kExitOutput,
                        std::string("cannot write the program: ") + std::strerror(errno));
        return kExitOk;
    }
    if (!writeFileSafely(options.output, text))
        return fail(err, kExitOutput,
                    "cannot write '" + options.output + "': " + std::strerror(errno));
    return kExitOk;
}

// A figure for the summary, with the four decimals of the programs.
std::string shown(double v) {
    return fixedText(v, 4);
}

std::string duration(double seconds) {
    const long total = std::lround(seconds);
    char text[64];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld h %02ld min %02ld s", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%ld min %02ld s", total / 60, total % 60);
    return text;
}

}  // namespace

int runConvert(const Options& options, const Settings& settings, std::FILE* out, std::FILE* err) {
    StderrSink sink(err, options.quiet);
    // Connect first: the writers read the controller's positions, and an unreachable controller
    // is better reported before the drawing is worked on.
    ControllerSession controller(varnixCalls());
    if (!options.downloadAddress.empty()) {
        sink.status("connecting to " + options.downloadAddress);
        if (const int code = controller.connect(options.downloadAddress))
            return fail(err, kExitDownload,
                        "cannot connect to the controller at '" + options.downloadAddress +
                            "' (code " + std::to_string(code) + ")");
    }
    ControllerLink* link = controller.connected() ? controller.link() : nullptr;

    Document document;
    if (const int code = readDrawing(document, options.drawing, settings, sink, err)) return code;
    sink.status("writing the program");
    if (!regenerate(document, settings.process, link, sink))
        return fail(err, kExitGenerate,
                    "no program could be written for '" + options.drawing + "'");
    const std::string& text = document.code();
    if (const int code = writeOutput(options, text, out, err)) return code;

    if (controller.connected()) {
        const std::string name = options.downloadName.empty()
                                     ? settings.process.machine.processFilename
                                     : options.downloadName;
        sink.status("downloading " + name + " to " + options.downloadAddress);
        if (const int code = controller.download(text, name))
            return fail(err, kExitDownload,
                        "the controller refused the download of '" + name + "' (code " +
                            std::to_string(code) + ")");
    }
    sink.status("done");
    return kExitOk;
}

namespace {

// What the reader of the last import repaired or skipped, one line each, or "none".
std::string importDiagnosticsText() {
    const int n = VarnixCad3_GetImportDiagCount();
    if (n <= 0) return "diagnostics:    none\n";
    std::string text = "diagnostics:\n";
    for (int i = 0; i < n; ++i) {
        int code = 0, count = 0;
        char what[256];
        if (VarnixCad3_GetImportDiag(i, &code, &count, what, sizeof what) != 0) continue;
        char line[320];
        std::snprintf(line, sizeof line, "  %3d  x%-6d %s\n", code, count, what);
        text += line;
    }
    return text;
}

}  // namespace

// The estimated job time of the drawing cut in the default order, for comparing another sort
// with; none when that run fails.
std::optional<double> defaultOrderSeconds(const Options& options, const Settings& settings,
                                          std::FILE* err) {
    Settings asDrawn = settings;
    asDrawn.optimize = withoutSteps(settings.optimize);
    StderrSink quiet(err, true);
    Document document;
    if (readDrawing(document, options.drawing, asDrawn, quiet, err) != kExitOk) return {};
    AutoOptimizeSettings steps = settings.optimize;
    steps.sortBy = kSortByDefault;
    if (!runAutoOptimize(document.drawingAddress(), steps, quiet)) return {};
    const DrawingFigures f = measureDrawing(document.drawing(), settings.process.machine);
    return f.cutSeconds + f.travelSeconds;
}

int runInfo(const Options& options, const Settings& settings, std::FILE* out, std::FILE* err) {
    StderrSink sink(err, options.quiet);
    // Read without the automatic steps first, to measure the travel as drawn.
    Settings asDrawn = settings;
    asDrawn.optimize = withoutSteps(settings.optimize);
    Document document;
    if (const int code = readDrawing(document, options.drawing, asDrawn, sink, err)) return code;
    const int declaredUnit = VarnixCad3_GetBeforeUnit();
    const std::string diagnostics = importDiagnosticsText();
    const double travelBefore = measureDrawing(document.drawing(), settings.process.machine).travel;
    if (!runAutoOptimize(document.drawingAddress(), settings.optimize, sink))
        return fail(err, kExitDrawing,
                    "the automatic optimisation of '" + options.drawing + "' failed");
    const DrawingFigures f = measureDrawing(document.drawing(), settings.process.machine);

    const double scale = importScale(options.drawing, settings.optimize.autoUnits, declaredUnit);
    std::fprintf(out, "drawing:        %s\n", options.drawing.c_str());
    std::fprintf(out, "declared unit:  %s%s\n", std::string(unitName(declaredUnit)).c_str(),
                 scale != 1.0 ? " (converted to millimetres)" : "");
    std::fprintf(out, "groups:         %d\n", f.groups);
    std::fprintf(out, "vects:          %d (%d segments)\n", f.vects, f.segs);
    if (f.hasExtent)
        std::fprintf(out, "extent:         x %s to %s, y %s to %s (%s by %s)\n", shown(f.x).c_str(),
                     shown(f.x + f.width).c_str(), shown(f.y).c_str(),
                     shown(f.y + f.height).c_str(), shown(f.width).c_str(),
                     shown(f.height).c_str());
    std::fprintf(out, "cut length:     %s\n", shown(f.cutLength).c_str());
    std::fprintf(out, "tool-up travel: %s as drawn, %s after optimisation",
                 shown(travelBefore).c_str(), shown(f.travel).c_str());
    if (travelBefore > 0)
        std::fprintf(out, " (%s %% less)",
                     fixedText(100.0 * (travelBefore - f.travel) / travelBefore, 1).c_str());
    std::fprintf(
        out, "\nestimated time: %s (cutting %s, travel %s; constant speeds, ramps not counted)\n",
        duration(f.cutSeconds + f.travelSeconds).c_str(), duration(f.cutSeconds).c_str(),
        duration(f.travelSeconds).c_str());
    if (settings.optimize.sort && settings.optimize.sortBy != kSortByDefault) {
        if (const auto byDefault = defaultOrderSeconds(options, settings, err)) {
            const double saved = *byDefault - (f.cutSeconds + f.travelSeconds);
            std::fprintf(out, "against the default order (sort by %d): %s %s\n", kSortByDefault,
                         duration(std::fabs(saved)).c_str(), saved >= 0 ? "saved" : "longer");
        }
    }
    std::fputs(diagnostics.c_str(), out);
    return kExitOk;
}

int runPreview(const Options& options, const Settings& settings, std::FILE* out, std::FILE* err) {
    StderrSink sink(err, options.quiet);
    Document document;
    if (const int code = readDrawing(document, options.drawing, settings, sink, err)) return code;
    canvas::ViewTransform view;
    view.setArea(kPreviewWidth, kPreviewHeight);
    view.fit(canvas::drawingRange(document.drawing()));
    const ViewSettings& v = settings.view;
    const canvas::Layers layers{v.showClose,      v.showAbs,       v.showOrder,
                                v.showStartPoint, v.showDirection, v.showGrids};
    const canvas::Scene scene = canvas::buildScene(document.drawing(), view, layers, 1.0);
    return writeOutput(options, canvas::sceneSvg(scene), out, err);
}

}  // namespace pathloom::cli
