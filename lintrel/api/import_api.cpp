// Exports of the import family: a drawing file into a new group chain, or into the array chain.
#include <lintrel/lintrel.h>

#include "import/reader.h"

using namespace lintrel;

extern "C" {

LINTREL_API VectGroup* VarnixCad3_ImportVectGraph(const char* fileName, double pltUnits,
                                                  int importOptions, double precision,
                                                  int moveToOrigin) {
    try {
        return VxCadReader().importFile(fileName, pltUnits, importOptions, precision,
                                        moveToOrigin != 0);
    } catch (...) {
        return nullptr;  // out of memory on a huge drawing: nothing imported
    }
}

LINTREL_API int VarnixCadArray_ImportVectGraph(const char* fileName, double pltUnits,
                                               int importOptions, double precision) {
    try {
        importArrayChain(fileName, pltUnits, importOptions, precision);
    } catch (...) {
    }
    return LINTREL_OK;
}

}  // extern "C"
