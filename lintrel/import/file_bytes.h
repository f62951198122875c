// Reading a whole drawing file into memory, for the readers that parse in place.
#pragma once

#include <string>

namespace lintrel {

// Replaces `out` with the bytes of the regular file `fileName`; false when it cannot be opened
// or read, or memory for it cannot be had.
bool readFileBytes(const char* fileName, std::string& out);

}  // namespace lintrel
