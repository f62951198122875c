// One run of the converter: settings, the drawing through the document pipeline, and the
// program, with every failure turned into a message naming the file and an exit code.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/options.h"
#include "core/settings/settings.h"

namespace pathloom::cli {

// Settings from the file the options name (or the program's own settings file), with the
// --set overrides and --language applied. On failure `error` says why and `code` is the exit code.
struct LoadedSettings {
    Settings settings;
    std::string error;
    int code = kExitOk;
    std::vector<std::string> warnings;  // values of the settings file replaced by defaults
};
LoadedSettings loadCliSettings(const Options& options, const std::string& programFolder);

int runConvert(const Options& options, const Settings& settings, std::FILE* out, std::FILE* err);
int runInfo(const Options& options, const Settings& settings, std::FILE* out, std::FILE* err);
// The canvas picture of the drawing, 1600 by 1000 pixels, as SVG.
int runPreview(const Options& options, const Settings& settings, std::FILE* out, std::FILE* err);

}  // namespace pathloom::cli
