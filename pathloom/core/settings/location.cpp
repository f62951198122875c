// Where the settings file lives, and saving it there. A program installed in a folder the user
// cannot write keeps the user's settings in the user's configuration folder instead of losing
// them at every exit.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace pathloom {
namespace {

// Tries to create a file: permission bits alone do not tell (read-only mounts, root, ACLs).
bool folderWritable(const std::string& folder) {
    std::string pattern = folder + "/.pathloom-probe-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(name.data());
    return true;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Creates the folder and its missing parents, private to the user.
bool makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

// The folders a package manager owns: a program installed there never writes beside itself,
// even when it runs as root and could, for the file would outlive the package.
bool systemFolder(const std::string& folder) {
    for (const char* prefix : {"/usr/", "/bin", "/sbin"}) {
        const std::string p(prefix);
        if (folder.compare(0, p.size(), p) == 0 &&
            (p.back() == '/' || folder.size() == p.size() || folder[p.size()] == '/'))
            return true;
    }
    return false;
}

}  // namespace

SettingsLocation settingsLocation(const std::string& programFolder, const char* configHome,
                                  const char* home) {
    const std::string programFile = programFolder + "/" + kSettingsFileName;
    if (!systemFolder(programFolder) && folderWritable(programFolder))
        return {programFile, programFile};
    std::string base;
    if (configHome && configHome[0] == '/')
        base = configHome;
    else if (home && home[0] == '/')
        base = std::string(home) + "/.config";
    else
        return {programFile, programFile};  // nowhere better to go
    const std::string userFile = base + "/pathloom/" + kSettingsFileName;
    return {exists(userFile) || !exists(programFile) ? userFile : programFile, userFile};
}

SettingsLocation settingsLocation(const std::string& programFolder) {
    return settingsLocation(programFolder, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

bool saveSettings(const Settings& settings, const std::string& path) {
    if (!makeFolders(folderOf(path))) return false;
    ProfileFile profile = ProfileFile::load(path);
    writeSettings(settings, profile);
    return profile.save(path);
}

}  // namespace pathloom
