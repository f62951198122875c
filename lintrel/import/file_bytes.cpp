// Whole-file reading shared by the readers. The buffer is not cleared first: every byte of it
// is overwritten by the read, and large drawings load noticeably faster so.
#include "import/file_bytes.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

namespace lintrel {

bool FileBytes::open(const char* fileName) {
    release();
    if (!fileName) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName, "rb"), std::fclose);
    if (!file) return false;
    struct stat st {};
    if (::fstat(::fileno(file.get()), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const auto size = static_cast<size_t>(st.st_size);
    try {
        data_ = std::make_unique_for_overwrite<char[]>(size ? size : 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_ = std::fread(data_.get(), 1, size, file.get());
    return true;
}

}  // namespace lintrel
