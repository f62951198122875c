// The diagnostics of the last import, kept for the extension exports that return them. Each
// import fills a list of its own; the exports publish it here once the import is over, so the
// published list always describes exactly one whole import.
#pragma once

#include <vector>

#include "base/diagnostics.h"

namespace lintrel {

// Makes `diagnostics` the last import's, replacing what an earlier import published.
void publishLastImport(ImportDiagnostics&& diagnostics) noexcept;
// A copy of the last import's diagnostics, in order of first occurrence.
std::vector<Diagnostic> lastImportDiagnostics();

// Runs an import with a list of its own and publishes the list when the import is over,
// whether it succeeded, failed or threw.
template <class Import>
auto importPublishing(Import&& import) {
    struct Publisher {
        ImportDiagnostics diagnostics;
        ~Publisher() { publishLastImport(std::move(diagnostics)); }
    } publisher;
    return import(publisher.diagnostics);
}

}  // namespace lintrel
