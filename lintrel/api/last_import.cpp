// The one published list of the last import's diagnostics. Hosts may import on one thread and
// read diagnostics on another, so the list is swapped and copied under a lock.
#include "api/last_import.h"

#include <mutex>
#include <utility>

namespace lintrel {

namespace {

std::mutex lastLock;
ImportDiagnostics& lastList() {
    static ImportDiagnostics last;
    return last;
}

}  // namespace

void publishLastImport(ImportDiagnostics&& diagnostics) noexcept {
    const std::lock_guard<std::mutex> hold(lastLock);
    std::swap(lastList(), diagnostics);
}

std::vector<Diagnostic> lastImportDiagnostics() {
    const std::lock_guard<std::mutex> hold(lastLock);
    const auto items = lastList().items();
    return {items.begin(), items.end()};
}

}  // namespace lintrel
