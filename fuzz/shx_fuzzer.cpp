// Feeds arbitrary bytes to the SHX loader as a shape, Unicode or big font (whatever the
// signature says) and lays out a text through every byte value with it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fonts/shx_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto font = lintrel::fonts::ShxFile::fromBytes(std::vector<uint8_t>(data, data + size));
    std::string text;
    for (int c = 1; c < 256; ++c)
        text += static_cast<char>(c);
    lintrel::fonts::CShxRead reader(font.get(), font.get());
    reader.drawText(text, 2.5, 0.8, 0);
    reader.drawText("{\\fx;il#\xC4\xE3}", 1, 1, 3);
    return 0;
}
