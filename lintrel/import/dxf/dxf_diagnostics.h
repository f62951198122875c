// The DXF reader's diagnostic codes (100-199): what it repaired or skipped while reading a
// drawing. The codes are stable; a host may act on them, so a code never changes its meaning.
#pragma once

#include <string_view>

namespace lintrel {
class ImportDiagnostics;
}
namespace lintrel::dxf {
struct DxfDocument;
struct ConvertFlaws;
}  // namespace lintrel::dxf

namespace lintrel::diag {

// The data ends inside a section without the EOF marker: the file was cut off.
inline constexpr int kDxfTruncated = 100;
// A section ends without its ENDSEC (the next section or the EOF marker came first).
inline constexpr int kDxfSectionWithoutEndsec = 101;
// The file ends without the EOF marker after its last section.
inline constexpr int kDxfMissingEof = 102;
// A numeric value without digits ("abc") or outside the double range ("1e999") was read as 0.
inline constexpr int kDxfMalformedNumber = 103;
// An LWPOLYLINE's vertices differ in number from its group 90; the vertices were kept.
inline constexpr int kDxfVertexCount = 104;
// Entities of kinds the reader does not know were skipped; the text names the kinds.
inline constexpr int kDxfUnknownKinds = 105;
// Entities were read but are not turned into geometry (text, hatches, dimensions, attributes).
inline constexpr int kDxfNotConverted = 106;
// A block reference names a block the file does not hold; it draws nothing.
inline constexpr int kDxfBlockNotFound = 107;
// Block references nested deeper than the bound were not expanded.
inline constexpr int kDxfNestingBound = 108;
// A block refers to itself, directly or through other blocks; the repeated reference was not
// expanded.
inline constexpr int kDxfBlockCycle = 109;
// Block references beyond the bound on the geometry they may add were not expanded.
inline constexpr int kDxfExpansionBound = 110;
// Entities whose converted coordinates left the double range (huge scales or radii) were
// dropped.
inline constexpr int kDxfOutOfRange = 111;

// Notes the flaws of a read document and its buffer into the import's diagnostics.
void noteReadFlaws(const dxf::DxfDocument& doc, std::string_view buffer, long malformedNumbers,
                   ImportDiagnostics& d);
// Notes what the conversion skipped.
void noteConvertFlaws(const dxf::ConvertFlaws& flaws, ImportDiagnostics& d);

}  // namespace lintrel::diag
