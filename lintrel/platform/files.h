// Opening the files that hosts name. Names are in the local code page: UTF-8 on Linux, the ANSI
// code page on Windows, where they are widened and opened through the wide-character functions.
// Every reader and writer of the library opens its files here.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

namespace lintrel::platform {

// fopen() for a name in the local code page; null when it cannot be opened.
std::FILE* openFile(const char* name, const char* mode);

// The size of an open file when it is a regular file (not a folder or a device).
std::optional<std::uint64_t> regularFileSize(std::FILE* file);

bool isRegularFile(const char* name);

}  // namespace lintrel::platform
