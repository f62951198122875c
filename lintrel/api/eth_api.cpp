// The controller connection export: opens a connection through the varnix library under two
// names that hosts use interchangeably.
#include <lintrel/lintrel.h>
#include <varnix/varnix.h>

#include "api/guarded_call.h"

using namespace lintrel;

extern "C" {

LINTREL_API int Lintrel_OpenEth(const char* ipAddress, void** handle) {
    return guardedCode([&]() -> int {
        if (ipAddress == nullptr || handle == nullptr) return LINTREL_CONNECT_FAILED;
        // The slot is written only on success: a failed connect keeps the caller's previous handle.
        VXC_HANDLE opened = nullptr;
        if (VXC_OpenEth(ipAddress, &opened) != VXC_OK) return LINTREL_CONNECT_FAILED;
        *handle = opened;
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_OpenEth(const char* ipAddress, void** handle) {
    return guardedCode([&] { return Lintrel_OpenEth(ipAddress, handle); });
}

}  // extern "C"
