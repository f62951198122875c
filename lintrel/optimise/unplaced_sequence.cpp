// The linked sequence of the vects the grid sort has not placed yet, and the riding rule of
// the vects in front of a cell's vects.
#include "optimise/unplaced_sequence.h"

namespace lintrel {

UnplacedSequence::UnplacedSequence(int capacity, std::span<const int> ids)
    : nodes_(capacity), size_(static_cast<int>(ids.size())) {
    for (int k = 0; k < size_; ++k) {
        Node& n = nodes_[ids[k]];
        n.prev = k > 0 ? ids[k - 1] : -1;
        n.next = k + 1 < size_ ? ids[k + 1] : -1;
        n.label = k;
    }
    head_ = size_ > 0 ? ids[0] : -1;
}

void UnplacedSequence::unlink(int id) {
    Node& n = nodes_[id];
    if (n.prev >= 0)
        nodes_[n.prev].next = n.next;
    else
        head_ = n.next;
    if (n.next >= 0) nodes_[n.next].prev = n.prev;
    n.prev = n.next = -1;
}

void UnplacedSequence::insertBefore(int id, int at) {
    Node& n = nodes_[id];
    Node& a = nodes_[at];
    n.prev = a.prev;
    n.next = at;
    if (a.prev >= 0)
        nodes_[a.prev].next = id;
    else
        head_ = id;
    a.prev = id;
}

void UnplacedSequence::takeOut(std::span<const int> leaving) {
    // The queue runs from the head of the sequence to just before the next leaving vect: it
    // starts with everything in front of the first and grows by the run before each next one.
    for (const int out : leaving) {
        const int front = head_;
        // With two or more queued vects the front moves to the back, right before `out`,
        // whose place (and label) it then keeps.
        if (front != out && nodes_[front].next != out) {
            unlink(front);
            insertBefore(front, out);
            nodes_[front].label = nodes_[out].label;
        }
        unlink(out);
        --size_;
    }
}

std::vector<int> UnplacedSequence::ids() const {
    std::vector<int> out;
    out.reserve(size_);
    for (int id = head_; id >= 0; id = nodes_[id].next)
        out.push_back(id);
    return out;
}

}  // namespace lintrel
