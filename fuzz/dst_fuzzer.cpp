// Feeds arbitrary bytes to the stitch file reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/dst_reader.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lintrel::VxDst dst;
    lintrel::ChainOwner<VectGroup> group(
        dst.read(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
