// The DXF reader's front end, VxDxf (the library's reader classes carry the prefix Vx): `read`
// builds the document of a drawing's bytes, `convert` turns it into vect groups. readDxf is the
// reader of the import dispatcher, of the one shape every format has.
#pragma once

#include <lintrel/lintrel.h>

#include <memory>
#include <string>
#include <string_view>

#include "import/dxf/dxf_document.h"
#include "import/import_context.h"

namespace lintrel {

class VxDxf {
  public:
    // Reads a drawing held in memory into its document, noting what was repaired or skipped in
    // `diagnostics`. The bytes must outlive the conversion.
    void read(std::string_view text, int importOptions, double precision,
              ImportDiagnostics& diagnostics);
    // The group chain of the read document (null when nothing was converted), keyed by colour
    // index; releases the document.
    VectGroup* convert(ImportDiagnostics& diagnostics);

    const dxf::DxfDocument* document() const { return doc_.get(); }
    int importOptions() const { return importOptions_; }
    double precision() const { return precision_; }
    // How many TrueType files the last conversion's texts loaded.
    long fontFilesRead() const { return fontFilesRead_; }

  private:
    int importOptions_ = 0;
    double precision_ = 0.0005;
    long fontFilesRead_ = 0;
    std::unique_ptr<dxf::DxfDocument> doc_;
    std::string binaryText_;  // a binary drawing's groups as text, read in place of its bytes
};

// The groups of a DXF drawing, numbered from 1 and coloured by their colour index; null when
// nothing was converted.
VectGroup* readDxf(std::string_view bytes, ImportContext& context);

}  // namespace lintrel
