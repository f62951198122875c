// Why opening a drawing gave nothing, in the operator's words: the import diagnostics and the
// file itself read into one reason, which the desktop program's message and the converter both
// show.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/texts.h"

namespace pathloom {

// One entry of the library's diagnostics list of the last import.
struct ImportNote {
    int code = 0;
    int count = 0;
    std::string text;
};

// The diagnostics of the last import, in the library's order.
std::vector<ImportNote> lastImportNotes();

enum class NothingReason {
    Missing,          // no such file
    Folder,           // the name is a folder
    Unreadable,       // the file exists but cannot be read
    EmptyFile,        // zero bytes
    UnknownKind,      // no reader for the extension
    Compressed,       // the drawing data is in a compression not read
    OnlyUnconverted,  // only kinds that are not turned into shapes (hatches, text...)
    Damaged,          // cut off, or not the kind of drawing the extension says
    NoShapes,         // read, and nothing drawn in it
};

struct NothingImported {
    NothingReason reason = NothingReason::NoShapes;
    std::string kinds;  // the skipped kinds for OnlyUnconverted ("HATCH, MTEXT")
};

// Why the import of `path` gave no drawing, from the file's state and the import's notes.
NothingImported whyNothingImported(std::string_view path, const std::vector<ImportNote>& notes);

// The reason in words, in the current language.
std::string reasonText(const NothingImported& why, std::string_view path);
// The reason for a drawing the automatic clean-up emptied: the step that removed the last shape.
std::string emptiedText(Text step);

// The message of a failed open: the file's name, then the reason.
std::string openFailedMessage(std::string_view path, std::string_view reason);

// The name a drawing is shown by (its file name without the folder).
std::string drawingName(std::string_view path);

}  // namespace pathloom
