// Feeds arbitrary bytes to the DXF reader and converter, then flattens what came out, so that
// every path from bytes to line segments is exercised.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "curves/flatten.h"
#include "import/dxf/vx_dxf.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lintrel::VxDxf dxf;
    dxf.readBuffer(std::string_view(reinterpret_cast<const char*>(data), size), 1, 0.05);
    lintrel::ChainOwner<VectGroup> groups(dxf.convert());
    lintrel::flattenGroupChain(groups.get(), 0.5);
    return 0;
}
