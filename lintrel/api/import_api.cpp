// Exports of the import family: a drawing file into a new group chain, or into the array chain,
// and the diagnostics of the last import.
#include <lintrel/lintrel.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "api/guarded_call.h"
#include "api/last_import.h"
#include "array/array_chain.h"
#include "import/reader.h"

using namespace lintrel;

extern "C" {

LINTREL_API VectGroup* VarnixCad3_ImportVectGraph(const char* fileName, double pltUnits,
                                                  int importOptions, double precision,
                                                  int moveToOrigin) {
    return guardedCall<VectGroup*>(nullptr, [&] {
        return importPublishing([&](ImportDiagnostics& diagnostics) {
            return VxCadReader().importFile(fileName, pltUnits, importOptions, precision,
                                            moveToOrigin != 0, diagnostics);
        });
    });
}

LINTREL_API int VarnixCadArray_ImportVectGraph(const char* fileName, double pltUnits,
                                               int importOptions, double precision) {
    // Always 0, as callers expect; a failed import leaves the array chain empty.
    guardedCall(0, [&] {
        return importPublishing([&](ImportDiagnostics& diagnostics) {
            importArrayChain(fileName, pltUnits, importOptions, precision, diagnostics);
            return 0;
        });
    });
    return LINTREL_OK;
}

LINTREL_API int VarnixCad3_GetPageCount(const char* fileName, int* count) {
    return guardedCode([&]() -> int {
        if (!count) return LINTREL_BAD_ARGUMENT;
        return pageCount(fileName, *count);
    });
}

LINTREL_API int VarnixCad3_GetImportDiagCount(void) {
    return guardedCall(-1, [] { return static_cast<int>(lastImportDiagnostics().size()); });
}

LINTREL_API int VarnixCad3_GetImportDiag(int index, int* code, int* count, char* text,
                                         int textSize) {
    return guardedCode([&]() -> int {
        const std::vector<Diagnostic> items = lastImportDiagnostics();
        if (index < 0 || static_cast<size_t>(index) >= items.size()) return LINTREL_BAD_ARGUMENT;
        const Diagnostic& d = items[static_cast<size_t>(index)];
        if (code) *code = d.code;
        if (count) *count = static_cast<int>(std::min<long>(d.count, INT_MAX));
        if (text && textSize > 0) {
            const size_t n = std::min(d.text.size(), static_cast<size_t>(textSize) - 1);
            std::memcpy(text, d.text.data(), n);
            text[n] = '\0';
        }
        return LINTREL_OK;
    });
}

}  // extern "C"
