// Reading a whole drawing file into memory, for the readers that parse in place.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace lintrel {

class FileBytes {
  public:
    // False when the file is not a regular file, cannot be read, or memory for it cannot be had.
    bool open(const char* fileName);
    void release() {
        data_.reset();
        size_ = 0;
    }
    std::string_view bytes() const { return {data_.get(), size_}; }

  private:
    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
};

}  // namespace lintrel
