// VxPlt: reader of HPGL plotter files (PLT); the library's reader classes carry the prefix Vx.
// Every pen-down stroke becomes a polyline; strokes are grouped by pen. readPlt then scales
// plotter units to millimetres and colours and numbers the groups by pen.
#pragma once

#include <lintrel/lintrel.h>

#include <cstdint>
#include <string_view>

#include "import/import_context.h"

namespace lintrel {

class VxPlt {
  public:
    // Reads a plotter file's bytes into groups in plotter units (null when it draws nothing);
    // circles and arcs are flattened to `precision` plotter units.
    VectGroup* read(std::string_view bytes, double precision, ImportDiagnostics& diagnostics);
    // Converts plotter units to millimetres: 25.4 / `pltUnits` per unit.
    void scale(VectGroup* groups, double pltUnits) const;

  private:
    double xOffset_ = 0, yOffset_ = 0;  // added to every scaled coordinate
};

// Colour of a pen number (0x00BBGGRR): pens 2 to 8 have their own, every other pen is black.
uint32_t penColour(int pen);
// Colours every group by its pen and gives groups of one colour one shared number, counted
// from 1 in the order the colours first appear.
void colourPenGroups(VectGroup* groups);
// Plotter units per inch when the caller's value is unusable.
inline constexpr double kDefaultPltUnits = 1016.0;

// The groups of a plotter file in millimetres, by the context's plotter units per inch.
VectGroup* readPlt(std::string_view bytes, ImportContext& context);

}  // namespace lintrel
