// The controller session's calls bound to the controller library and the library's connect
// export.
#include <lintrel/lintrel.h>
#include <varnix/varnix.h>

#include "core/controller/controller_session.h"

namespace pathloom {

VxcCalls varnixCalls() {
    VxcCalls calls;
    calls.openEth = [](const char* address, void** handle) {
        return Lintrel_OpenEth(address, handle);
    };
    calls.close = [](void* handle) { return VXC_Close(handle); };
    calls.getState = [](void* handle, unsigned char* state) { return VXC_GetState(handle, state); };
    calls.getAxises = [](void* handle) { return VXC_GetAxises(handle); };
    calls.directCommand = [](void* handle, const char* command, char* reply, unsigned size) {
        return VXC_DirectCommand(handle, command, reply, size);
    };
    calls.downMem3File = [](void* handle, const char* text, unsigned length, const char* name) {
        return VXC_DownMem3File(handle, text, length, name);
    };
    calls.searchEth = [](char* buffer, unsigned size, unsigned timeoutMs) {
        return VXC_SearchEth(buffer, size, timeoutMs);
    };
    calls.getMaxPciCards = [] { return VXC_GetMaxPciCards(); };
    return calls;
}

}  // namespace pathloom
