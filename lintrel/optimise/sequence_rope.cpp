// The implicit treap behind the grid sort's sequence of unplaced vects.
#include "optimise/sequence_rope.h"

namespace lintrel {

SequenceRope::SequenceRope(int capacity)
    : left_(capacity, -1),
      right_(capacity, -1),
      parent_(capacity, -1),
      size_(capacity, 1),
      priority_(capacity) {
    // A fixed pseudo-random sequence keeps the trees balanced and runs repeatable.
    uint32_t state = 2463534242u;
    for (uint32_t& p : priority_) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        p = state;
    }
}

void SequenceRope::pull(int node) {
    size_[node] = 1 + size(left_[node]) + size(right_[node]);
    setParent(left_[node], node);
    setParent(right_[node], node);
}

int SequenceRope::build(std::span<const int> values) {
    // A right spine kept as a stack: each value becomes the root of the nodes it outranks.
    std::vector<int> spine;
    for (int v : values) {
        left_[v] = right_[v] = -1;
        int last = -1;
        while (!spine.empty() && priority_[spine.back()] < priority_[v]) {
            last = spine.back();
            pull(last);
            spine.pop_back();
        }
        left_[v] = last;
        if (!spine.empty()) right_[spine.back()] = v;
        spine.push_back(v);
    }
    for (auto it = spine.rbegin(); it != spine.rend(); ++it)
        pull(*it);
    if (spine.empty()) return -1;
    parent_[spine.front()] = -1;
    return spine.front();
}

int SequenceRope::rank(int value) const {
    int r = size(left_[value]);
    for (int node = value; parent_[node] >= 0; node = parent_[node])
        if (right_[parent_[node]] == node) r += size(left_[parent_[node]]) + 1;
    return r;
}

int SequenceRope::join(int left, int right) {
    if (left < 0 || right < 0) {
        const int root = left < 0 ? right : left;
        if (root >= 0) parent_[root] = -1;
        return root;
    }
    if (priority_[left] > priority_[right]) {
        right_[left] = join(right_[left], right);
        pull(left);
        parent_[left] = -1;
        return left;
    }
    left_[right] = join(left, left_[right]);
    pull(right);
    parent_[right] = -1;
    return right;
}

void SequenceRope::cut(int root, int count, int& left, int& right) {
    if (root < 0) {
        left = right = -1;
        return;
    }
    if (size(left_[root]) >= count) {
        cut(left_[root], count, left, left_[root]);
        pull(root);
        right = root;
    } else {
        cut(right_[root], count - size(left_[root]) - 1, right_[root], right);
        pull(root);
        left = root;
    }
    if (left >= 0) parent_[left] = -1;
    if (right >= 0) parent_[right] = -1;
}

void SequenceRope::collect(int root, std::vector<int>& out) const {
    // Iterative in-order walk: deep trees must not exhaust the stack.
    std::vector<int> stack;
    for (int node = root; node >= 0 || !stack.empty();) {
        if (node >= 0) {
            stack.push_back(node);
            node = left_[node];
        } else {
            node = stack.back();
            stack.pop_back();
            out.push_back(node);
            node = right_[node];
        }
    }
}

}  // namespace lintrel
