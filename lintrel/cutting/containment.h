// Which closed outline of a drawing lies inside which, at any depth: a tree over bounding boxes
// finds the outlines whose box holds a shape's box, and a point of the shape that lies on
// neither outline decides, smallest outline first.
#pragma once

#include <span>
#include <vector>

#include "cutting/outline.h"

namespace lintrel {

struct Containment {
    std::vector<int> parent;  // the smallest closed outline enclosing each shape, or -1
    std::vector<int> depth;   // how many closed outlines enclose each shape
};

// Open shapes have no inside but lie inside others. A shape lies inside a closed outline of
// larger area whose box holds its box (within `tolerance`) when the first of its points that is
// farther than `tolerance` from the outline lies inside it; shapes all of whose points touch the
// outline (duplicates) lie beside it. Crossing outlines are judged by that point alone. O(n log n)
// for nested shapes.
Containment findContainment(std::span<const Outline> outlines, double tolerance);

// Where a point lies with respect to a closed outline.
enum class Where { Inside, Outside, OnEdge };
Where locatePoint(const Outline& closed, Point p, double tolerance);

}  // namespace lintrel
