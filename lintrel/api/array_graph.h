// The group chain that the indexed array family works on, held for the whole process.
#pragma once

#include <lintrel/lintrel.h>

namespace lintrel {

// The first group of the array chain (null when empty). The reference may be handed to
// operations that move or clear a list pointer.
VectGroup*& arrayChain();

}  // namespace lintrel
