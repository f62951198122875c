// The convert and info commands.
#include "cli/session.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <lintrel/lintrel.h>

#include "core/canvas/scene.h"
#include "core/canvas/svg.h"
#include "core/canvas/view_transform.h"
#include "core/codegen/cut_paths.h"
#include "core/codegen/number_format.h"
#include "core/codegen/output_profile.h"
#include "core/codegen/vect_path.h"
#include "core/controller/controller_session.h"
#include "core/document/document.h"
#include "core/document/drawing_summary.h"
#include "core/document/import_reason.h"
#include "core/document/optimise_progress.h"
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

// A progress line on the terminal, the step and the percent of the whole optimisation, rewritten
// in place while a step runs and cleared before any other text.
class TerminalProgress final : public StatusSink {
  public:
    TerminalProgress(std::FILE* err, StatusSink& sink, const AutoOptimizeSettings& steps)
        : err_(err), sink_(sink), progress_(steps, this), listening_(progress_) {
        progress_.onChange = [this] { draw(); };
    }
    ~TerminalProgress() override { clear(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // The sink the pipeline reports to.
    StatusSink& sink() { return progress_; }

    void status(std::string_view text) override {
        clear();
        sink_.status(text);
    }
    void message(std::string_view text) override {
        clear();
        sink_.message(text);
    }

  private:
    void draw() {
        const int percent = progress_.percent();
        if (percent == shown_) return;
        shown_ = percent;
        std::fprintf(err_, "\r%3d%%  %s\x1b[K", percent, progress_.step().c_str());
        std::fflush(err_);
    }
    void clear() {
        if (shown_ < 0) return;
        std::fputs("\r\x1b[K", err_);
        std::fflush(err_);
        shown_ = -1;
    }

    std::FILE* err_;
    StatusSink& sink_;
    OptimiseProgress progress_;
    OptimiseProgress::Listening listening_;
    int shown_ = -1;
};

int fail(std::FILE* err, int code, const std::string& text) {
    std::fprintf(err, "pathloom-cli: %s\n", text.c_str());
    return code;
}

// What the reader of the last import repaired or skipped, one line each, or "none".
std::string importDiagnosticsText() {
    const std::vector<ImportNote> notes = lastImportNotes();
    if (notes.empty()) return "diagnostics:    none\n";
    std::string text = "diagnostics:\n";
    for (const ImportNote& note : notes) {
        char line[320];
        std::snprintf(line, sizeof line, "  %3d  x%-6d %s\n", note.code, note.count,
                      note.text.c_str());
        text += line;
    }
    return text;
}

// The page --page asks for, or the first; a page the drawing does not have is refused with its
// page count. Returns an exit code.
int checkPage(const Options& options, std::FILE* err) {
    if (!options.page || *options.page == 1) return kExitOk;
    const int pages = drawingPages(options.drawing);
    if (pages == 0 || *options.page <= pages) return kExitOk;
    return fail(err, kExitDrawing,
                "page " + std::to_string(*options.page) + " of '" + options.drawing +
                    "' is out of range: the drawing has " + std::to_string(pages) +
                    (pages == 1 ? " page" : " pages"));
}

// Reads the drawing (the page --page chose) through the pipeline. Returns an exit code;
// kExitOk with a drawing. When the file gives nothing, says why and lists what the reader noted.
int readDrawing(Document& document, const Options& options, const Settings& settings,
                StatusSink& sink, std::FILE* err, bool progress = false) {
    const std::string& path = options.drawing;
    if (const int code = checkPage(options, err)) return code;
    // The program is written by the caller, which needs to know whether that worked.
    Settings withoutCode = settings;
    withoutCode.view.showGcode = false;
    std::optional<TerminalProgress> terminal;
    if (progress) terminal.emplace(err, sink, settings.optimize);
    const OpenResult opened =
        openDrawing(document, path, withoutCode, nullptr, terminal ? terminal->sink() : sink,
                    options.page.value_or(1));
    terminal.reset();
    switch (opened) {
        case OpenResult::Done:
            return kExitOk;
        case OpenResult::StepFailed:
            return fail(err, kExitDrawing, "the automatic optimisation of '" + path + "' failed");
        case OpenResult::Emptied:
            return fail(err, kExitDrawing,
                        "nothing of '" + path + "' can be converted: " +
                            emptiedText(document.emptiedBy()) + " Try --no-auto-optimize.");
        default:
            break;
    }
    const std::vector<ImportNote> notes = lastImportNotes();
    fail(
        err, kExitDrawing,
        "cannot read drawing '" + path + "': " + reasonText(whyNothingImported(path, notes), path));
    if (!notes.empty()) std::fputs(importDiagnosticsText().c_str(), err);
    return kExitDrawing;
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

void printTravel(std::FILE* out, double asDrawn, double optimised) {
    std::fprintf(out, "tool-up travel: %s as drawn, %s after optimisation", shown(asDrawn).c_str(),
                 shown(optimised).c_str());
    if (asDrawn > 0)
        std::fprintf(out, " (%s %% less)",
                     fixedText(100.0 * (asDrawn - optimised) / asDrawn, 1).c_str());
}

// What the presets' cutting options could not do, one line each; nothing while none is on.
void printCutNotes(std::FILE* out, const CutPaths& cuts) {
    if (!cuts.paths && !cuts.notes.offsetFailed) return;
    const CutNotes& n = cuts.notes;
    std::fprintf(out,
                 "cutting:        %d shapes left unoffset, %d leads dropped, %d leads shortened\n",
                 n.unoffset, n.leadsDropped, n.leadsShortened);
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
    if (const int code = readDrawing(document, options, settings, sink, err, options.progress))
        return code;
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

// The estimated job time of the drawing cut in the default order, for comparing another sort
// with; none when that run fails.
std::optional<double> defaultOrderSeconds(const Options& options, const Settings& settings,
                                          std::FILE* err) {
    Settings asDrawn = settings;
    asDrawn.optimize = withoutSteps(settings.optimize);
    StderrSink quiet(err, true);
    Document document;
    if (readDrawing(document, options, asDrawn, quiet, err) != kExitOk) return {};
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
    if (const int code = readDrawing(document, options, asDrawn, sink, err)) return code;
    const int declaredUnit = VarnixCad3_GetBeforeUnit();
    const std::string diagnostics = importDiagnosticsText();
    const double travelBefore = measureDrawing(document.drawing(), settings.process.machine).travel;
    Text emptiedBy = Text::StepTiny;
    if (!runAutoOptimize(document.drawingAddress(), settings.optimize, sink, &emptiedBy))
        return fail(err, kExitDrawing,
                    "the automatic optimisation of '" + options.drawing + "' failed");
    const DrawingFigures f = measureDrawing(document.drawing(), settings.process.machine);
    const bool emptied = !document.drawing();

    const double scale = importScale(options.drawing, settings.optimize.autoUnits, declaredUnit);
    std::fprintf(out, "drawing:        %s\n", options.drawing.c_str());
    const int unit = coordinateUnit(options.drawing, declaredUnit);
    std::fprintf(out, "declared unit:  %s%s\n", std::string(unitName(unit)).c_str(),
                 scale != 1.0 ? " (converted to millimetres)" : "");
    if (const int pages = drawingPages(options.drawing); pages > 1)
        std::fprintf(out, "page:           %d of %d\n", options.page.value_or(1), pages);
    std::fprintf(out, "groups:         %d\n", f.groups);
    std::fprintf(out, "vects:          %d (%d segments)\n", f.vects, f.segs);
    if (f.hasExtent)
        std::fprintf(out, "extent:         x %s to %s, y %s to %s (%s by %s)\n", shown(f.x).c_str(),
                     shown(f.x + f.width).c_str(), shown(f.y).c_str(),
                     shown(f.y + f.height).c_str(), shown(f.width).c_str(),
                     shown(f.height).c_str());
    std::fprintf(out, "cut length:     %s\n", shown(f.cutLength).c_str());
    // A drawing the clean-up emptied has nothing to travel to, whatever its shapes asked for.
    if (emptied)
        std::fprintf(out, "tool-up travel: %s (nothing is left to cut)\nemptied:        %s",
                     shown(0.0).c_str(), emptiedText(emptiedBy).c_str());
    else
        printTravel(out, travelBefore, f.travel);
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
    const MachineParameters& machine = settings.process.machine;
    const std::string program =
        machine.codeType == 0
            ? std::string("Basic")
            : "G-code, profile " + std::string(outputProfile(machine.outputProfile).name);
    std::fprintf(out, "program:        %s\n", program.c_str());
    printCutNotes(out,
                  buildCutPaths(document.drawing(), writableSettings(settings.process).presets));
    std::fputs(diagnostics.c_str(), out);
    return kExitOk;
}

int runPreview(const Options& options, const Settings& settings, std::FILE* out, std::FILE* err) {
    StderrSink sink(err, options.quiet);
    Document document;
    if (const int code = readDrawing(document, options, settings, sink, err, options.progress))
        return code;
    canvas::ViewTransform view;
    view.setArea(kPreviewWidth, kPreviewHeight);
    view.fit(canvas::drawingRange(document.drawing()));
    const ViewSettings& v = settings.view;
    const canvas::Layers layers{v.showClose,     v.showAbs,   v.showOrder, v.showStartPoint,
                                v.showDirection, v.showGrids, v.showDepth};
    const CutPaths cuts =
        buildCutPaths(document.drawing(), writableSettings(settings.process).presets, true);
    printCutNotes(err, cuts);
    const std::vector<int> depths =
        v.showDepth ? canvas::containmentDepths(document.drawing(), canvas::kDepthPrecision)
                    : std::vector<int>{};
    const canvas::Scene scene =
        canvas::buildScene(document.drawing(), view, layers, 1.0, &cuts, &depths);
    return writeOutput(options, canvas::sceneSvg(scene), out, err);
}

}  // namespace pathloom::cli
