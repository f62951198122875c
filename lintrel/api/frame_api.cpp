// Exports of the library frame: last error, source unit, version, and the two entry points
// that were never provided.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "model/frame.h"

using namespace lintrel;

extern "C" {

LINTREL_API int VarnixCad3_GetLastError(void) {
    return guardedCode([] { return frame::lastError(); });
}
LINTREL_API int VarnixCad3_GetBeforeUnit(void) {
    return guardedCode([] { return frame::sourceUnit(); });
}
LINTREL_API int VarnixCad3_SetBeforeUnit(int unitCode) {
    return guardedCode([&] {
        if (unitCode < LINTREL_UNIT_MILLIMETRE || unitCode > LINTREL_UNIT_PICA)
            return LINTREL_BAD_ARGUMENT;
        frame::setSourceUnit(unitCode);
        return LINTREL_OK;
    });
}
LINTREL_API char* Lintrel_GetVerSionInfo(void) {
    return guardedCall<char*>(nullptr, [] { return frame::versionText(); });
}
LINTREL_API int VarnixCad3_OptimizePath(void*) {
    return guardedCode([] { return LINTREL_NOT_AVAILABLE; });
}
LINTREL_API int VarnixCad3_SmoothPath(void*) {
    return guardedCode([] { return LINTREL_NOT_AVAILABLE; });
}

}  // extern "C"
