// Writes a large DXF drawing for the import benchmark (dxf_drawing.h): entities on a grid, or
// with `sheet` scattered at random over a 2000 x 1000 sheet.
//   dxf_generate <output.dxf> [entities] [sheet]      (default 600000 entities on a grid)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "dxf_drawing.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s output.dxf [entities] [sheet]\n", argv[0]);
        return 2;
    }
    const long count = argc > 2 ? std::atol(argv[2]) : 600000;
    const bool sheet = argc > 3 && std::strcmp(argv[3], "sheet") == 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(argv[1], "wb"), std::fclose);
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    using lintrel::bench::Placement;
    return lintrel::bench::writeDxfDrawing(file.get(), count,
                                           sheet ? Placement::Sheet : Placement::Grid)
               ? 0
               : 1;
}
