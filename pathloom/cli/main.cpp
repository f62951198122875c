// pathloom-cli: turns a drawing into a machine program without a window, exactly as the desktop
// program would, or summarises it.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include <lintrel/lintrel.h>

#include "cli/options.h"
#include "cli/session.h"
#include "core/settings/profile_file.h"

namespace {

// The folder of the running program, where its settings file lives when it is writable.
std::string programFolder(const char* argv0) {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n > 0) return pathloom::folderOf(std::string(path, static_cast<size_t>(n)));
    return pathloom::folderOf(argv0);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace pathloom::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParseResult parsed = parseOptions(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "pathloom-cli: %s\nTry 'pathloom-cli --help'.\n",
                     parsed.error.c_str());
        return kExitUsage;
    }
    Options options = parsed.options;
    // A terminal watching the run sees the progress inside a step; scripts see the status lines.
    if (!options.quiet && isatty(fileno(stderr))) options.progress = true;
    switch (options.command) {
        case Command::Help:
            std::fputs(kHelpText, stdout);
            return kExitOk;
        case Command::Version:
            std::printf("pathloom-cli, Lintrel %s\n", Lintrel_GetVerSionInfo());
            return kExitOk;
        default:
            break;
    }
    const LoadedSettings loaded = loadCliSettings(options, programFolder(argv[0]));
    if (!loaded.error.empty()) {
        std::fprintf(stderr, "pathloom-cli: %s\n", loaded.error.c_str());
        return loaded.code;
    }
    for (const std::string& warning : loaded.warnings)
        std::fprintf(stderr, "pathloom-cli: warning: %s\n", warning.c_str());
    if (options.command == Command::Info) return runInfo(options, loaded.settings, stdout, stderr);
    if (options.command == Command::Preview)
        return runPreview(options, loaded.settings, stdout, stderr);
    return runConvert(options, loaded.settings, stdout, stderr);
}
