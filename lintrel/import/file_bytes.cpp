// Whole-file reading shared by the readers.
#include "import/file_bytes.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

namespace lintrel {

bool readFileBytes(const char* fileName, std::string& out) {
    out.clear();
    if (!fileName) return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec)) return false;
    const auto size = std::filesystem::file_size(fileName, ec);
    if (ec) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName, "rb"), std::fclose);
    if (!file) return false;
    try {
        out.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    out.resize(std::fread(out.data(), 1, out.size(), file.get()));
    return true;
}

}  // namespace lintrel
