// One mapping from the library's diagnostic codes to the reasons an operator is given. The codes
// are the library's stable ones: 1-99 any file, 100-199 DXF, 200-299 HPGL/PLT, 300-399
// Illustrator.
#include "core/document/import_reason.h"

#include <lintrel/lintrel.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <initializer_list>
#include <system_error>

namespace pathloom {

namespace {

constexpr int kFileUnreadable = 1;
constexpr int kUnknownExtension = 2;
constexpr int kFileEmpty = 3;
constexpr int kAiUnsupportedCompression = 306;
// Codes whose text ends in the skipped kinds' names ("...: HATCH, MTEXT").
constexpr int kDxfUnknownKinds = 105;
constexpr int kDxfNotConverted = 106;
// Kinds read and left out: text and fills of plotter files, unpainted paths and placed forms of
// Illustrator files.
constexpr std::initializer_list<int> kOtherUnconverted = {201, 202, 303, 308};
// The file breaks off or is not what its extension says: DXF cut off or without sections, plotter
// bytes that start no instruction or encoded data that breaks off, Illustrator streams that
// cannot be decoded or a container without objects.
constexpr std::initializer_list<int> kDamaged = {100, 101, 102, 206, 209, 304, 310};

const ImportNote* find(const std::vector<ImportNote>& notes, int code) {
    for (const ImportNote& note : notes)
        if (note.code == code) return &note;
    return nullptr;
}

bool anyOf(const std::vector<ImportNote>& notes, std::initializer_list<int> codes) {
    return std::any_of(codes.begin(), codes.end(), [&](int c) { return find(notes, c); });
}

// The kinds a DXF note names, or the notes' own texts for the other readers.
std::string unconvertedKinds(const std::vector<ImportNote>& notes) {
    std::string kinds;
    const auto add = [&kinds](std::string_view what) {
        if (!kinds.empty()) kinds += ", ";
        kinds += what;
    };
    for (const ImportNote& note : notes) {
        if (note.code == kDxfUnknownKinds || note.code == kDxfNotConverted) {
            const size_t colon = note.text.find(": ");
            add(colon == std::string::npos ? note.text : note.text.substr(colon + 2));
        } else if (std::find(kOtherUnconverted.begin(), kOtherUnconverted.end(), note.code) !=
                   kOtherUnconverted.end()) {
            add(note.text);
        }
    }
    return kinds;
}

std::string upperExtension(std::string_view path) {
    std::string ext = std::filesystem::path(std::string(path)).extension().string();
    if (!ext.empty()) ext.erase(0, 1);
    for (char& c : ext)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

std::optional<NothingReason> fileState(std::string_view path) {
    std::error_code ec;
    const std::filesystem::file_status state = std::filesystem::status(std::string(path), ec);
    if (state.type() == std::filesystem::file_type::not_found) return NothingReason::Missing;
    if (state.type() == std::filesystem::file_type::directory) return NothingReason::Folder;
    return std::nullopt;
}

}  // namespace

std::vector<ImportNote> lastImportNotes() {
    std::vector<ImportNote> notes;
    const int n = VarnixCad3_GetImportDiagCount();
    for (int i = 0; i < n; ++i) {
        ImportNote note;
        char text[256];
        if (VarnixCad3_GetImportDiag(i, &note.code, &note.count, text, sizeof text) != 0) continue;
        note.text = text;
        notes.push_back(std::move(note));
    }
    return notes;
}

NothingImported whyNothingImported(std::string_view path, const std::vector<ImportNote>& notes) {
    if (const std::optional<NothingReason> state = fileState(path)) return {*state, {}};
    if (find(notes, kFileUnreadable)) return {NothingReason::Unreadable, {}};
    if (find(notes, kFileEmpty)) return {NothingReason::EmptyFile, {}};
    if (find(notes, kUnknownExtension)) return {NothingReason::UnknownKind, {}};
    if (find(notes, kAiUnsupportedCompression)) return {NothingReason::Compressed, {}};
    if (std::string kinds = unconvertedKinds(notes); !kinds.empty())
        return {NothingReason::OnlyUnconverted, std::move(kinds)};
    if (anyOf(notes, kDamaged)) return {NothingReason::Damaged, {}};
    return {NothingReason::NoShapes, {}};
}

std::string reasonText(const NothingImported& why, std::string_view path) {
    switch (why.reason) {
        case NothingReason::Missing:
            return std::string(text(Text::ReasonMissing));
        case NothingReason::Folder:
            return std::string(text(Text::ReasonFolder));
        case NothingReason::Unreadable:
            return std::string(text(Text::ReasonUnreadable));
        case NothingReason::EmptyFile:
            return std::string(text(Text::ReasonEmptyFile));
        case NothingReason::UnknownKind:
            return std::string(text(Text::ReasonUnknownKind));
        case NothingReason::Compressed:
            return std::string(text(Text::ReasonCompressed));
        case NothingReason::OnlyUnconverted:
            return textWithValue(Text::ReasonOnlyUnconverted, why.kinds);
        case NothingReason::Damaged:
            return textWithValue(Text::ReasonDamaged, upperExtension(path));
        case NothingReason::NoShapes:
            break;
    }
    return std::string(text(Text::ReasonNoShapes));
}

std::string emptiedText(Text step) {
    return textWithValue(Text::ReasonEmptied, text(step));
}

std::string openFailedMessage(std::string_view path, std::string_view reason) {
    return textWithValue(Text::OpenFailed, drawingName(path)) + std::string(reason);
}

std::string drawingName(std::string_view path) {
    return std::filesystem::path(std::string(path)).filename().string();
}

}  // namespace pathloom
