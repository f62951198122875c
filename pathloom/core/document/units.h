// Drawing units: the factor from a unit a drawing file declares to millimetres, and the scaling
// of a whole drawing by it.
#pragma once

#include <optional>
#include <string_view>

#include <lintrel/lintrel.h>

namespace pathloom {

// Millimetres per drawing unit for the unit codes 8001 to 8012; nothing for unitless (8000) and
// unknown codes, which leave a drawing as it is.
std::optional<double> millimetresPerUnit(int unitCode);

// The unit a freshly imported drawing's coordinates are in. Illustrator writes every coordinate
// in points whatever ruler unit its document shows (the ruler unit only changes what its rulers
// display), so an AI drawing is in points; a PDF drawing comes in millimetres from its reader;
// any other drawing is in the unit its file declared.
int coordinateUnit(std::string_view path, int declaredUnit);

// A short English name of a unit code ("inches", "millimetres", "unitless"...).
std::string_view unitName(int unitCode);

// Multiplies x0, y0, x1 and y1 of every seg of both chains of every vect by `factor`; arc angles
// (z0, z1) stay.
void scaleDrawing(VectGroup* drawing, double factor);

// True when `path` ends in one of the extensions, compared without regard to case.
bool hasExtension(std::string_view path, std::string_view extension);

}  // namespace pathloom
