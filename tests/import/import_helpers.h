// Helpers of the import tests: importing DXF text through the public entry point and looking
// at the groups and vects that came back.
#pragma once

#include <lintrel/lintrel.h>

#include <string_view>
#include <vector>

#include "api/last_import.h"
#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"
#include "support/dxf_builder.h"

namespace lintrel::test {

// Imports `text` as a file with the given extension; curves are kept unless options say else.
inline ChainOwner<VectGroup> importText(std::string_view text, int options = 1,
                                        double precision = 0.05, int moveToOrigin = 0,
                                        std::string_view extension = "dxf") {
    TempFile file(std::string("drawing.") + std::string(extension), text);
    return ChainOwner<VectGroup>(
        VarnixCad3_ImportVectGraph(file.path(), 1016.0, options, precision, moveToOrigin));
}

// The diagnostics the last import through the exports published.
inline ImportDiagnostics lastImport() {
    ImportDiagnostics out;
    for (const Diagnostic& d : lastImportDiagnostics())
        out.note(d.code, d.text, d.count);
    return out;
}

inline std::vector<VectGroup*> groupsOf(VectGroup* chain) {
    return itemsOf(chain);
}

// A drawing of only an ENTITIES section, as many small writers produce.
inline DxfText entitiesOnly() {
    DxfText t;
    t.section("ENTITIES");
    return t;
}

}  // namespace lintrel::test
