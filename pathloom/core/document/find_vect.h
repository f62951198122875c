// Finding a vect in a drawing by a test on the vect and its position, the way the commands count
// positions: from 1 over every vect of every group, in chain order.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

namespace pathloom {

// A vect found in a drawing: its group, itself and its position counted from 1 over all groups.
struct VectPlace {
    VectGroup* group = nullptr;
    Vect* vect = nullptr;
    int position = 0;
};
// The first vect, groups and vects in order, for which `test(vect, position)` holds.
template <class Test>
VectPlace findVect(VectGroup* drawing, Test test) {
    int position = 0;
    for (VectGroup* group : lintrel::ring(drawing)) {
        for (Vect* v : lintrel::ring(group->vects)) {
            if (test(static_cast<const Vect&>(*v), ++position)) return {group, v, position};
        }
    }
    return {};
}

}  // namespace pathloom
