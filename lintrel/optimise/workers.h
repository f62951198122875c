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

// Calls `work(begin, end, worker)` for the blocks [begin, end) of [0, count), each block once,
// on up to `threads` threads; `worker` (0 <= worker < threads) names the thread's own scratch.
// An exception of any block reaches the caller once every thread has ended.
template <class Work>
void forBlocks(int count, int block, int threads, const Work& work) {
    std::atomic<int> next{0};
    std::vector<std::exception_ptr> failed(static_cast<size_t>(std::max(threads, 1)));
    const auto run = [&](int worker) {
        try {
            for (int begin; (begin = next.fetch_add(block)) < count;)
                work(begin, std::min(count, begin + block), worker);
        } catch (...) {
            failed[static_cast<size_t>(worker)] = std::current_exception();
            next = count;  // the others stop after their current block
        }
    };
    threads = std::max(1, std::min(threads, (count + block - 1) / std::max(block, 1)));
    std::vector<std::thread> others;
    for (int t = 1; t < threads; ++t) {
        try {
            others.emplace_back(run, t);
        } catch (const std::system_error&) {
            break;  // the threads there are share the blocks
        }
    }
    run(0);
    for (std::thread& t : others)
        t.join();
    for (const std::exception_ptr& e : failed)
        if (e) std::rethrow_exception(e);
}

}  // namespace lintrel
