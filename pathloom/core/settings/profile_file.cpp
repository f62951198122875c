// The profile file: parsing, lookups by case-insensitive names, writing back. Lines the program
// does not understand (comments, foreign text) are kept as they were.
#include "core/settings/profile_file.h"

#include "core/presets/actions.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace pathloom {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

}  // namespace

ProfileFile ProfileFile::load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return parse(bytes.str());
}

ProfileFile ProfileFile::parse(std::string_view bytes) {
    const std::string text = decodeProfileText(bytes);
    ProfileFile profile;
    profile.sections_.push_back({});
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view raw = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::string_view line = trim(raw);
        if (line.starts_with('[') && line.find(']') != std::string_view::npos) {
            const std::string_view name = trim(line.substr(1, line.find(']') - 1));
            profile.sections_.push_back({std::string(name), {}});
            continue;
        }
        const size_t equals = line.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? "" : trim(line.substr(0, equals));
        if (line.starts_with(';') || key.empty())
            profile.sections_.back().lines.push_back({"", std::string(line)});
        else
            profile.sections_.back().lines.push_back(
                {std::string(key), std::string(trim(line.substr(equals + 1)))});
    }
    return profile;
}

std::string ProfileFile::text() const {
    std::string out;
    for (const Section& section : sections_) {
        if (section.name.empty() && section.lines.empty()) continue;
        if (!section.name.empty()) out += "[" + section.name + "]\r\n";
        for (const Line& line : section.lines) {
            if (line.key.empty())
                out += line.value;
            else
                out += line.key + "=" + line.value;
            out += "\r\n";
        }
    }
    return out;
}

bool ProfileFile::save(const std::string& path) const {
    return writeFileSafely(path, text());
}

ProfileFile::Section* ProfileFile::find(std::string_view name) {
    for (Section& section : sections_)
        if (!section.name.empty() && sameTextIgnoringCase(section.name, name)) return &section;
    return nullptr;
}

const ProfileFile::Section* ProfileFile::find(std::string_view name) const {
    return const_cast<ProfileFile*>(this)->find(name);
}

std::optional<std::string> ProfileFile::get(std::string_view section, std::string_view key) const {
    const Section* found = find(trim(section));
    if (!found) return std::nullopt;
    for (const Line& line : found->lines) {
        if (line.key.empty() || !sameTextIgnoringCase(line.key, trim(key))) continue;
        std::string_view value = line.value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

void ProfileFile::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string name = oneLine(trim(section));
    const std::string k = oneLine(trim(key));
    Section* found = find(name);
    if (!found) {
        sections_.push_back({name, {}});
        found = &sections_.back();
    }
    for (Line& line : found->lines) {
        if (!line.key.empty() && sameTextIgnoringCase(line.key, k)) {
            line.value = oneLine(value);
            return;
        }
    }
    found->lines.push_back({k, oneLine(value)});
}

bool ProfileFile::deleteSection(std::string_view section) {
    bool deleted = false;
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (!it->name.empty() && sameTextIgnoringCase(it->name, trim(section))) {
            it = sections_.erase(it);
            deleted = true;
        } else {
            ++it;
        }
    }
    return deleted;
}

ProfileEntries ProfileFile::section(std::string_view name) const {
    ProfileEntries entries;
    const Section* found = find(trim(name));
    if (!found) return entries;
    size_t used = 1;  // the terminator that ends the list
    for (const Line& line : found->lines) {
        if (line.key.empty()) continue;
        used += line.key.size() + 1 + line.value.size() + 1;
        if (used > kSectionLimit) break;
        entries.emplace_back(line.key, line.value);
    }
    return entries;
}

void ProfileFile::setSection(std::string_view name, const ProfileEntries& entries) {
    deleteSection(name);
    Section section{oneLine(trim(name)), {}};
    for (const auto& [key, value] : entries)
        section.lines.push_back({oneLine(trim(key)), oneLine(value)});
    sections_.push_back(std::move(section));
}

}  // namespace pathloom
