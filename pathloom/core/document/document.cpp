// The document pipeline: reset, import, closed flags, units and the automatic steps, and the
// export of the program text.
#include "core/document/document.h"

#include <lintrel/lintrel.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/document/units.h"
#include "core/settings/profile_file.h"
#include "core/text/texts.h"

namespace pathloom {

namespace {

// The import flattens ellipses at once, so the drawing it returns cannot tell whether it had
// any; the file can: an ELLIPSE entity name on a line of its own.
bool fileHoldsEllipse(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const size_t begin = line.find_first_not_of(" \t");
        const size_t end = line.find_last_not_of(" \t\r");
        if (begin != std::string::npos && line.compare(begin, end + 1 - begin, "ELLIPSE") == 0)
            return true;
    }
    return false;
}

}  // namespace

Document::~Document() {
    if (drawing_) VarnixCad3_DeleteChain(drawing_);
}

void Document::adopt(VectGroup* drawing) {
    if (drawing_ && drawing_ != drawing) VarnixCad3_DeleteChain(drawing_);
    drawing_ = drawing;
}

void Document::reset() {
    adopt(nullptr);
    code_.clear();
    lineMap_.clear();
    name_.clear();
    if (onReset) onReset();
    mode_ = ViewMode::Select;
}

int drawingPages(std::string_view path) {
    int pages = 0;
    const std::string file(path);
    return VarnixCad3_GetPageCount(file.c_str(), &pages) == LINTREL_OK ? pages : 0;
}

double importScale(std::string_view path, bool autoUnits, int declaredUnit) {
    if (!autoUnits) return 1.0;
    if (!hasExtension(path, "dxf") && !hasExtension(path, "ai")) return 1.0;
    return millimetresPerUnit(coordinateUnit(path, declaredUnit)).value_or(1.0);
}

OpenResult Document::open(std::string_view path, const AutoOptimizeSettings& settings,
                          StatusSink& sink, int page, VectGroup** previous) {
    if (busy()) return OpenResult::Busy;
    sink.status(text(Text::Processing));
    const std::string file(path);
    const double pltUnits = settings.autoUnits ? settings.pltUnits : 1016.0;
    const double precision = settings.smoothingAccuracy;
    const int options =
        LINTREL_IMPORT_KEEP_CURVES | (settings.hatchOutlines ? LINTREL_IMPORT_HATCH_OUTLINES : 0) |
        ((std::max(page, 1) - 1) << LINTREL_IMPORT_PAGE_SHIFT & LINTREL_IMPORT_PAGE_MASK);
    // The library keeps the unit of the last drawing that declared one; a drawing that declares
    // none must not be scaled by the unit of the drawing opened before it.
    VarnixCad3_SetBeforeUnit(LINTREL_UNIT_MILLIMETRE);
    // The open drawing stays until the new one has come through: a file that gives nothing must
    // not cost the operator the drawing on the screen.
    lintrel::ChainOwner<VectGroup> opened(
        VarnixCad3_ImportVectGraph(file.c_str(), pltUnits, options, precision, 0));
    if (!opened.get()) return OpenResult::NoDrawing;

    // The drawing goes to millimetres before anything measures it: the clean-up limits, the
    // merge tolerance, the sort grid and the curve precision are all millimetres. Ellipses are
    // flattened by the reader, so a drawing that has them is read again at the precision that
    // gives the same deviation once scaled.
    const double scale = importScale(path, settings.autoUnits, VarnixCad3_GetBeforeUnit());
    if (scale != 1.0 && fileHoldsEllipse(file)) {
        if (VectGroup* again =
                VarnixCad3_ImportVectGraph(file.c_str(), pltUnits, options, precision / scale, 0))
            opened.reset(again);
    }
    Lintrel_IfCloseVect(opened.get(), 0);
    if (scale != 1.0) scaleDrawing(opened.get(), scale);

    const bool stepsRan = runAutoOptimize(&opened.head(), settings, sink, &emptiedBy_);
    if (stepsRan && !opened.get()) return OpenResult::Emptied;
    if (previous) *previous = release();
    reset();
    drawing_ = opened.release();
    name_ = std::filesystem::path(file).filename().string();
    return stepsRan ? OpenResult::Done : OpenResult::StepFailed;
}

std::string Document::exportProgram(std::string_view path) const {
    if (busy()) return "a simulation is running";
    const std::string target(path);
    if (writeFileSafely(target, code_)) return {};
    return "cannot write " + target + ": " + std::strerror(errno);
}

}  // namespace pathloom
