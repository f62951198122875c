// The boundary paths of a HATCH as closed outlines: polyline paths and edge paths (lines,
// circular and elliptic arcs, splines) walked into point rows in the hatch's own coordinates.
#pragma once

#include <vector>

#include "import/dxf/dxf_document.h"

namespace lintrel::dxf {

// One closed row of points per boundary path, the first point repeated at the end. Arcs,
// ellipses and splines are sampled finely enough to stay within `precision` of the curve.
std::vector<std::vector<DxfVertex>> hatchBoundaries(const DxfDocument& doc,
                                                    const DxfRawEntity& hatch, double precision);

}  // namespace lintrel::dxf
