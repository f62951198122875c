// The one drawing the program works on: its life from reset through import, automatic
// optimisation, unit conversion and process parameters, and the export of its program text.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <lintrel/lintrel.h>

#include "core/document/auto_optimize.h"
#include "core/document/status_sink.h"
#include "core/text/texts.h"

namespace pathloom {

enum class ViewMode { Select = 1, Split = 2, StartPoint = 3, Dialog = 4, Simulation = 5 };

enum class OpenResult {
    Done,        // imported, optimised and parameterised
    NoDrawing,   // the file could not be read or held nothing
    StepFailed,  // an automatic step failed; its message was shown
    Emptied,     // read, but the automatic clean-up left nothing
    Busy,        // a simulation is running
};

class Document {
  public:
    Document() = default;
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    VectGroup* drawing() const { return drawing_; }
    VectGroup** drawingAddress() { return &drawing_; }
    // Takes ownership of a drawing built elsewhere, freeing the current one.
    void adopt(VectGroup* drawing);
    // Hands the drawing over to the caller without freeing it; the document has none afterwards.
    VectGroup* release() { return std::exchange(drawing_, nullptr); }

    ViewMode mode() const { return mode_; }
    void setMode(ViewMode mode) { mode_ = mode; }
    // A simulation runs, or the automatic optimisation works on a copy of the drawing: the
    // drawing must not change meanwhile.
    bool busy() const { return mode_ == ViewMode::Simulation || optimising_; }
    bool optimising() const { return optimising_; }
    void setOptimising(bool on) { optimising_ = on; }
    bool allowReverse() const { return allowReverse_; }
    void toggleAllowReverse() { allowReverse_ = !allowReverse_; }

    // The program text and its line map (two line indices per vect) are replaced together, so
    // the map never describes another text than the one held.
    const std::string& code() const { return code_; }
    const std::vector<int>& lineMap() const { return lineMap_; }
    void setCode(std::string code, std::vector<int> lineMap = {}) {
        code_ = std::move(code);
        lineMap_ = std::move(lineMap);
    }

    // Frees the drawing, empties the program text, returns to selection mode. `onReset` lets the
    // canvas reset its own state.
    void reset();
    std::function<void()> onReset;

    // Import, closed flags, unit conversion and the automatic steps, then the new drawing takes
    // the place of the open one. When the file gives nothing (NoDrawing, Emptied) the open
    // drawing and its program stay. Process parameters and regeneration are the caller's next
    // steps when this returns Done. `page` (from 1) chooses the page of a drawing of several
    // pages (PDF). With `previous` given, the drawing the new one replaces is handed over there
    // instead of being freed (null when there was none, untouched when nothing replaced it).
    OpenResult open(std::string_view path, const AutoOptimizeSettings& settings, StatusSink& sink,
                    int page = 1, VectGroup** previous = nullptr);
    // The automatic step that removed the last shape of the drawing the last open emptied.
    Text emptiedBy() const { return emptiedBy_; }
    // The file name of the open drawing, without its folder; empty when none is open.
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Writes the program text to `path` unchanged, through a temporary file renamed into place so
    // that a failed write never leaves a truncated program. Returns an empty string or the reason.
    std::string exportProgram(std::string_view path) const;

  private:
    VectGroup* drawing_ = nullptr;
    ViewMode mode_ = ViewMode::Select;
    bool optimising_ = false;
    bool allowReverse_ = false;
    std::string code_;
    std::vector<int> lineMap_;
    Text emptiedBy_ = Text::StepTiny;
    std::string name_;
};

// The pages of a drawing file: a PDF's page count, 1 for a file of any other kind the import
// reads; 0 when it cannot be told (an unreadable file, a PDF without pages).
int drawingPages(std::string_view path);

// Unit conversion of a freshly imported drawing: the factor to millimetres of its coordinate
// unit (points for AI, the declared unit for DXF) when `autoUnits` is set and the file is a DXF
// or AI drawing; 1 otherwise.
double importScale(std::string_view path, bool autoUnits, int declaredUnit);

}  // namespace pathloom
