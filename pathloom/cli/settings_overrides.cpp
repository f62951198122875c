// The converter's settings: the settings file, then each --set override placed into the section
// that holds its key, read through the same rules as the file itself.
#include <unistd.h>

#include <array>

#include "cli/session.h"
#include "core/document/auto_optimize.h"

namespace pathloom::cli {

namespace {

constexpr std::array<const char*, 5> kSections = {"Auto connect", "Auto optimize",
                                                  "Process parameters", "Simulation", "View"};

// The section whose key this is, by the keys a complete settings file has.
const char* sectionOfKey(const ProfileFile& complete, const std::string& key) {
    for (const char* section : kSections) {
        if (complete.get(section, key)) return section;
    }
    return nullptr;
}

}  // namespace

LoadedSettings loadCliSettings(const Options& options, const std::string& programFolder) {
    LoadedSettings loaded;
    std::string path;
    if (options.settingsFile) {
        path = *options.settingsFile;
        if (::access(path.c_str(), R_OK) != 0) {
            loaded.error = "cannot read settings file '" + path + "'";
            loaded.code = kExitOutput;
            return loaded;
        }
    } else {
        path = settingsLocation(programFolder).readPath;
    }
    ProfileFile profile = ProfileFile::load(path);

    ProfileFile complete;
    writeSettings(Settings{}, complete);
    for (const auto& [key, value] : options.settings) {
        const char* section = sectionOfKey(complete, key);
        if (!section) {
            loaded.error = "unknown setting '" + key + "'";
            loaded.code = kExitUsage;
            return loaded;
        }
        profile.set(section, key, value);
    }
    loaded.settings = readSettings(profile);
    if (options.codeType) loaded.settings.process.machine.codeType = *options.codeType;
    if (!options.autoOptimize) loaded.settings.optimize = withoutSteps(loaded.settings.optimize);
    return loaded;
}

}  // namespace pathloom::cli
