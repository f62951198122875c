// Conversion of a read DXF document into vect groups keyed by colour index, in ascending order
// of the index, with the UCS origin move applied.
#pragma once

#include <lintrel/lintrel.h>

#include "import/dxf/dxf_document.h"

namespace lintrel::dxf {

// Returns the group chain (null when nothing was converted); the caller owns it.
VectGroup* convertDocument(const DxfDocument& doc);

}  // namespace lintrel::dxf
