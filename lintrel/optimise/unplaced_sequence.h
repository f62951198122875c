// The vects the grid sort has not placed yet, in the order the scan's swaps leave them: a
// doubly linked list over the vects' ids with an order label per vect. A cell's vects leave
// the list and the vects in front of them ride forward (exchange_order.h); a vect that rides
// lands where a leaving vect stood and takes its label, so the labels stay in list order
// without ever being renumbered and compare two vects' places in constant time.
#pragma once

#include <span>
#include <vector>

namespace lintrel {

class UnplacedSequence {
  public:
    // Ids are 0 .. capacity-1; `ids` is the sequence, each id at most once.
    UnplacedSequence(int capacity, std::span<const int> ids);

    int size() const { return size_; }
    // Compares as the places of two ids in the sequence do.
    int label(int id) const { return nodes_[id].label; }
    // Takes `leaving` (ids in sequence order) out. The vects before each leaving one form a
    // queue that grows by the run in front of it, and whose front then moves to its back.
    void takeOut(std::span<const int> leaving);
    // The ids in sequence order.
    std::vector<int> ids() const;

  private:
    struct Node {
        int prev = -1, next = -1, label = 0;
    };
    void unlink(int id);
    void insertBefore(int id, int at);

    std::vector<Node> nodes_;
    int head_ = -1;
    int size_ = 0;
};

}  // namespace lintrel
