// The shared corpus of real drawings that some tests read: where it is, the files of one of its
// folders, and the one-line skip of a test when it is not there, so that a clone without the
// corpus beside it passes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace corpus {

// PATHLOOM_CORPUS_DIR of the environment when set (a run takes the corpus away by naming a
// folder that does not hold it), else the folder the build found, which may be empty.
inline std::filesystem::path root() {
    if (const char* env = std::getenv("PATHLOOM_CORPUS_DIR")) return env;
    return PATHLOOM_CORPUS_DIR;
}

inline bool has(const std::string& folder) {
    std::error_code ec;
    return !root().empty() && std::filesystem::is_directory(root() / folder, ec);
}

inline std::filesystem::path file(const std::string& folder, const std::string& name) {
    return root() / folder / name;
}

// The regular files of a corpus folder in name order; empty when there is no such folder.
inline std::vector<std::filesystem::path> files(const std::string& folder) {
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    if (!has(folder)) return out;
    for (const auto& entry : std::filesystem::directory_iterator(root() / folder, ec))
        if (entry.is_regular_file()) out.push_back(entry.path());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace corpus

// Skips the current test, with its reason on one line, unless the corpus has `folder`.
#define SKIP_WITHOUT_CORPUS(folder)                                                     \
    do {                                                                                \
        if (!corpus::has(folder))                                                       \
            GTEST_SKIP() << "drawing corpus folder '" << (folder) << "' not found at '" \
                         << corpus::root().string() << "'";                             \
    } while (0)
