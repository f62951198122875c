// Exports of the font settings. Both only store texts; the text conversion of later imports
// reads them.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "fonts/font_files.h"

using namespace lintrel;

extern "C" {

LINTREL_API void VarnixCad3_SetFontsPath(const char* folder) {
    guardedCall(0, [&] {
        if (folder) fonts::fontSettings().folder = folder;
        return 0;
    });
}

LINTREL_API void VarnixCad3_SetDefaultFont(const char* ttfFile, const char* fallbackFile) {
    guardedCall(0, [&] {
        fonts::FontSettings& s = fonts::fontSettings();
        if (ttfFile) s.defaultFile = ttfFile;
        if (fallbackFile) s.fallbackFile = fallbackFile;
        return 0;
    });
}

}  // extern "C"
