// The fast sorts against the literal scans, on thousands of seeded random lists with exact
// ties, near-ties within 1e-4, shared end points, partial selections and both reversal
// settings. Order, directions and the list pointer must agree exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "optimise/end_screen.h"
#include "optimise/exchange_order.h"
#include "optimise/nearest_chain.h"
#include "optimise/ordering.h"
#include "optimise/ordering_random.h"
#include "optimise/reference_ordering.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

struct Case {
    ChainOwner<Vect> fast, literal;
    bool allowReverse = false, selectedOnly = false;
    std::string describe;
};

Case makeCase(unsigned seed, int maxVects) {
    std::mt19937 rng(seed);
    DrawingShape shape;
    shape.lattice = std::uniform_int_distribution<int>(2, 8)(rng);
    shape.selectChance = seed % 3 == 0 ? 0.6 : 1.0;
    shape.nudgeChance = seed % 4 == 0 ? 0.0 : 0.35;
    if (seed % 7 == 0) shape.offset = -20;
    // Far from the origin, single-precision copies of the coordinates are a quarter unit
    // apart, while the near-ties are 1e-4.
    if (seed % 11 == 0) shape.offset = 3e6;
    const int n = std::uniform_int_distribution<int>(1, maxVects)(rng);
    Case c;
    c.fast.reset(randomList(rng, n, shape));
    c.literal.reset(copyVectChain(c.fast.get()));
    c.allowReverse = seed % 2 == 1;
    c.selectedOnly = seed % 3 == 0;
    c.describe = "seed " + std::to_string(seed) + ", " + std::to_string(n) + " vects, reverse " +
                 std::to_string(c.allowReverse) + ", selected only " +
                 std::to_string(c.selectedOnly);
    return c;
}

constexpr unsigned kCases = 2000;

class EveryAutoMode : public testing::TestWithParam<int> {};

TEST_P(EveryAutoMode, MatchesTheLiteralScan) {
    const int mode = GetParam();
    for (unsigned seed = 0; seed < kCases; ++seed) {
        Case c = makeCase(seed * 7919u + static_cast<unsigned>(mode), 28);
        int literalResult = 0;
        if (mode == 10)
            literalResult = reference::chainFollow(c.literal.get(), c.allowReverse, c.selectedOnly);
        else
            reference::selectionSort(c.literal.head(), mode, c.allowReverse, c.selectedOnly);
        const int result = autoSortList(c.fast.head(), static_cast<SortMode>(mode), c.allowReverse,
                                        c.selectedOnly);
        ASSERT_EQ(result, literalResult) << c.describe;
        ASSERT_EQ(c.fast.get()->speed, c.literal.get()->speed) << c.describe;
        ASSERT_EQ(signature(c.fast.get()), signature(c.literal.get())) << c.describe;
        ASSERT_TRUE(wellLinked(c.fast.get())) << c.describe;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryAutoMode, testing::Values(1, 2, 3, 4, 5, 6, 7, 10));

// Long lists make long chains of improvements, which the short lists above cannot.
TEST(NearestNeighbourDifferential, MatchesTheLiteralScanOnLongLists) {
    for (unsigned seed = 0; seed < 60; ++seed) {
        for (int mode : {1, 3}) {
            Case c = makeCase(seed * 104729u + static_cast<unsigned>(mode), 400);
            ChainOwner<Vect> narrow(copyVectChain(c.fast.get()));
            reference::selectionSort(c.literal.head(), mode, c.allowReverse, c.selectedOnly);
            ASSERT_EQ(autoSortList(c.fast.head(), static_cast<SortMode>(mode), c.allowReverse,
                                   c.selectedOnly),
                      LINTREL_OK);
            ASSERT_EQ(signature(c.fast.get()), signature(c.literal.get()))
                << "mode " << mode << ", " << c.describe;
            if (mode != 1) continue;
            // The scan has a form for the widest lanes the processor has, which the sort above
            // took where it could, and a plain one for the others.
            const auto lanes = seed % 2 ? EndScreen::Lanes::Four : EndScreen::Lanes::One;
            SortList list(narrow.head(), c.selectedOnly);
            nearestSort(list, c.allowReverse, kSame, nullptr, lanes);
            list.relink(narrow.head());
            ASSERT_EQ(signature(narrow.get()), signature(c.literal.get())) << c.describe;
        }
    }
}

// The scan compares distances, and its fast form mostly compares their squares. Ends a
// hundred-thousandth apart along a tangent to a circle of radius 1000 about the tool have squares
// that differ in the last places while their distances round to one number, which is no
// improvement; ends a hair's breadth off the circle have distinct distances with squares just as
// close.
TEST(NearestNeighbourDifferential, SquaresDifferWhereDistancesAreEqual) {
    std::vector<Point> near;
    for (int k = 0; k < 8; ++k) {
        near.push_back({1000, k * 1e-5});
        near.push_back({1000 + k * 1.2e-13, 0});
        near.push_back({0, -1000 + k * 2.3e-13});
    }
    bool equalRoots = false;  // the drawing holds the case this test is about
    for (const Point a : near)
        for (const Point b : near)
            equalRoots |= distanceSquared({0, 0}, a) < distanceSquared({0, 0}, b) &&
                          distance({0, 0}, a) == distance({0, 0}, b);
    ASSERT_TRUE(equalRoots);
    std::mt19937 rng(29);
    for (int round = 0; round < 200; ++round) {
        std::shuffle(near.begin(), near.end(), rng);
        const bool allowReverse = round % 2 == 1;
        Vect* head = nullptr;
        for (size_t k = 0; k < near.size(); ++k) {
            // Far ends, so that the near end leads; with reversal, some lines point inwards.
            const Point far{near[k].x * 3 + 7, near[k].y * 3 - 5};
            Vect* v =
                round % 4 == 1 && k % 2 ? polylineOf({far, near[k]}) : polylineOf({near[k], far});
            v->speed = static_cast<double>(k);
            append(head, v);
        }
        ChainOwner<Vect> fast(head);
        ChainOwner<Vect> literal(copyVectChain(fast.get()));
        reference::selectionSort(literal.head(), 1, allowReverse, false);
        ASSERT_EQ(autoSortList(fast.head(), SortMode::Nearest, allowReverse, false), LINTREL_OK);
        ASSERT_EQ(signature(fast.get()), signature(literal.get())) << "round " << round;
    }
}

// Long lists give the chain following's point index a deep tree: its searches outwards from
// the last vect climb many levels, and its numbering along the tree is far from list order.
TEST(ChainFollowDifferential, MatchesTheLiteralScanOnLongLists) {
    for (unsigned seed = 0; seed < 36; ++seed) {
        std::mt19937 rng(seed);
        DrawingShape shape;
        // Dense lattices tie often, sparse ones leave the chain far jumps.
        shape.lattice = std::array<int, 3>{8, 60, 400}[seed % 3];
        shape.nudgeChance = seed % 4 == 0 ? 0.0 : 0.35;
        shape.selectChance = seed % 5 == 0 ? 0.6 : 1.0;
        if (seed % 7 == 0) shape.offset = 3e6;
        const int n = std::uniform_int_distribution<int>(1000, 3000)(rng);
        ChainOwner<Vect> fast(randomList(rng, n, shape));
        ChainOwner<Vect> literal(copyVectChain(fast.get()));
        const bool allowReverse = seed % 2 == 1, selectedOnly = seed % 5 == 0;
        const int literalResult = reference::chainFollow(literal.get(), allowReverse, selectedOnly);
        ASSERT_EQ(autoSortList(fast.head(), SortMode::ChainFollow, allowReverse, selectedOnly),
                  literalResult);
        ASSERT_EQ(signature(fast.get()), signature(literal.get()))
            << "seed " << seed << ", " << n << " vects";
        ASSERT_TRUE(wellLinked(fast.get()));
    }
}

TEST(GridSortDifferential, MatchesTheCellByCellScan) {
    for (unsigned seed = 0; seed < kCases; ++seed) {
        Case c = makeCase(seed * 104729u + 11u, 28);
        std::mt19937 rng(seed);
        // Cells from a fraction of the lattice to more than the whole drawing.
        const double cw = std::uniform_int_distribution<int>(1, 8)(rng) * 0.5;
        const double ch = std::uniform_int_distribution<int>(1, 8)(rng) * 0.5;
        reference::gridSort(c.literal.head(), cw, ch, c.allowReverse, c.selectedOnly);
        ASSERT_EQ(gridSortList(c.fast.head(), cw, ch, c.allowReverse, c.selectedOnly), 0);
        ASSERT_EQ(c.fast.get()->speed, c.literal.get()->speed) << c.describe;
        ASSERT_EQ(signature(c.fast.get()), signature(c.literal.get()))
            << c.describe << " cells " << cw << " x " << ch;
        ASSERT_TRUE(wellLinked(c.fast.get()));
    }
}

TEST(HandSortDifferential, MatchesMovingOneRecordAtATime) {
    for (unsigned seed = 0; seed < kCases; ++seed) {
        std::mt19937 rng(seed);
        const int mode = 1 + static_cast<int>(seed % 5);
        Case c = makeCase(seed * 31u + 5u, 12);
        for (Vect* v : ring(c.fast.get()))
            v->selected = std::uniform_int_distribution<int>(0, 2)(rng) == 0;
        int k = 0;
        std::vector<int> picks;
        for (Vect* v : ring(c.fast.get()))
            picks.push_back(v->selected);
        for (Vect* v : ring(c.literal.get()))
            v->selected = static_cast<uint8_t>(picks[k++]);
        const int expected = reference::handSort(c.literal.head(), mode);
        ASSERT_EQ(handSortList(c.fast.head(), static_cast<HandMove>(mode)), expected)
            << c.describe << " mode " << mode;
        ASSERT_EQ(signature(c.fast.get()), signature(c.literal.get()))
            << c.describe << " mode " << mode;
    }
}

// The class-and-queue rule against the exchange scan itself, on keys with heavy ties.
TEST(ExchangeOrder, MatchesTheSwappingScan) {
    std::mt19937 rng(42);
    for (int round = 0; round < 3000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 40)(rng);
        const int distinct = std::uniform_int_distribution<int>(1, 6)(rng);
        std::vector<int> keys(n);
        for (int& k : keys)
            k = std::uniform_int_distribution<int>(0, distinct)(rng);
        std::vector<int> ids(n);
        std::iota(ids.begin(), ids.end(), 0);
        for (int i = 0; i + 1 < n; ++i)
            for (int j = i + 1; j < n; ++j)
                if (keys[ids[j]] < keys[ids[i]]) std::swap(ids[i], ids[j]);
        ASSERT_EQ(exchangeOrder<int>(keys), ids) << "round " << round;
    }
}

}  // namespace

// Mode 3 with reversal on small crowded lists, where a class of near-tie distances is often the
// farthest one and a member of it is left at the last position, turned or not.
TEST(InsideOutDifferential, NearTieClassesAtTheEnd) {
    for (unsigned seed = 0; seed < 20000; ++seed) {
        std::mt19937 rng(seed);
        DrawingShape shape;
        shape.lattice = 1 + static_cast<int>(seed % 2);
        shape.nudgeChance = 0.8;
        const int n = std::uniform_int_distribution<int>(2, 7)(rng);
        ChainOwner<Vect> fast(randomList(rng, n, shape));
        ChainOwner<Vect> literal(copyVectChain(fast.get()));
        reference::selectionSort(literal.head(), 3, true, false);
        ASSERT_EQ(autoSortList(fast.head(), SortMode::InsideOut, true, false), LINTREL_OK);
        ASSERT_EQ(signature(fast.get()), signature(literal.get())) << "seed " << seed;
    }
}
