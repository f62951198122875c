// A build without a polygon offsetter (the Windows cross build has no Clipper): kerf offsets
// are answered as not available.
#ifdef LINTREL_NO_CLIPPER
#include "cutting/kerf.h"

namespace lintrel {

bool offsetAvailable() {
    return false;
}

bool offsetPolygon(std::span<const Point>, double, Corners, double, double,
                   std::vector<std::vector<Point>>& rings) {
    rings.clear();
    return false;
}

}  // namespace lintrel
#endif
