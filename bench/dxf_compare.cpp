// Side-by-side DXF throughput: libdxflib parsing a file with empty callbacks, and our import
// (read and convert, curves kept) of the same file, each timed over whole runs in one process.
// Both are single-threaded; the figures are process CPU time, which stays meaningful on a machine
// shared with other work (wall-clock times are printed beside them).
//   dxf_compare <file.dxf> [rounds]
#include <lintrel/lintrel.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Timing {
    double cpu = 1e300;
    double wall = 1e300;
};

// Best of `rounds` CPU and wall-clock times of `run`, in seconds.
template <class F>
Timing bestOf(int rounds, F run) {
    Timing best;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        if (!run()) {
            std::fprintf(stderr, "a run failed\n");
            std::exit(1);
        }
        best.cpu = std::min(best.cpu, cpuSeconds() - cpuStart);
        best.wall =
            std::min(best.wall, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s file.dxf [rounds]\n", argv[0]);
        return 2;
    }
    const char* path = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    const Timing theirs = bestOf(rounds, [&] {
        DL_CreationAdapter ignore;
        DL_Dxf dxf;
        return dxf.in(path, &ignore);
    });
    // The drawing an import returns belongs to the caller: it is counted and freed outside the
    // timing.
    long vects = 0;
    Timing ours;
    for (int i = 0; i < rounds; ++i) {
        VectGroup* groups = nullptr;
        const Timing one = bestOf(1, [&] {
            groups = VarnixCad3_ImportVectGraph(path, 1016.0, 1, 0.05, 0);
            return groups != nullptr;
        });
        vects = 0;
        VectGroup* g = groups;
        do {
            vects += VarnixCad3_ItemGetListNum(g->vects);
            g = g->next;
        } while (g != groups);
        VarnixCad3_DeleteChain(groups);
        ours.cpu = std::min(ours.cpu, one.cpu);
        ours.wall = std::min(ours.wall, one.wall);
    }

    std::printf("file           %s (%.1f MB), best of %d\n", path, megabytes, rounds);
    std::printf(
        "libdxflib      cpu %7.3f s %8.1f MB/s   wall %7.3f s %8.1f MB/s  (parse, empty "
        "callbacks)\n",
        theirs.cpu, megabytes / theirs.cpu, theirs.wall, megabytes / theirs.wall);
    std::printf(
        "lintrel import cpu %7.3f s %8.1f MB/s   wall %7.3f s %8.1f MB/s  (read + convert, %ld "
        "vects)\n",
        ours.cpu, megabytes / ours.cpu, ours.wall, megabytes / ours.wall, vects);
    std::printf("ratio          cpu %7.2f x                 wall %7.2f x\n", theirs.cpu / ours.cpu,
                theirs.wall / ours.wall);
    return 0;
}
