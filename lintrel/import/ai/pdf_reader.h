// PDF-based Illustrator files: the native text sits in the container as private data (plain,
// or compressed after a "%AI12_CompressedData" mark, possibly over several streams); without
// it the page content is read instead.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>

#include "base/diagnostics.h"
#include "import/ai/pdf_container.h"

namespace lintrel::ai {

enum class PdfSource { kNothing, kPrivateData, kPageContent };

// The groups of a PDF-based AI file (null when nothing could be read), its flaws noted in
// `diagnostics`; `source` tells which part of the container they came from. At most
// `inflateBudget` bytes are decompressed.
VectGroup* readPdfContainer(std::string_view bytes, ImportDiagnostics& diagnostics,
                            PdfSource* source = nullptr,
                            size_t inflateBudget = pdf::kInflateBudget);

}  // namespace lintrel::ai
