// The queue rule of the exchange selection sort for one class of equal keys.
#include "optimise/exchange_order.h"

namespace lintrel {

namespace {

// A queue that can turn round, held in a circular buffer of fixed capacity. (std::deque is
// avoided: its instantiations would be exported from the shared library.)
class TurningQueue {
  public:
    explicit TurningQueue(size_t capacity) : items_(capacity) {}
    // Moves `count` items from the front to the back, taking the shorter way round.
    void turn(long long count) {
        if (size_ == 0) return;
        const size_t r = static_cast<size_t>(count % static_cast<long long>(size_));
        if (size_ == items_.size()) {
            front_ = (front_ + r) % items_.size();
        } else if (r <= size_ / 2) {
            for (size_t k = 0; k < r; ++k) {
                items_[(front_ + size_) % items_.size()] = items_[front_];
                front_ = (front_ + 1) % items_.size();
            }
        } else {
            for (size_t k = 0; k < size_ - r; ++k) {
                front_ = (front_ + items_.size() - 1) % items_.size();
                items_[front_] = items_[(front_ + size_) % items_.size()];
            }
        }
    }
    void push(int item) { items_[(front_ + size_++) % items_.size()] = item; }
    void drainInto(std::vector<int>& out) const {
        for (size_t k = 0; k < size_; ++k)
            out.push_back(items_[(front_ + k) % items_.size()]);
    }

  private:
    std::vector<int> items_;
    size_t front_ = 0, size_ = 0;
};

}  // namespace

std::vector<int> riderOrder(std::span<const int> members, std::span<const long long> joins,
                            long long passes) {
    TurningQueue queue(members.size());
    size_t next = 0;
    long long pass = 0;
    while (next < members.size() && joins[next] < passes) {
        const long long at = joins[next];
        queue.turn(at - pass);
        pass = at;
        while (next < members.size() && joins[next] == at)
            queue.push(members[next++]);
    }
    queue.turn(passes - pass);
    std::vector<int> order;
    order.reserve(members.size());
    queue.drainInto(order);
    order.insert(order.end(), members.begin() + static_cast<long>(next), members.end());
    return order;
}

}  // namespace lintrel
