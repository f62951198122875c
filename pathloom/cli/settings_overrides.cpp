// The converter's settings: the settings file, then each --set override placed into the section
// that holds its key. An override its key's rule refuses ends the run; a refused value of the
// file is a warning, and its default is used.
#include <unistd.h>

#include "cli/session.h"
#include "core/document/auto_optimize.h"

namespace pathloom::cli {

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

    for (const auto& [key, value] : options.settings) {
        const SettingEntry* entry = findSetting(key);
        if (!entry) {
            loaded.error = "unknown setting '" + key + "'";
            loaded.code = kExitUsage;
            return loaded;
        }
        if (entry->rule && !allowedValue(*entry->rule, value)) {
            loaded.error = refusalText(*entry->rule, value, entry->key);
            loaded.code = kExitUsage;
            return loaded;
        }
        profile.set(entry->section, key, value);
    }
    // The overrides were checked above, so whatever is refused here came from the file.
    std::vector<SettingProblem> problems;
    loaded.settings = readSettings(profile, &problems);
    for (const SettingProblem& problem : problems)
        loaded.warnings.push_back(path + ": " + problemText(problem));
    MachineParameters& machine = loaded.settings.process.machine;
    if (options.outputProfile) {
        machine.outputProfile = *options.outputProfile;
        machine.codeType = 1;  // a profile is a form of G-code
    }
    if (options.codeType) machine.codeType = *options.codeType;
    if (!options.autoOptimize) loaded.settings.optimize = withoutSteps(loaded.settings.optimize);
    return loaded;
}

}  // namespace pathloom::cli
