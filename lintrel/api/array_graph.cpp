// Storage of the indexed array family's group chain. The library never frees it on unload;
// the host empties it with VarnixCadArray_DelAll.
#include "api/array_graph.h"

namespace lintrel {

VectGroup*& arrayChain() {
    static VectGroup* chain = nullptr;
    return chain;
}

}  // namespace lintrel
