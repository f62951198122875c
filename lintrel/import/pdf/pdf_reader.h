// PDF drawings: the path operators of one page, in millimetres with y up, grouped by colour.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>

#include "import/import_context.h"

namespace lintrel {

// The first page's drawing (null when nothing was drawn); what was not drawn is noted in the
// context's diagnostics.
VectGroup* readPdf(std::string_view bytes, ImportContext& context);

namespace pdf {
// Page `page` (from 1) of the file; a page that is not there reads the first and says so.
VectGroup* readPdfPage(std::string_view bytes, int page, ImportDiagnostics& diagnostics);
}  // namespace pdf

}  // namespace lintrel
