// VxDxf: the DXF reader's front end. `read` loads a file and builds its document, `convert`
// turns the document into vect groups and releases everything the read held.
#pragma once

#include <lintrel/lintrel.h>

#include <memory>
#include <string_view>

#include "import/dxf/dxf_document.h"
#include "platform/file_bytes.h"

namespace lintrel {

class VxDxf {
  public:
    // False when the file cannot be opened or loaded.
    bool read(const char* fileName, int importOptions, double precision);
    // Reads a drawing already in memory (the fuzzing harness and tests use this).
    void readBuffer(std::string_view text, int importOptions, double precision);
    // The group chain of a successful read (null when nothing was converted).
    VectGroup* convert();

    const dxf::DxfDocument* document() const { return doc_.get(); }
    int importOptions() const { return importOptions_; }
    double precision() const { return precision_; }

  private:
    int importOptions_ = 0;
    double precision_ = 0.0005;
    FileBytes file_;
    std::unique_ptr<dxf::DxfDocument> doc_;
};

}  // namespace lintrel
