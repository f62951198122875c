// Progress reports and cancelling through the per-thread callback: a sort and a clean-up stopped
// before they change anything leave their list as given and say so; reports do not change
// results; another thread's work is not reported. Groups sorted side by side come out as sorted
// in turn, and a stop stops all of them or none.
#include <gtest/gtest.h>

#include <lintrel/lintrel.h>

#include <algorithm>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "optimise/ordering.h"
#include "optimise/ordering_random.h"
#include "optimise/random_drawing.h"
#include "optimise/workers.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

struct Listener {
    std::vector<int> percents;
    int stopAfter = -1;  // reports before asking to stop; -1 never
};

int listen(void* context, int percent) {
    auto& listener = *static_cast<Listener*>(context);
    listener.percents.push_back(percent);
    return listener.stopAfter >= 0 &&
           static_cast<int>(listener.percents.size()) > listener.stopAfter;
}

// Start points in list order: what a sort changes (order and direction).
std::vector<std::pair<double, double>> starts(Vect* head) {
    std::vector<std::pair<double, double>> out;
    for (Vect* v : vectsOf(head))
        out.push_back({v->segs->x0, v->segs->y0});
    return out;
}

class Progress : public ::testing::Test {
  protected:
    void TearDown() override {
        Lintrel_SetProgressCallback(nullptr, nullptr);
        setWorkerThreads(0);
    }
    static Vect* drawing() { return RandomDrawing(7, 400, 0.1).list(9000); }
};

// Lines only: every reversal is an exchange of ends that waits for the end of the sort.
Vect* lines(int count, unsigned seed = 3) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> at(0, 500);
    Vect* head = nullptr;
    for (int i = 0; i < count; ++i) {
        const double x = at(random), y = at(random);
        append(head, polyline({{x, y}, {x + 2, y + 1}}));
    }
    return head;
}

TEST_F(Progress, AStoppedSortLeavesTheListAsGiven) {
    for (int stopAfter : {0, 2}) {
        ChainOwner<Vect> list(lines(9000));
        const std::vector<Vect*> before = vectsOf(list.get());
        const auto startsBefore = starts(list.get());
        Listener listener;
        listener.stopAfter = stopAfter;
        Lintrel_SetProgressCallback(&listen, &listener);
        EXPECT_EQ(Lintrel_AutoSort(reinterpret_cast<void**>(&list.head()), 1, 1, 0),
                  LINTREL_CANCELLED);
        EXPECT_EQ(static_cast<int>(listener.percents.size()), stopAfter + 1);
        EXPECT_EQ(vectsOf(list.get()), before);
        EXPECT_EQ(starts(list.get()), startsBefore);
        EXPECT_TRUE(wellLinked(list.get()));
    }
    // An arc without a flattened copy is turned at once; from then on the sort finishes.
    ChainOwner<Vect> list(drawing());
    Listener listener;
    listener.stopAfter = 2;
    Lintrel_SetProgressCallback(&listen, &listener);
    EXPECT_EQ(Lintrel_AutoSort(reinterpret_cast<void**>(&list.head()), 1, 1, 0), LINTREL_OK);
}

TEST_F(Progress, ReportsRiseAndLeaveTheResultAsWithoutThem) {
    ChainOwner<Vect> plain(drawing()), reported(drawing());
    ASSERT_EQ(Lintrel_AutoSort(reinterpret_cast<void**>(&plain.head()), 1, 1, 0), LINTREL_OK);
    Listener listener;
    Lintrel_SetProgressCallback(&listen, &listener);
    ASSERT_EQ(Lintrel_AutoSort(reinterpret_cast<void**>(&reported.head()), 1, 1, 0), LINTREL_OK);
    EXPECT_EQ(starts(reported.get()), starts(plain.get()));
    ASSERT_GE(listener.percents.size(), 4u);  // 9000 vects, a report every 2048
    EXPECT_TRUE(std::is_sorted(listener.percents.begin(), listener.percents.end()));
    EXPECT_LE(listener.percents.back(), 100);
}

TEST_F(Progress, AStoppedCleanUpChangesNothingAndOtherThreadsAreNotReported) {
    ChainOwner<Vect> list(drawing());
    const std::vector<Vect*> before = vectsOf(list.get());
    Listener listener;
    listener.stopAfter = 0;
    Lintrel_SetProgressCallback(&listen, &listener);
    EXPECT_EQ(Lintrel_DelSameSeg(list.get(), 0), LINTREL_CANCELLED);
    EXPECT_EQ(vectsOf(list.get()), before);

    // The callback belongs to this thread: a sort on another one runs to its end unreported.
    listener.percents.clear();
    int code = -1;
    std::thread([&] {
        code = Lintrel_AutoSort(reinterpret_cast<void**>(&list.head()), 1, 1, 0);
    }).join();
    EXPECT_EQ(code, LINTREL_OK);
    EXPECT_TRUE(listener.percents.empty());
    // Without a callback the clean-up runs as ever and finds the drawing's duplicates.
    Lintrel_SetProgressCallback(nullptr, nullptr);
    EXPECT_EQ(Lintrel_DelSameSeg(list.get(), 0), LINTREL_OK);
    EXPECT_LT(vectsOf(list.get()).size(), before.size());
}

// Groups of lines long enough for the nearest-neighbour sort to take each on a thread.
VectGroup* groupsOfLines(const std::vector<int>& sizes) {
    VectGroup* first = nullptr;
    for (size_t g = 0; g < sizes.size(); ++g) {
        VectGroup* group = VarnixCad3_NewVectGroup();
        group->number = static_cast<int>(g) + 1;
        group->vects = lines(sizes[g], static_cast<unsigned>(g) + 11);
        append(first, group);
    }
    return first;
}

std::string signatures(VectGroup* first) {
    std::string out;
    for (VectGroup* group : ring(first))
        out += signature(group->vects) + "--\n";
    return out;
}

TEST_F(Progress, GroupsSortedSideBySideComeOutAsSortedInTurn) {
    const std::vector<int> sizes{4100, 6000, 300, 5000};
    ChainOwner<VectGroup> inTurn(groupsOfLines(sizes));
    for (VectGroup* group : ring(inTurn.get()))
        ASSERT_EQ(autoSortList(group->vects, SortMode::Nearest, true, false), LINTREL_OK);
    for (int threads : {1, 2, 3}) {
        setWorkerThreads(threads);
        ChainOwner<VectGroup> sorted(groupsOfLines(sizes));
        Listener listener;
        Lintrel_SetProgressCallback(&listen, &listener);
        EXPECT_EQ(Lintrel_AutoSort(reinterpret_cast<void**>(&sorted.head()), 1, 1, 0), LINTREL_OK);
        Lintrel_SetProgressCallback(nullptr, nullptr);
        EXPECT_EQ(signatures(sorted.get()), signatures(inTurn.get())) << threads << " threads";
        for (VectGroup* group : ring(sorted.get()))
            EXPECT_TRUE(wellLinked(group->vects));
        // One rising account of every thread's lists, which comes to their end.
        EXPECT_TRUE(std::is_sorted(listener.percents.begin(), listener.percents.end()));
        ASSERT_GE(listener.percents.size(), 3u);
        EXPECT_GE(listener.percents.back(), 90) << threads << " threads";
        EXPECT_LE(listener.percents.back(), 100);
    }
}

// The callback is the calling thread's; the groups on the other threads stop with it while none
// has changed its list, and once one has, all finish.
TEST_F(Progress, AStopStopsEveryGroupOrNone) {
    const std::vector<int> sizes{5000, 5000, 5000};
    ChainOwner<VectGroup> finished(groupsOfLines(sizes));
    setWorkerThreads(2);
    ASSERT_EQ(Lintrel_AutoSort(reinterpret_cast<void**>(&finished.head()), 1, 1, 0), LINTREL_OK);
    for (int stopAfter : {0, 1, 2, 4, 6}) {
        ChainOwner<VectGroup> drawing(groupsOfLines(sizes));
        const std::string given = signatures(drawing.get());
        Listener listener;
        listener.stopAfter = stopAfter;
        Lintrel_SetProgressCallback(&listen, &listener);
        const int code = Lintrel_AutoSort(reinterpret_cast<void**>(&drawing.head()), 1, 1, 0);
        Lintrel_SetProgressCallback(nullptr, nullptr);
        if (stopAfter == 0) {
            // The first report comes as the first list begins, long before any list is sorted.
            EXPECT_EQ(code, LINTREL_CANCELLED);
        }
        if (code == LINTREL_CANCELLED)
            EXPECT_EQ(signatures(drawing.get()), given) << "stopped after " << stopAfter;
        else
            EXPECT_EQ(signatures(drawing.get()), signatures(finished.get()))
                << "stopped after " << stopAfter;
    }
}

}  // namespace
