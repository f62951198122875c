// VxAi: reader of Adobe Illustrator files. The native form is PostScript-like text, one
// operator per line after its operands; newer files are PDF containers that carry that text as
// private data (often compressed), or else only a page content stream. Paths become polyline
// and Bezier vects grouped by colour, in the file's own coordinates; the document unit is
// reported as the frame's source unit.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>

namespace lintrel {

namespace ai {
class PathBuilder;
}

class VxAi {
  public:
    // The groups of an Illustrator file, a group's number being its colour index (null when the
    // file cannot be read or draws nothing).
    VectGroup* read(const char* fileName);
    // The same for file bytes already in memory.
    VectGroup* readBytes(std::string_view bytes);
    // Reads native Illustrator text into `paths`.
    static void parseText(std::string_view text, ai::PathBuilder& paths);
    // Applies the document unit of metadata text (lines holding "<stDim:unit>…</stDim:unit>").
    static void readUnit(std::string_view text);
};

}  // namespace lintrel
