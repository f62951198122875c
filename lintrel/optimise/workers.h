// Threads for the planning of the shortest-travel tour. Work is split into blocks whose results
// do not depend on which thread computes them, so every thread count gives the same plan.
#pragma once

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace lintrel {

// Threads the planning uses: as many as the processor runs at once, unless set for tests.
int workerThreads();
// 0 restores the processor's count. For tests, which compare the plans of several counts.
void setWorkerThreads(int threads);

// Runs `first` on a thread of its own and `second` on this one; both in turn when no thread
// can be had. An exception of either reaches the caller once both have ended.
template <class First, class Second>
void sideBySide(const First& first, const Second& second) {
    std::exception_ptr failed;
    std::thread other;
    try {
        other = std::thread([&] {
            try {
                first();
            } catch (...) {
                failed = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        first();
        second();
        return;
    }
    try {
        second();
    } catch (...) {
        other.join();
        throw;
    }
    other.join();
    if (failed) std::rethrow_exception(failed);
}

// Hands out the blocks [begin, end) of [0, count), each once, to whichever thread asks first.
class Blocks {
  public:
    Blocks(int count, int block) : count_(count), block_(std::max(block, 1)) {}
    bool take(int& begin, int& end) {
        begin = next_.fetch_add(block_);
        if (begin >= count_) return false;
        end = std::min(count_, begin + block_);
        return true;
    }

  private:
    std::atomic<int> next_{0};
    int count_, block_;
};

// Runs `work(t)` on `threads` threads, this one among them as t = 0 (on fewer when no more can
// be had). An exception of any reaches the caller once every thread has ended.
template <class Work>
void onIndexedThreads(int threads, const Work& work) {
    std::vector<std::exception_ptr> failed(static_cast<size_t>(std::max(threads, 1)));
    const auto run = [&](size_t t) {
        try {
            work(static_cast<int>(t));
        } catch (...) {
            failed[t] = std::current_exception();
        }
    };
    std::vector<std::thread> others;
    for (int t = 1; t < threads; ++t) {
        try {
            others.emplace_back(run, static_cast<size_t>(t));
        } catch (const std::system_error&) {
            break;  // the threads there are share the work
        }
    }
    run(0);
    for (std::thread& t : others)
        t.join();
    for (const std::exception_ptr& e : failed)
        if (e) std::rethrow_exception(e);
}

// Runs `work()` on `threads` threads, this one among them.
template <class Work>
void onThreads(int threads, const Work& work) {
    onIndexedThreads(threads, [&](int) { work(); });
}

}  // namespace lintrel
