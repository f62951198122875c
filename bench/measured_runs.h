// What the benchmarks that report growth share: cold caches and a settled allocator before each
// measured call, the best of several repetitions, and a table of each benchmark's time per
// size and its growth from one size to the next.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace lintrel::bench {

// Streams through a buffer larger than the caches, so that every size starts from memory as a
// drawing does that was imported a while ago. Without it the small drawings would be measured
// in a cache the copy has just warmed and the growth between sizes would mostly show where
// the drawing stops fitting into the cache.
inline void evictCaches() {
    static std::vector<char> buffer(256u << 20);
    static char round = 0;
    ++round;
    for (size_t i = 0; i < buffer.size(); i += 64)
        buffer[i] = round;
    benchmark::DoNotOptimize(buffer.data());
}

// glibc keeps freed small records in quick lists and folds them back into its free lists only at
// the next large request. One large request before each copy settles the deletion of the
// previous copy: the deletion is not paid for inside the next measured call (whose first
// vector is such a request), and the copy is laid out in memory as a drawing read from a file
// is, record after record, instead of in the order the quick lists hand records back.
inline void settleAllocator() {
    void* block = std::malloc(4096);
    benchmark::DoNotOptimize(block);
    std::free(block);
}

// The best of the repetitions (the machine is shared).
inline double fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// Prints the usual console output and, at the end, each benchmark's time per size (the first
// argument) and its growth from one size to the next.
class GrowthReporter : public benchmark::ConsoleReporter {
  public:
    explicit GrowthReporter(std::vector<long> sizes) : sizes_(std::move(sizes)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "min") continue;
            const std::string& args = run.run_name.args;
            const size_t colon = args.find(':'), slash = args.find('/');
            const size_t from = colon < slash ? colon + 1 : 0;
            const std::string name = run.run_name.function_name + rest(args, slash);
            times_[name][std::stol(args.substr(from, slash - from))] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-34s", "operation");
        for (const long size : sizes_)
            std::printf(" %10ld ms", size);
        for (size_t k = 1; k < sizes_.size(); ++k)
            std::printf(" %8s", "growth");
        std::printf("\n");
        for (const auto& [name, bySize] : times_) {
            std::printf("%-34s", name.c_str());
            for (const long size : sizes_) {
                const auto it = bySize.find(size);
                if (it == bySize.end())
                    std::printf(" %13s", "-");
                else
                    std::printf(" %13.3f", it->second);
            }
            for (size_t k = 1; k < sizes_.size(); ++k) {
                const auto hi = bySize.find(sizes_[k]), lo = bySize.find(sizes_[k - 1]);
                if (hi == bySize.end() || lo == bySize.end() || lo->second <= 0)
                    std::printf(" %8s", "-");
                else
                    std::printf(" %8.2f", hi->second / lo->second);
            }
            std::printf("\n");
        }
    }

  private:
    // The arguments after the size, which name variants of one benchmark.
    static std::string rest(const std::string& args, size_t slash) {
        if (slash == std::string::npos) return "";
        std::string tail = args.substr(slash);
        const size_t repeats = tail.find("/repeats:");
        const size_t iterations = tail.find("/iterations:");
        return tail.substr(0, std::min(repeats, iterations));
    }

    std::vector<long> sizes_;
    std::map<std::string, std::map<long, double>> times_;
};

}  // namespace lintrel::bench
