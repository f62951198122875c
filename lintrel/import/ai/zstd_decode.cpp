// Bounded decompression of Zstandard data through libzstd, for the private data of newer
// Illustrator files. Frames may follow one another; every byte produced counts against the
// budget that inflated data uses.
#ifndef LINTREL_NO_ZSTD
#include <zstd.h>

#include <algorithm>
#include <memory>

#include "import/ai/pdf_container.h"

namespace lintrel::pdf {

bool zstdAvailable() {
    return true;
}

bool unzstd(std::string_view compressed, std::string& out, size_t& budget, bool& bounded) {
    const std::unique_ptr<ZSTD_DStream, size_t (*)(ZSTD_DStream*)> stream(ZSTD_createDStream(),
                                                                          ZSTD_freeDStream);
    if (!stream) return false;
    // A frame may ask for a window of up to 2 GiB; 128 MiB covers every real file and keeps a
    // hostile header from claiming the memory.
    ZSTD_DCtx_setParameter(stream.get(), ZSTD_d_windowLogMax, 27);
    ZSTD_inBuffer in{compressed.data(), compressed.size(), 0};
    constexpr size_t kChunk = 64 * 1024;
    size_t status = 1;  // non-zero: a frame is unfinished
    while (in.pos < in.size || status != 0) {
        if (budget == 0) {
            bounded = true;
            return false;
        }
        const size_t chunk = std::min(kChunk, budget);
        const size_t before = out.size();
        out.resize(before + chunk);
        ZSTD_outBuffer o{out.data() + before, chunk, 0};
        const size_t inBefore = in.pos;
        status = ZSTD_decompressStream(stream.get(), &o, &in);
        out.resize(before + o.pos);
        budget -= o.pos;
        if (ZSTD_isError(status)) return false;
        // The input ended inside a frame: the data breaks off.
        if (o.pos == 0 && in.pos == inBefore) return status == 0;
    }
    return true;
}

}  // namespace lintrel::pdf
#endif
