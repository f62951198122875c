// The motion table: a drawing as a flat array of doubles, a sequence of motion commands that a
// controller program walks directly. Element 0 holds the element count; each command is a code,
// a parameter count n and n parameters.
#pragma once

#include <lintrel/lintrel.h>

#include <cstddef>
#include <span>

namespace lintrel {

namespace table {
enum Code {
    kEnd = 0,
    kStartMarker = 1,
    kEndMarker = 2,
    kShapeStart = 3,
    kShapeEnd = 4,
    kGroup = 20,
    kRange = 21,
    kMove = 100,
    kLine = 101,
    kArc = 102,
    kSpline = 105,
    kPoint = 111,
    kCoordinateMode = 1000,
};
}  // namespace table

// Writes the table of a group chain into `out`, or only counts its elements when `out` is null.
// Curve vects without a flattened copy get one. Returns the element count.
size_t exportTable(VectGroup* first, double* out);

// Builds a new group chain from a table; `table` holds the elements available. The chain
// starts with group 1, which is made before reading.
VectGroup* loadTable(std::span<const double> table);

}  // namespace lintrel
