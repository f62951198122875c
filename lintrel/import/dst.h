// VxDst: reader of Tajima stitch files. Stitches become polylines in millimetres; a jump ends
// the current polyline. The whole drawing is one group.
#pragma once

#include <lintrel/lintrel.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace lintrel {

class VxDst {
  public:
    struct Stitch {
        int dx = 0, dy = 0;
        uint8_t control = 0;
    };

    // The group of a stitch file (null when it cannot be read or holds no path).
    VectGroup* read(const char* fileName);
    // The same for file bytes already in memory, header included.
    VectGroup* readBytes(std::string_view bytes);

    int colourChanges() const { return colourChanges_; }

  private:
    void decode(std::string_view records);
    VectGroup* build() const;

    std::vector<Stitch> stitches_;
    int colourChanges_ = 0;
    int maxX_ = 0, minX_ = 0, maxY_ = 0, minY_ = 0;
};

}  // namespace lintrel
