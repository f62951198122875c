// Turning the reader's and converter's flaw counts into coded import diagnostics.
#include "import/dxf/dxf_diagnostics.h"

#include <string>

#include "base/diagnostics.h"
#include "import/dxf/dxf_converter.h"
#include "import/dxf/dxf_document.h"

namespace lintrel::diag {

namespace {

// "what: NAME, NAME" with the total count of a map of names to counts.
void noteNamed(ImportDiagnostics& d, int code, std::string_view what,
               const dxf::TallyByName& names) {
    if (names.empty()) return;
    std::string text(what);
    long total = 0;
    const char* separator = ": ";
    for (const auto& [name, count] : names) {
        text += separator;
        text += name;
        separator = ", ";
        total += count.count;
    }
    d.note(code, text, total);
}

// True when a line of the buffer begins with the EOF marker, as the reader looks for it.
bool hasEofMarker(std::string_view buffer) {
    return buffer.starts_with("EOF") || buffer.find("\nEOF") != std::string_view::npos;
}

}  // namespace

void noteReadFlaws(const dxf::DxfDocument& doc, std::string_view buffer, long malformedNumbers,
                   ImportDiagnostics& d) {
    const dxf::DxfReadFlaws& f = doc.flaws;
    if (f.truncated) d.note(kDxfTruncated, "the file ends inside a section (cut off)");
    if (f.unclosedSections)
        d.note(kDxfSectionWithoutEndsec, "a section ends without ENDSEC", f.unclosedSections);
    if (!f.truncated && !hasEofMarker(buffer))
        d.note(kDxfMissingEof, "the file ends without the EOF marker");
    if (malformedNumbers)
        d.note(kDxfMalformedNumber, "malformed numbers read as 0", malformedNumbers);
    if (f.vertexCountMismatches)
        d.note(kDxfVertexCount, "LWPOLYLINE vertex count differs from group 90",
               f.vertexCountMismatches);
    noteNamed(d, kDxfUnknownKinds, "unknown entity kinds skipped", f.unknownKinds);
}

void noteConvertFlaws(const dxf::ConvertFlaws& flaws, ImportDiagnostics& d) {
    noteNamed(d, kDxfNotConverted, "entities read but not converted", flaws.notConverted);
    noteNamed(d, kDxfBlockNotFound, "block references to missing blocks", flaws.missingBlocks);
    if (flaws.nestingBound)
        d.note(kDxfNestingBound, "block references nested too deep were not expanded",
               flaws.nestingBound);
    if (flaws.cycles)
        d.note(kDxfBlockCycle, "a block refers to itself; the repeated reference was skipped",
               flaws.cycles);
    if (flaws.expansionBound)
        d.note(kDxfExpansionBound, "block references beyond the geometry bound were skipped",
               flaws.expansionBound);
    if (flaws.outOfRange)
        d.note(kDxfOutOfRange, "entities beyond the number range were dropped", flaws.outOfRange);
}

}  // namespace lintrel::diag
