// The result of writing a machine program: its text, the line map that ties each vect to its
// lines, and the outcome. Both program writers and the dispatcher by code type live here.
#pragma once

#include <string>
#include <vector>

#include <lintrel/lintrel.h>

#include "core/codegen/cut_paths.h"
#include "core/controller/controller_link.h"
#include "core/presets/process.h"

namespace pathloom {

struct Program {
    std::string text;  // every line ends with CR LF
    // Two entries per vect in output order (through all groups): the 0-based index of its first
    // line and of its last line. A vect that wrote no line has last = first - 1.
    std::vector<int> lineMap;
};

enum class WriteStatus {
    Ok,
    FlattenFailed,  // a curve could not be flattened; `code` holds the library's code
    Unsupported,    // the first group's axes have no generator in this language
};

struct WriteResult {
    WriteStatus status = WriteStatus::Ok;
    int code = 0;
    Program program;    // empty unless status is Ok
    CutNotes cutNotes;  // what the presets' cutting options could not do (writeProgram)
};

// What a program's header and footer templates may name besides the drawing's own figures.
struct ProgramInfo {
    std::string drawingName;
    std::string date;  // YYYY-MM-DD
};

// A failed run shows Text::GenerateFailed with the library's code, or Text::Unsupported.

// Writers of the two languages. Both read the group chain in chain order and may give curve
// vects a flattened chain (`flatSegs`); nothing else of the drawing changes. `link` may be null
// (not connected): start positions are then 0. `cornerArcs` (optional) names runs of segs that
// are written as one arc each, where the language and the preset write arcs.
WriteResult writeGcode(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link,
                       const ProgramInfo& info = {}, const CornerArcs* cornerArcs = nullptr);
WriteResult writeBasic(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link,
                       const CornerArcs* cornerArcs = nullptr);
// The writer the setting "Show code type" selects: 0 Basic, anything else G-code. It writes the
// cut paths the groups' presets shape (core/codegen/cut_paths.h); the line map still has two
// entries per vect of the drawing.
WriteResult writeProgram(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link,
                         const ProgramInfo& info = {});

}  // namespace pathloom
