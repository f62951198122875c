// A sequence of small integers that can be cut and joined anywhere in logarithmic time (an
// implicit treap), and that tells the position of any of its values. The grid sort keeps the
// vects it has not placed yet in one.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lintrel {

class SequenceRope {
  public:
    // Values are 0 .. capacity-1; each may be in the sequence at most once.
    explicit SequenceRope(int capacity);

    // A tree holding `values` in order; returns its root (-1 for none).
    int build(std::span<const int> values);
    // Position of `value` within the tree that holds it.
    int rank(int value) const;
    int size(int root) const { return root < 0 ? 0 : size_[root]; }
    // Joins two trees, `left` first.
    int join(int left, int right);
    // Cuts a tree after its first `count` values.
    void cut(int root, int count, int& left, int& right);
    // The values of a tree, in order.
    void collect(int root, std::vector<int>& out) const;

  private:
    void pull(int node);
    void setParent(int child, int parent) {
        if (child >= 0) parent_[child] = parent;
    }

    std::vector<int> left_, right_, parent_, size_;
    std::vector<uint32_t> priority_;
};

}  // namespace lintrel
