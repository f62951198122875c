// Colour of a DXF colour index, as the import gives it to a group.
#pragma once

#include <cstdint>

namespace lintrel::dxf {

// 0x00BBGGRR colour of a colour index; an index outside 1 ... 255 takes the colour of index 1.
uint32_t colourOfIndex(int index);

}  // namespace lintrel::dxf
