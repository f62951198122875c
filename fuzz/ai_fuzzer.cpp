// Feeds arbitrary bytes to the Illustrator reader: native text, or a PDF container when the
// bytes start like one (container walk, inflation, private data and page content), then
// flattens what came out.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "curves/flatten.h"
#include "import/ai/ai_reader.h"
#include "import/ai/pdf_reader.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lintrel::VxAi ai;
    lintrel::ImportDiagnostics diagnostics;
    lintrel::ChainOwner<VectGroup> groups(ai.read(bytes, diagnostics));
    // Flattening is bounded per curve, not per drawing: a few curves with absurd coordinates
    // would spend the fuzzer's memory there, so only plausible drawings are flattened.
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
    // The container walk also on bytes that do not start with a PDF header, with a small bound.
    lintrel::ChainOwner<VectGroup> pdf(
        lintrel::ai::readPdfContainer(bytes, diagnostics, nullptr, 1 << 22));
    return 0;
}
