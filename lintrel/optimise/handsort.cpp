// The manual moves of the selected vects of a list: one place forward or back, to the front or
// the end, and reversing their order among themselves. Unselected vects keep their order.
#include <algorithm>
#include <vector>

#include "model/items.h"
#include "optimise/ordering.h"
#include "optimise/sort_list.h"

namespace lintrel {

namespace {

// Walking from the front, each selected vect moves in front of the nearest unselected vect
// before it: an unselected vect drops behind the selected run that follows it.
std::vector<Vect*> forward(const std::vector<Vect*>& items) {
    std::vector<Vect*> out;
    out.reserve(items.size());
    Vect* held = nullptr;
    for (Vect* v : items) {
        if (v->selected) {
            out.push_back(v);
            continue;
        }
        if (held) out.push_back(held);
        held = v;
    }
    if (held) out.push_back(held);
    return out;
}

std::vector<Vect*> backward(std::vector<Vect*> items) {
    std::reverse(items.begin(), items.end());
    std::vector<Vect*> out = forward(items);
    std::reverse(out.begin(), out.end());
    return out;
}

// The selected vects gather at the front (or the end) in their old order.
std::vector<Vect*> gather(const std::vector<Vect*>& items, bool toFront) {
    std::vector<Vect*> out;
    out.reserve(items.size());
    for (bool firstPass : {true, false})
        for (Vect* v : items)
            if (((v->selected != 0) == toFront) == firstPass) out.push_back(v);
    return out;
}

std::vector<Vect*> reverseSelected(std::vector<Vect*> items) {
    std::vector<size_t> at;
    for (size_t k = 0; k < items.size(); ++k)
        if (items[k]->selected) at.push_back(k);
    for (size_t a = 0, b = at.size(); a + 1 < b; ++a, --b)
        std::swap(items[at[a]], items[at[b - 1]]);
    return items;
}

}  // namespace

std::optional<HandMove> handMoveOf(int number) {
    if (number < 1 || number > 5) return std::nullopt;
    return static_cast<HandMove>(number);
}

int handSortList(Vect*& head, HandMove move) {
    if (!head || baseTypeOf(head) != LINTREL_BASE_VECT) return LINTREL_BAD_ARGUMENT;
    std::vector<Vect*> items;
    for (Vect* v : ring(head))
        items.push_back(v);
    std::vector<Vect*> moved;
    switch (move) {
        case HandMove::Forward:
            moved = forward(items);
            break;
        case HandMove::Backward:
            moved = backward(items);
            break;
        case HandMove::ToFront:
            moved = gather(items, true);
            break;
        case HandMove::ToEnd:
            moved = gather(items, false);
            break;
        case HandMove::ReverseOrder:
            moved = reverseSelected(items);
            break;
    }
    const bool changed = moved != items;
    if (changed) relinkInOrder(head, moved);
    if (move == HandMove::ReverseOrder)
        return std::any_of(items.begin(), items.end(), [](const Vect* v) { return v->selected; })
                   ? LINTREL_OK
                   : LINTREL_NOTHING_TO_DO;
    return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel
