// VxCadReader: the import entry of the library. Reads the file once, hands its bytes to the
// reader of its extension (every reader has the shape of import_context.h), then flattens
// curves as the options ask and optionally moves the drawing to the origin.
#pragma once

#include <lintrel/lintrel.h>

#include <string>
#include <string_view>

#include "base/diagnostics.h"

namespace lintrel {

// Bit 0 of the import options: keep arcs, splines, Bezier curves and text as curves.
inline constexpr int kKeepCurves = 1;

class VxCadReader {
  public:
    // The drawing of a file (null when nothing was read); what its reader repaired or skipped
    // is noted in `diagnostics`, which belong to this import alone.
    VectGroup* importFile(const char* fileName, double pltUnits, int importOptions,
                          double precision, bool moveToOrigin, ImportDiagnostics& diagnostics);
};

// The number of pages of a drawing file (see VarnixCad3_GetPageCount): its result code, the
// count in `count`.
int pageCount(const char* fileName, int& count);

// The extension of a file name as the dispatcher compares it: the text after the last ".",
// lower-cased (the whole name when there is no ".").
std::string importExtension(std::string_view fileName);
// True for the extensions read as HPGL plotter files: "plt", "hpgl", "hpg" and "hgl".
bool isPlotterExtension(std::string_view ext);

}  // namespace lintrel
