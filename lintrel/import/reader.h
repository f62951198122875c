// VxCadReader: the import entry of the library. Chooses the reader by the file name's
// extension, then numbers and colours the groups, flattens curves as the options ask and
// optionally moves the drawing to the origin.
#pragma once

#include <lintrel/lintrel.h>

#include <string>
#include <string_view>

namespace lintrel {

// Bit 0 of the import options: keep arcs, splines, Bezier curves and text as curves.
inline constexpr int kKeepCurves = 1;

class VxCadReader {
  public:
    VectGroup* importFile(const char* fileName, double pltUnits, int importOptions,
                          double precision, bool moveToOrigin);

  private:
    VectGroup* readDxf(const char* fileName, int importOptions, double precision);
    VectGroup* readDst(const char* fileName);
    VectGroup* readAi(const char* fileName);
    VectGroup* readPlt(const char* fileName, double pltUnits, double precision);
};

// The extension of a file name as the dispatcher compares it: the text after the last ".",
// lower-cased (the whole name when there is no ".").
std::string importExtension(std::string_view fileName);
// True for the extensions read as HPGL plotter files: "plt", "hpgl", "hpg" and "hgl".
bool isPlotterExtension(std::string_view ext);

}  // namespace lintrel
