// Selection to lines and lines to selection, over the public records.
#include "core/document/selection_lines.h"

#include <algorithm>

namespace pathloom {
namespace {

// Visits every vect, groups and vects in chain order, with its position from 0.
template <class Visit>
void forEachVect(const VectGroup* drawing, Visit visit) {
    int position = 0;
    const VectGroup* group = drawing;
    do {
        if (!group) return;
        const Vect* vect = group->vects;
        do {
            if (!vect) break;
            visit(const_cast<Vect&>(*vect), position++);
            vect = vect->next;
        } while (vect != group->vects);
        group = group->next;
    } while (group != drawing);
}

}  // namespace

std::optional<std::pair<int, int>> selectedVectLines(const VectGroup* drawing,
                                                     const std::vector<int>& lineMap,
                                                     int lineCount) {
    int selected = 0;
    int position = -1;
    forEachVect(drawing, [&](Vect& vect, int at) {
        if (!vect.selected) return;
        ++selected;
        position = at;
    });
    if (selected != 1) return std::nullopt;
    const size_t index = 2 * static_cast<size_t>(position);
    if (index + 1 >= lineMap.size()) return std::nullopt;
    const int first = lineMap[index];
    const int last = std::min(lineMap[index + 1], lineCount - 1);
    if (first < 0 || first >= lineCount || last < first) return std::nullopt;
    return std::pair{first, last};
}

bool selectVectsOnLines(VectGroup* drawing, const std::vector<int>& lineMap, int first, int last) {
    bool changed = false;
    forEachVect(drawing, [&](Vect& vect, int at) {
        const size_t index = 2 * static_cast<size_t>(at);
        bool overlaps = false;
        if (index + 1 < lineMap.size()) {
            const int begin = lineMap[index];
            const int end = lineMap[index + 1];
            overlaps = end >= begin && begin <= last && end >= first;
        }
        const uint8_t wanted = overlaps ? 1 : 0;
        if ((vect.selected != 0) != (wanted != 0)) changed = true;
        vect.selected = wanted;
    });
    return changed;
}

bool clearSelection(VectGroup* drawing) {
    bool changed = false;
    forEachVect(drawing, [&](Vect& vect, int) {
        if (vect.selected) changed = true;
        vect.selected = 0;
    });
    return changed;
}

}  // namespace pathloom
