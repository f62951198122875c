// Export of the per-thread progress callback.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "base/progress.h"

using namespace lintrel;

extern "C" {

LINTREL_API int Lintrel_SetProgressCallback(LintrelProgressCallback callback, void* context) {
    setProgressCallback(callback, context);
    return LINTREL_OK;
}

}  // extern "C"
