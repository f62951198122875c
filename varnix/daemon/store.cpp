// Program files of the simulator, stored atomically.
#include "daemon/store.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace varnix::daemon {

bool ProgramStore::validName(std::string_view name) {
    if (name.empty() || name.size() > 255 || name == "." || name == "..") return false;
    for (const unsigned char c : name) {
        if (c < 0x20 || c == 0x7f || c == '/' || c == '\\') return false;
    }
    return true;
}

bool ProgramStore::prepare() const {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    return std::filesystem::is_directory(folder_, error);
}

bool ProgramStore::save(std::string_view name, std::string_view text) const {
    if (!validName(name)) return false;
    const std::string path = folder_ + "/" + std::string(name);
    const std::string temporary = folder_ + "/.incoming-" + std::to_string(getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.flush();
        if (!file) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> ProgramStore::load(std::string_view name) const {
    if (!validName(name)) return std::nullopt;
    std::ifstream file(folder_ + "/" + std::string(name), std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace varnix::daemon
