// VxDst: reader of Tajima stitch files (the library's reader classes carry the prefix Vx). Stitches
// become polylines in millimetres; a jump ends the current polyline. The whole drawing is one
// group.
#pragma once

#include <lintrel/lintrel.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "import/import_context.h"

namespace lintrel {

class VxDst {
  public:
    struct Stitch {
        int dx = 0, dy = 0;
        uint8_t control = 0;
    };

    // The group of a stitch file's bytes, header included (null when it holds no path).
    VectGroup* read(std::string_view bytes);

    int colourChanges() const { return colourChanges_; }

  private:
    void decode(std::string_view records);
    VectGroup* build() const;

    std::vector<Stitch> stitches_;
    int colourChanges_ = 0;
    int maxX_ = 0, minX_ = 0, maxY_ = 0, minY_ = 0;
};

// The one group of a stitch file, numbered 1 and black. Stitch files have no flaws to note.
VectGroup* readDst(std::string_view bytes, ImportContext& context);

}  // namespace lintrel
