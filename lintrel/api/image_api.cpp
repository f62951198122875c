// Export of the raster image import: a bitmap file into a new lone image item.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "api/last_import.h"
#include "image/raster.h"

using namespace lintrel;

extern "C" {

LINTREL_API Image* VarnixCad3_ImportImage(const char* fileName, int flags) {
    return guardedCall<Image*>(nullptr, [&] {
        return importPublishing([&](ImportDiagnostics& diagnostics) {
            return importImageFile(fileName, flags, diagnostics);
        });
    });
}

}  // extern "C"
