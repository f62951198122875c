// VxAi: reader of Adobe Illustrator files (the library's reader classes carry the prefix Vx). The
// native form is PostScript-like text, one operator per line after its operands; newer files are
// PDF containers that carry that text as private data (often compressed), or else only a page
// content stream. Paths become polyline and Bezier vects grouped by colour, in the file's own
// coordinates; the document unit is reported as the frame's source unit.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>

#include "import/import_context.h"

namespace lintrel {

namespace ai {
class PathBuilder;
}

class VxAi {
  public:
    // The groups of an Illustrator file's bytes, a group's number being its colour index (null
    // when it draws nothing); what was skipped is noted in `diagnostics`.
    VectGroup* read(std::string_view bytes, ImportDiagnostics& diagnostics);
    // Reads native Illustrator text into `paths`.
    static void parseText(std::string_view text, ai::PathBuilder& paths,
                          ImportDiagnostics& diagnostics);
    // Applies the document unit of metadata text (lines holding "<stDim:unit>…</stDim:unit>").
    static void readUnit(std::string_view text);
};

// The groups of an Illustrator file, numbered by colour index from 1.
VectGroup* readAi(std::string_view bytes, ImportContext& context);

}  // namespace lintrel
