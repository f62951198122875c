// What one import hands to its reader: its own diagnostics and the options that shape the
// result. Every reader has the same shape,
//     VectGroup* readFormat(std::string_view bytes, ImportContext& context);
// taking the whole file's bytes (read once, by the dispatcher) and noting what it repaired or
// skipped in the context's diagnostics, never in process-wide state.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>

#include "base/diagnostics.h"

namespace lintrel {

// Bit 1 of the import options: the boundary paths of DXF hatches become closed outlines in the
// hatch's colour (the fill is never drawn). Bit 0, kKeepCurves, is the dispatcher's (reader.h).
inline constexpr int kHatchOutlines = LINTREL_IMPORT_HATCH_OUTLINES;

struct ImportContext {
    ImportDiagnostics& diagnostics;
    int importOptions = 0;     // kKeepCurves (reader.h), kHatchOutlines
    double precision = 0.05;   // chord tolerance in millimetres, already clamped
    double pltUnits = 1016.0;  // plotter units per inch, for HPGL files
    int page = 1;              // the page of a drawing of several pages (PDF), from 1
};

// The page (from 1) that import options choose.
inline int pageOfOptions(int importOptions) {
    return ((importOptions & LINTREL_IMPORT_PAGE_MASK) >> LINTREL_IMPORT_PAGE_SHIFT) + 1;
}

// A reader of one format.
using ReadFormat = VectGroup* (*)(std::string_view bytes, ImportContext& context);

}  // namespace lintrel
