// Running the reading passes over a DXF drawing's bytes and the conversion of its document.
#include "import/dxf/dxf_reader.h"

#include <algorithm>

#include "import/dxf/dxf_binary.h"
#include "import/dxf/dxf_colours.h"
#include "import/dxf/dxf_converter.h"
#include "import/dxf/dxf_diagnostics.h"
#include "import/dxf/dxf_passes.h"
#include "model/items.h"

namespace lintrel {

void VxDxf::read(std::string_view text, int importOptions, double precision,
                 ImportDiagnostics& diagnostics) {
    importOptions_ = importOptions;
    // Curves of a DXF drawing are never made finer than 0.0005 nor coarser than 0.1.
    precision_ = std::clamp(precision, 0.0005, 0.1);
    doc_ = std::make_unique<dxf::DxfDocument>();
    if (dxf::isBinaryDxf(text)) {
        // A binary drawing's truncation shows as the text form's: the data ends inside a section.
        dxf::BinaryFlaws flaws;
        binaryText_ = dxf::binaryDxfAsText(text, flaws);
        text = binaryText_;
    }
    dxf::GroupReader reader(text);
    dxf::readDocument(reader, *doc_);
    diag::noteReadFlaws(*doc_, text, reader.malformedNumbers(), diagnostics);
}

VectGroup* VxDxf::convert(ImportDiagnostics& diagnostics) {
    if (!doc_) return nullptr;
    dxf::Converter converter(*doc_, precision_, (importOptions_ & kHatchOutlines) != 0);
    VectGroup* groups = converter.run(diagnostics);
    diag::noteConvertFlaws(converter.flaws(), diagnostics);
    fontFilesRead_ = converter.fontFilesRead();
    doc_.reset();
    return groups;
}

VectGroup* readDxf(std::string_view bytes, ImportContext& context) {
    VxDxf dxf;
    dxf.read(bytes, context.importOptions, context.precision, context.diagnostics);
    VectGroup* groups = dxf.convert(context.diagnostics);
    // Until now a group's number was its colour index.
    int number = 1;
    for (VectGroup* g : ring(groups)) {
        g->colour = dxf::colourOfIndex(g->number);
        g->number = number++;
    }
    return groups;
}

}  // namespace lintrel
