// Feeds arbitrary bytes to the PDF reader (container walk, object streams, page tree, content
// with forms), on its first and on a later page, then flattens what came out when it is small
// and plausible; and to the page count and page boxes that the page choice reads.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "curves/flatten.h"
#include "import/pdf/pdf_reader.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int pages = lintrel::pdf::countPdfPages(bytes);
    lintrel::pdf::PageBoxes boxes;
    if (pages > 0) lintrel::pdf::pdfPageBoxes(bytes, pages, boxes);
    for (int page : {1, 3}) {
        lintrel::ImportDiagnostics diagnostics;
        lintrel::ChainOwner<VectGroup> groups(lintrel::pdf::readPdfPage(bytes, page, diagnostics));
        // Flattening is bounded per curve, not per drawing: only plausible drawings are
        // flattened, so that a few absurd curves do not spend the fuzzer's memory.
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
    }
    return 0;
}
