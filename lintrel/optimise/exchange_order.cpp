// The queue rule of the exchange selection sort for one class of equal keys.
#include "optimise/exchange_order.h"

namespace lintrel {

namespace {

// Moves `count` items from the front of the queue to its back, taking the shorter way round.
void rotate(std::deque<int>& queue, long long count) {
    if (queue.empty()) return;
    const long long size = static_cast<long long>(queue.size());
    long long r = count % size;
    if (r <= size / 2) {
        for (; r > 0; --r) {
            queue.push_back(queue.front());
            queue.pop_front();
        }
    } else {
        for (r = size - r; r > 0; --r) {
            queue.push_front(queue.back());
            queue.pop_back();
        }
    }
}

}  // namespace

std::vector<int> riderOrder(std::span<const int> members, std::span<const long long> joins,
                            long long passes) {
    std::deque<int> queue;
    size_t next = 0;
    long long pass = 0;
    while (next < members.size() && joins[next] < passes) {
        const long long at = joins[next];
        rotate(queue, at - pass);
        pass = at;
        while (next < members.size() && joins[next] == at)
            queue.push_back(members[next++]);
    }
    rotate(queue, passes - pass);
    std::vector<int> order(queue.begin(), queue.end());
    order.insert(order.end(), members.begin() + static_cast<long>(next), members.end());
    return order;
}

}  // namespace lintrel
