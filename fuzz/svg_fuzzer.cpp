// Feeds arbitrary bytes to the SVG reader (XML, or gzip when they start like it: path data,
// transforms, lengths, style sheets, uses), then flattens what came out.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "curves/flatten.h"
#include "import/import_context.h"
#include "import/svg/svg_reader.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lintrel::ImportDiagnostics diagnostics;
    lintrel::ImportContext context{diagnostics, 1};
    lintrel::ChainOwner<VectGroup> groups(lintrel::readSvg(bytes, context));
    // Flattening is bounded per curve, not per drawing: only plausible drawings are flattened.
    size_t segs = 0;
    bool plausible = true;
    for (VectGroup* g : lintrel::ring(groups.get()))
        for (Vect* v : lintrel::ring(g->vects))
            for (Seg* s : lintrel::ring(v->segs)) {
                ++segs;
                for (double d : {s->x0, s->y0, s->x1, s->y1})
                    plausible = plausible && std::fabs(d) < 1e5;
            }
    if (plausible && segs < 10000) lintrel::flattenGroupChain(groups.get(), 0.5);
    return 0;
}
