// The font index that every platform's folder scan fills.
#include "platform/system_fonts.h"

#include <cctype>

namespace lintrel::platform {

namespace {

// Windows paths may separate folders with either slash.
#ifdef _WIN32
constexpr char kSeparators[] = "/\\";
#else
constexpr char kSeparators[] = "/";
#endif

std::string baseName(std::string_view path) {
    const size_t slash = path.find_last_of(kSeparators);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isOutlineFile(std::string_view path) {
    const std::string name = lowered(path);
    return name.ends_with(".ttf") || name.ends_with(".ttc") || name.ends_with(".otf");
}

void SystemFonts::add(const std::string& file, const std::vector<std::string>& families,
                      bool regular) {
    byFile.emplace(lowered(baseName(file)), FontPath{file});
    for (const std::string& family : families) {
        auto [it, fresh] = byFamily.emplace(lowered(family), FontPath{file});
        if (!fresh && regular) it->second.path = file;
    }
}

}  // namespace lintrel::platform
