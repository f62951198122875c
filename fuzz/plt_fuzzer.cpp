// Feeds arbitrary bytes to the plotter file reader at a fine precision, then scales and
// colours what came out as the import does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/plt/plt_reader.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lintrel::VxPlt plt;
    lintrel::ImportDiagnostics diagnostics;
    lintrel::ChainOwner<VectGroup> groups(
        plt.read(std::string_view(reinterpret_cast<const char*>(data), size), 0.02, diagnostics));
    plt.scale(groups.get(), 1016.0);
    lintrel::colourPenGroups(groups.get());
    return 0;
}
