// Internal view of the item records: construction, copying and deletion, beside the ring
// walking, splicing and chain ownership of lintrel.hpp. Every subsystem of the library builds
// and rearranges chains with these helpers instead of writing its own pointer loops.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include <cstddef>
#include <utility>

namespace lintrel {

// ---- Construction ----

Seg* newSeg();
Seg* newLine(double x0, double y0, double x1, double y1);
Vect* newVect();
VectGroup* newGroup();
Image* newImage();
Graph* newGraph();

// ---- Deletion: each frees the item(s) and everything they own ----

void deleteSegChain(Seg* first);
void deleteVectChain(Vect* first);
void deleteGroupChain(VectGroup* first);
void deleteImageChain(Image* first);
void deleteGraph(Graph* graph);
void deleteLoneVect(Vect* vect);
// Deletes any item kind's whole ring; false for an unknown base type.
bool deleteAnyChain(void* item);
// Unlinks `item` from its ring and frees it; false for an unknown base type.
bool deleteAnyItem(void* item);

// ---- Copying: deep copies as lone items or whole new rings ----

Seg* copySeg(const Seg* seg);
Seg* copySegChain(const Seg* first);
Vect* copyVect(const Vect* vect);  // action texts are not copied
Vect* copyVectChain(const Vect* first);
VectGroup* copyGroup(const VectGroup* group);
VectGroup* copyGroupChain(const VectGroup* first);
Image* copyImage(const Image* image);
Image* copyImageChain(const Image* first);
Graph* copyGraph(const Graph* graph);
// Copies the whole ring of any item kind; null for an unknown base type.
void* copyAnyChain(const void* item);
// Copies one item as a lone item; null for an unknown base type.
void* copyAnyOne(const void* item);

// Replaces a vect's defining chain, freeing the old one.
void replaceSegs(Vect* vect, Seg* segs);
// Frees a vect's flattened copy, if any.
void clearFlatSegs(Vect* vect);

// Numbers the groups of a chain 1, 2, ... in chain order.
void numberGroups(VectGroup* first);

// ---- Strings on the runtime heap shared with the host ----

char* duplicateText(const char* text);  // null stays null
void freeText(char*& text);

}  // namespace lintrel
