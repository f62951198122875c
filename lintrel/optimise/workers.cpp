// The thread count of the tour's planning.
#include "optimise/workers.h"

namespace lintrel {

namespace {
std::atomic<int> chosenThreads{0};
}

int workerThreads() {
    const int chosen = chosenThreads.load();
    if (chosen > 0) return chosen;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void setWorkerThreads(int threads) {
    chosenThreads = std::max(0, threads);
}

}  // namespace lintrel
