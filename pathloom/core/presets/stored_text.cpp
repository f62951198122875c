// The line-break encodings of stored texts.
#include "core/presets/stored_text.h"

namespace pathloom {
namespace {

// Replaces every line break (CR LF, LF or CR) by `mark`.
std::string joinLines(std::string_view text, std::string_view mark) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += mark;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string splitLines(std::string_view stored, std::string_view mark) {
    std::string out;
    out.reserve(stored.size());
    for (size_t i = 0; i < stored.size();) {
        if (stored.substr(i, mark.size()) == mark) {
            out += "\r\n";
            i += mark.size();
        } else {
            out += stored[i++];
        }
    }
    return out;
}

}  // namespace

std::string encodePresetText(std::string_view text) {
    return joinLines(text, "\\r\\n");
}
std::string decodePresetText(std::string_view stored) {
    return splitLines(stored, "\\r\\n");
}
std::string encodeActionText(std::string_view text) {
    return joinLines(text, "&");
}
std::string decodeActionText(std::string_view stored) {
    return splitLines(stored, "&");
}

}  // namespace pathloom
