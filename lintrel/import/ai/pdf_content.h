// Reading the path operators of a PDF page content stream (m l c v y h re, the painting
// operators, gray, CMYK and RGB colours, cm, q and Q) into Illustrator paths, for PDF-based
// AI files that carry no readable native data.
#pragma once

#include <string_view>

#include "import/ai/ai_paths.h"

namespace lintrel::ai {

// What the content holds but is not drawn is noted in `diagnostics`.
void readPageContent(std::string_view content, PathBuilder& paths, ImportDiagnostics& diagnostics);

}  // namespace lintrel::ai
