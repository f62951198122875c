// PDF drawings: the path operators of one page, in millimetres with y up, grouped by colour.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>
#include <vector>

#include "import/import_context.h"

namespace lintrel {

// The drawing of the context's page (null when nothing was drawn); what was not drawn is noted in
// the context's diagnostics.
VectGroup* readPdf(std::string_view bytes, ImportContext& context);

namespace pdf {
// Page `page` (from 1) of the file; a page that is not there reads the first and says so.
VectGroup* readPdfPage(std::string_view bytes, int page, ImportDiagnostics& diagnostics);
// The number of pages the page tree holds (0 when no page is found); no content is decoded.
int countPdfPages(std::string_view bytes);

// The boxes of a page as the reader takes them, inherited through the tree: media box and crop
// box (empty when neither the page nor an ancestor gives one) and the rotation in degrees.
struct PageBoxes {
    std::vector<double> media, crop;
    double rotate = 0;
};
// False when the file has no page `page` (from 1).
bool pdfPageBoxes(std::string_view bytes, int page, PageBoxes& boxes);
}  // namespace pdf

}  // namespace lintrel
