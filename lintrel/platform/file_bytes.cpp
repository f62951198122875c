// Whole-file reading shared by the readers. The buffer is not cleared first: every byte of it
// is overwritten by the read, and large drawings load noticeably faster so.
#include "platform/file_bytes.h"

#include <cstdint>
#include <cstdio>
#include <new>

#include "platform/files.h"

namespace lintrel {

bool FileBytes::open(const char* fileName) {
    release();
    if (!fileName) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::openFile(fileName, "rb"),
                                                         std::fclose);
    if (!file) return false;
    const std::optional<std::uint64_t> fileSize = platform::regularFileSize(file.get());
    // A file larger than the address space (on 32-bit targets) cannot be held either.
    if (!fileSize || *fileSize >= SIZE_MAX) return false;
    const auto size = static_cast<size_t>(*fileSize);
    try {
        data_ = std::make_unique_for_overwrite<char[]>(size ? size : 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_ = std::fread(data_.get(), 1, size, file.get());
    return true;
}

}  // namespace lintrel
