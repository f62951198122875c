// A profile (INI) file with the semantics the settings of earlier releases were written with:
// sections in brackets, key=value lines, section and key names matched without regard to case,
// single values read whole, whole sections read at once, sections deleted whole.
// Files written on Windows in the GBK code page are read as well as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pathloom {

using ProfileEntries = std::vector<std::pair<std::string, std::string>>;

class ProfileFile {
  public:
    // Buffer of a whole-section read, as "key=value" strings each with a terminator.
    static constexpr size_t kSectionLimit = 65536;

    // A missing or unreadable file gives an empty profile.
    static ProfileFile load(const std::string& path);
    static ProfileFile parse(std::string_view bytes);
    // The file text: UTF-8, lines ending in CR LF.
    std::string text() const;
    // Writes the file safely: a temporary file in the same folder, flushed to disk, then
    // renamed over the old one, so that a failed write leaves the previous file as it was.
    bool save(const std::string& path) const;

    // The value of a key, trimmed, without surrounding quotes, whole: earlier releases cut
    // values to 259 bytes on reading, which lost the end of long action texts.
    // Nothing when the section or key is missing.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    // Sets a key, adding the section or key at the end when missing. Line breaks in a key or
    // value would split the line in the file; they are written as blanks.
    void set(std::string_view section, std::string_view key, std::string_view value);
    // True when the section existed.
    bool deleteSection(std::string_view section);
    // All key=value entries of a section in file order, duplicates included, as far as they fit
    // a whole-section read.
    ProfileEntries section(std::string_view name) const;
    // Replaces a section by the given entries, in order; duplicate keys are kept.
    void setSection(std::string_view name, const ProfileEntries& entries);

  private:
    struct Line {
        std::string key;  // empty: a line kept as it was (comment, blank, text without "=")
        std::string value;
    };
    struct Section {
        std::string name;  // empty for lines before the first section
        std::vector<Line> lines;
    };
    Section* find(std::string_view name);
    const Section* find(std::string_view name) const;

    std::vector<Section> sections_;
};

// Text decoding of profile files: UTF-8 (with or without byte-order mark) stays as it is,
// UTF-16 with a byte-order mark and anything else (the GBK code page) are converted to UTF-8.
std::string decodeProfileText(std::string_view bytes);

// Writes `bytes` to `path` through a temporary file in the same folder and a rename. False, and
// the old file untouched, on any failure.
bool writeFileSafely(const std::string& path, std::string_view bytes);

// The folder part of a path: "." for a bare name, "/" for a file in the root.
std::string folderOf(const std::string& path);

}  // namespace pathloom
