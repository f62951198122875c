// The SVG reader: an SVG document, or an SVGZ one (gzip), into colour groups in millimetres with
// y pointing up and the page's lower-left corner at the origin.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>

#include "import/import_context.h"

namespace lintrel {

// Null when nothing was drawn; why is in the context's diagnostics.
VectGroup* readSvg(std::string_view bytes, ImportContext& context);

}  // namespace lintrel
