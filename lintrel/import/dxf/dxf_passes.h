// The reading passes over a DXF file held in memory. Each pass starts at the beginning of the
// buffer, skips to its own section and fills its part of the document; a pass that does not
// find its section leaves that part empty.
#pragma once

#include "import/dxf/dxf_document.h"
#include "import/dxf/dxf_groups.h"

namespace lintrel::dxf {

void readHeader(GroupReader& reader, DxfDocument& doc);
void readLayers(GroupReader& reader, DxfDocument& doc);
void readLinetypes(GroupReader& reader, DxfDocument& doc);
void readStyles(GroupReader& reader, DxfDocument& doc);
void readEntities(GroupReader& reader, DxfDocument& doc);
void readBlocks(GroupReader& reader, DxfDocument& doc);

// Notes a section that a pass left without its ENDSEC: truncated when the data simply ran
// out, unclosed when the EOF marker came first. `last` is the group the pass stopped at.
void noteSectionEnd(const GroupReader& reader, const Group& last, DxfReadFlaws& flaws);

// Runs every pass in order.
void readDocument(GroupReader& reader, DxfDocument& doc);

// The unit code that a $INSUNITS value declares.
int unitOfInsUnits(int value);

}  // namespace lintrel::dxf
