// How multi-line texts are kept on one line of the settings file: preset texts with the four
// characters \r\n per line break, user actions with "&".
#pragma once

#include <string>
#include <string_view>

namespace pathloom {

// Line breaks of preset texts are stored as the four characters \r\n, those of user actions as
// "&"; any of CR LF, LF or CR counts as a line break, and reading gives CR LF.
std::string encodePresetText(std::string_view text);
std::string decodePresetText(std::string_view stored);
std::string encodeActionText(std::string_view text);
std::string decodeActionText(std::string_view stored);

}  // namespace pathloom
