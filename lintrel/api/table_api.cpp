// Exports of the motion table: a group chain written as a table of doubles, and a table loaded
// into a new group chain.
#include <lintrel/lintrel.h>

#include <climits>

#include "api/guarded_call.h"
#include "editing/motion_table.h"
#include "model/frame.h"
#include "model/items.h"

using namespace lintrel;

extern "C" {

LINTREL_API int Lintrel_ExportTable(VectGroup* first, double* table, int* count) {
    return guardedCall(int{LINTREL_BAD_ARGUMENT}, [&] {
        if (!first || !count || baseTypeOf(first) != LINTREL_BASE_GROUP)
            return int{LINTREL_BAD_ARGUMENT};
        const size_t elements = exportTable(first, table);
        // A count beyond the int the host receives it in cannot be asked for.
        if (elements > INT_MAX) return int{LINTREL_BAD_ARGUMENT};
        *count = static_cast<int>(elements);
        return int{LINTREL_OK};
    });
}

LINTREL_API VectGroup* Lintrel_LoadTable(const double* table, unsigned int length) {
    VectGroup* chain = guardedCall<VectGroup*>(nullptr, [&]() -> VectGroup* {
        if (!table || length <= 1) return nullptr;
        return loadTable({table, length});
    });
    if (!chain) frame::setLastError(LINTREL_BAD_ARGUMENT);
    return chain;
}

}  // extern "C"
