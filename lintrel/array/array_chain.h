// The indexed array family's group chain, held for the whole process, and the record logic the
// family's exports share: vects addressed by a running index (all vects of the first group, then
// of the next, ...) and exchanged as 104-byte records, one per defining seg.
#pragma once

#include <lintrel/lintrel.h>

#include "base/diagnostics.h"

namespace lintrel {

// The first group of the array chain (null when empty). The reference may be handed to
// operations that move or clear a list pointer.
VectGroup*& arrayChain();

// A vect of the array chain and the group that holds it; both null when there is none.
struct ArrayPosition {
    VectGroup* group = nullptr;
    Vect* vect = nullptr;
};
ArrayPosition arrayVectAt(int index);

// Adds a one-seg vect made from `record` to the group of its number, appending that group
// first when the chain has none.
void arrayAddRecord(const ArrayRecord& record);
// Deletes the vect at `index` (and its group when that empties); 21000 when there is none.
int arrayDeleteVect(int index);
// Splices the vects `records` describe in at `index` (appended to the last group past the end);
// `replace` deletes the vect that was there. 21000 (nothing changed) for a bad index, an empty
// chain or records that do not form vects.
int arraySpliceRecords(const ArrayRecord* records, int recordCount, int index, bool replace);
// Number of defining segs over the whole chain.
int arraySegCount();
// Writes up to `maxRecords` records of the chain in order, every curve's flattened copy built
// first so that each first record carries its vect's start.
void arrayRecords(ArrayRecord* records, int maxRecords);

// The array family's import: replaces the array chain with the drawing, every curve but arcs
// reduced to line segments.
void importArrayChain(const char* fileName, double pltUnits, int importOptions, double precision,
                      ImportDiagnostics& diagnostics);

}  // namespace lintrel
