// Conversion of file names between the ANSI code page that hosts use and the UTF-16 of the
// Windows wide-character functions.
#pragma once

#include <string>

namespace lintrel::platform {

// The name widened from the ANSI code page; empty when it is not valid in that code page.
std::wstring wideFromLocal(const char* name);

// The name narrowed to the ANSI code page; empty when a character has no equivalent there (such
// a file cannot be named by a host either).
std::string localFromWide(const std::wstring& name);

}  // namespace lintrel::platform
