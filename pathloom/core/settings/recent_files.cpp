// The recent drawings in the settings file.
#include "core/settings/recent_files.h"

#include <algorithm>

namespace pathloom {

namespace {

constexpr const char* kSection = "Recent drawings";

}  // namespace

std::vector<std::string> readRecentFiles(const ProfileFile& profile) {
    std::vector<std::string> files;
    for (size_t k = 1; k <= kRecentFiles; ++k) {
        const std::optional<std::string> path = profile.get(kSection, "File" + std::to_string(k));
        if (path && !path->empty() && std::find(files.begin(), files.end(), *path) == files.end())
            files.push_back(*path);
    }
    return files;
}

void writeRecentFiles(ProfileFile& profile, const std::vector<std::string>& files) {
    if (files.empty()) {
        profile.deleteSection(kSection);
        return;
    }
    ProfileEntries entries;
    for (size_t k = 0; k < files.size() && k < kRecentFiles; ++k)
        entries.emplace_back("File" + std::to_string(k + 1), files[k]);
    profile.setSection(kSection, entries);
}

std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path) {
    files = withoutRecentFile(std::move(files), path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFiles) files.resize(kRecentFiles);
    return files;
}

std::vector<std::string> withoutRecentFile(std::vector<std::string> files,
                                           const std::string& path) {
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    return files;
}

}  // namespace pathloom
