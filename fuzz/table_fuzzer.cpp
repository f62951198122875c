// Feeds motion tables to the table loader, then exports what it built and loads that again. Most
// bytes become the codes and small numbers a real table holds, so that the fuzzer reaches the
// commands; with the first byte odd the input is taken as raw doubles instead.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "editing/motion_table.h"
#include "model/items.h"

namespace {

double elementOf(uint8_t b) {
    static const double special[] = {0,
                                     1,
                                     2,
                                     3,
                                     4,
                                     20,
                                     21,
                                     100,
                                     101,
                                     102,
                                     105,
                                     111,
                                     1000,
                                     std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     -1};
    if (b < 16) return special[b];
    return (static_cast<int>(b) - 136) / 4.0;
}

std::vector<double> tableOf(const uint8_t* data, size_t size) {
    std::vector<double> table;
    if (data[0] & 1) {
        table.resize((size - 1) / sizeof(double));
        if (!table.empty()) std::memcpy(table.data(), data + 1, table.size() * sizeof(double));
        return table;
    }
    table.push_back(static_cast<double>(size));
    for (size_t i = 1; i < size; ++i)
        table.push_back(elementOf(data[i]));
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::vector<double> table = tableOf(data, size);
    if (table.size() <= 1) return 0;
    lintrel::ChainOwner<VectGroup> loaded(lintrel::loadTable(table));
    if (!loaded) return 0;
    std::vector<double> again(lintrel::exportTable(loaded.get(), nullptr));
    lintrel::exportTable(loaded.get(), again.data());
    lintrel::ChainOwner<VectGroup> reloaded(lintrel::loadTable(again));
    return 0;
}
