// Loading a DXF file whole into memory and running the reading passes and the conversion.
#include "import/dxf/vx_dxf.h"

#include <algorithm>

#include "base/diagnostics.h"
#include "import/dxf/dxf_convert.h"
#include "import/dxf/dxf_converter.h"
#include "import/dxf/dxf_diagnostics.h"
#include "import/dxf/dxf_passes.h"

namespace lintrel {

void VxDxf::readBuffer(std::string_view text, int importOptions, double precision) {
    importOptions_ = importOptions;
    // Curves of a DXF drawing are never made finer than 0.0005 nor coarser than 0.1.
    precision_ = std::clamp(precision, 0.0005, 0.1);
    doc_ = std::make_unique<dxf::DxfDocument>();
    dxf::takeMalformedNumbers();
    dxf::GroupReader reader(text);
    dxf::readDocument(reader, *doc_);
    diag::noteReadFlaws(*doc_, text, dxf::takeMalformedNumbers());
}

bool VxDxf::read(const char* fileName, int importOptions, double precision) {
    if (!file_.open(fileName)) {
        importDiagnostics().note(diag::kFileUnreadable, "the file could not be read");
        return false;
    }
    readBuffer(file_.bytes(), importOptions, precision);
    return true;
}

VectGroup* VxDxf::convert() {
    if (!doc_) return nullptr;
    dxf::ConvertFlaws flaws;
    VectGroup* groups = dxf::convertDocument(*doc_, precision_, &flaws);
    diag::noteConvertFlaws(flaws);
    doc_.reset();
    file_.release();
    return groups;
}

}  // namespace lintrel
