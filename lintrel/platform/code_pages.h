// Conversion between UTF-8 and the code pages of drawings and fonts, named "CP1252", "CP932",
// "GB18030", "BIG5", "JOHAB" and so on. A sequence the conversion rejects becomes `bad` and is
// counted, so one bad byte never costs the whole text.
#pragma once

#include <string>
#include <string_view>

namespace lintrel::platform {

// Whether text in `codePage` can be converted to UTF-8 here.
bool knownCodePage(const char* codePage);

// `bytes` from the encoding `from` into `to`, one of which is "UTF-8"; an unknown code page
// leaves the bytes as they are.
std::string transcode(std::string_view bytes, const char* to, const char* from, const char* bad,
                      long& rejected);

}  // namespace lintrel::platform
