// Conversion of a read DXF document into vect groups keyed by colour index, in ascending order
// of the index, with the UCS origin move applied.
#pragma once

#include <lintrel/lintrel.h>

#include "import/dxf/dxf_document.h"

namespace lintrel::dxf {

struct ConvertFlaws;

// Returns the group chain (null when nothing was converted); the caller owns it. `precision`
// bounds the deviation of curves that have to be approximated by cubic pieces; `flaws`, when
// given, receives what the conversion skipped.
VectGroup* convertDocument(const DxfDocument& doc, double precision, ConvertFlaws* flaws = nullptr);

}  // namespace lintrel::dxf
