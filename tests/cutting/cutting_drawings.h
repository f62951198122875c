// Drawings for the cutting tests: rectangles, circles, a plate of parts with holes, and reading
// back the order and the outlines of a drawing through the public interface.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include <random>
#include <vector>

#include "support/builders.h"

namespace lintrel::test {

// A closed rectangle, counter-clockwise from its lower-left corner (clockwise with `clockwise`).
inline Vect* rectangle(double x, double y, double w, double h, bool clockwise = false) {
    if (clockwise)
        return polylineOf({{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}, {x, y}}, true);
    return polylineOf({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}}, true);
}

// A part of `size` at (x, y) with four round holes, the holes listed first or last at random,
// as drawings come from CAD programs in any order.
inline void addPart(VectGroup* g, double x, double y, double size, std::mt19937& random) {
    std::vector<Vect*> shapes{rectangle(x, y, size, size)};
    const double r = size / 10;
    for (double fx : {0.25, 0.75})
        for (double fy : {0.25, 0.75})
            shapes.push_back(circle(x + fx * size, y + fy * size, r));
    std::shuffle(shapes.begin(), shapes.end(), random);
    for (Vect* v : shapes)
        append(g->vects, v);
}

// A sheet of columns x rows parts with holes, 10 apart, in one group.
inline VectGroup* plateOfParts(int columns, int rows, unsigned seed, double size = 40) {
    std::mt19937 random(seed);
    VectGroup* g = groupOf({});
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            addPart(g, c * (size + 10), r * (size + 10), size, random);
    return g;
}

// Containment of a drawing through the export.
struct Nesting {
    std::vector<int> parent, depth;
};
inline Nesting nestingOf(void* list, double precision = 0.01) {
    int count = 0;
    Lintrel_GetContainment(list, precision, nullptr, nullptr, &count);
    Nesting n{std::vector<int>(count), std::vector<int>(count)};
    Lintrel_GetContainment(list, precision, n.parent.data(), n.depth.data(), &count);
    return n;
}

// False in a build without a polygon offsetter (the Windows DLL), where kerf offsets answer
// 21001.
inline bool offsetterBuilt() {
    ChainOwner<VectGroup> square(groupOf({rectangle(0, 0, 1, 1)}));
    const KerfRecord record{-1, LINTREL_KERF_OUTSIDE, LINTREL_CORNER_ROUND, 0, 0.1, 2};
    void* result = nullptr;
    const int code = Lintrel_KerfOffset(square.get(), &record, 1, 0.01, &result, nullptr, 0);
    if (result) VarnixCad3_DeleteChain(result);
    return code != LINTREL_NOT_AVAILABLE;
}

// The points of a vect's working chain, the first repeated at the end of a closed chain.
inline std::vector<Point> chainPoints(const Vect& v) {
    std::vector<Point> out;
    const Seg* head = workingChain(v);
    if (!head) return out;
    out.push_back(segStart(*head));
    for (const Seg* s : ring(head))
        out.push_back(segEnd(*s));
    return out;
}

}  // namespace lintrel::test
