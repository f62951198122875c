// A build without libzstd (the Windows cross build): Zstandard data is refused, and the
// Illustrator reader says so in its diagnostics.
#ifdef LINTREL_NO_ZSTD
#include "import/ai/pdf_container.h"

namespace lintrel::pdf {

bool zstdAvailable() {
    return false;
}

bool unzstd(std::string_view, std::string&, size_t&, bool&) {
    return false;
}

}  // namespace lintrel::pdf
#endif
