// Bounding rectangles of items. Measuring needs curves flattened, so the range sits above the
// flattening rather than in the record model beneath it.
#pragma once

#include <lintrel/lintrel.h>

#include "model/transform.h"

namespace lintrel {

// Measures an item; curves without a flattened copy are flattened at `precision` on a copy.
// Returns 0, 21000 or 21003; `out` is written only on success.
int rangeOf(void* item, Reach reach, double precision, RectF& out);

}  // namespace lintrel
