// The fonts the system offers: every outline font file of the system font folders by file name
// and by family name (both in lower case, as Windows compares them), and the platform's font that
// stands in for the default Chinese font when that is absent.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lintrel::platform {

// A font file's path. (A map of standard types alone would be exported from the shared
// library by unoptimised builds; this type keeps the instantiation inside.)
struct FontPath {
    std::string path;
};

struct SystemFonts {
    std::unordered_map<std::string, FontPath> byFile, byFamily;
    std::string cjk;

    // Indexes `file` by its name and by each of `families`; a regular style takes over a family
    // that another style of it already holds.
    void add(const std::string& file, const std::vector<std::string>& families, bool regular);
};

// Lists the system's font folders; done once per process by the font lookup.
SystemFonts scanSystemFonts();

std::string lowered(std::string_view s);
bool isOutlineFile(std::string_view path);

}  // namespace lintrel::platform
