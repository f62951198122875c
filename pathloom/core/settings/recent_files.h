// The drawings opened last, newest first, as the File menu offers them again. They live in the
// settings file, section "Recent drawings", keys File1 to File8.
#pragma once

#include <string>
#include <vector>

#include "core/settings/profile_file.h"

namespace pathloom {

constexpr size_t kRecentFiles = 8;

std::vector<std::string> readRecentFiles(const ProfileFile& profile);
// Rewrites the section whole; an empty list removes it.
void writeRecentFiles(ProfileFile& profile, const std::vector<std::string>& files);
// `path` first, once, and the list cut to its length.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path);
std::vector<std::string> withoutRecentFile(std::vector<std::string> files, const std::string& path);

}  // namespace pathloom
