// Where font files come from: the process-wide font settings (fonts folder, default and fallback
// TrueType files) and the lookup order that turns a font file name into a file to open. The
// system font folders are fontconfig's on Linux and the Windows font folder on Windows; when the
// default Chinese font is absent, the platform's CJK font stands in for it.
#pragma once

#include <string>
#include <string_view>

namespace lintrel::fonts {

struct FontSettings {
    std::string folder = "./fonts/";  // used as a prefix unchanged
    std::string defaultFile = "simsun.ttf";
    std::string fallbackFile = "simsun.ttc";
};

// The settings of the process, changed by the font exports.
FontSettings& fontSettings();

// The system font folders take part in every lookup unless turned off (tests of missing fonts
// turn them off to stand for a machine without fonts).
void setSystemFontSearch(bool on);

bool endsWithShx(std::string_view name);
bool isRegularFile(const std::string& path);

// The TrueType file for the font file name `name` by the lookup order: the fonts folder, the
// system folders, then the default and the fallback file in both. Empty when none opens;
// `substituted` tells whether a default or fallback file stood in for `name`.
std::string findTrueTypeFile(std::string_view name, bool* substituted = nullptr);

// A system font whose family is `family` (any case), or empty.
std::string findFontFamily(std::string_view family);

// An SHX file: the fonts folder, then the system folders, then the name as given.
std::string findShxFile(std::string_view name);

}  // namespace lintrel::fonts
