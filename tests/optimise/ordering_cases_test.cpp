// Behaviour of the sorts that callers rely on: the reversal check of a lone vect, ties, the
// selection filter, the position modes, the grid sort on awkward drawings, the manual moves and
// the result codes of the exports.
#include <gtest/gtest.h>

#include "array/array_chain.h"
#include "model/geometry.h"
#include "model/items.h"
#include "optimise/ordering.h"
#include "optimise/ordering_random.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

Vect* line(Point a, Point b, double tag) {
    Vect* v = polyline({a, b});
    v->speed = tag;
    v->selected = 1;
    return v;
}

std::vector<double> tags(Vect* head) {
    std::vector<double> out;
    for (Vect* v : ring(head))
        out.push_back(v->speed);
    return out;
}

}  // namespace

TEST(AutoSort, ALoneVectOnlyGetsTheReversalCheck) {
    // Nearer the origin at its end, nearer its box centre at its start.
    for (int mode = 1; mode <= 7; ++mode) {
        for (bool reverse : {false, true}) {
            ChainOwner<Vect> list(polyline({{6, 3}, {10, 3}, {10, 0}, {0, 0}, {0, 1}}));
            ASSERT_EQ(autoSortList(list.head(), static_cast<SortMode>(mode), reverse, false), 0);
            const Point s = startOf(list.get());
            const bool reversed = s.x == 0 && s.y == 1;
            EXPECT_EQ(reversed, reverse && mode != 3) << "mode " << mode;
            EXPECT_EQ(list.get()->next, list.get());
        }
    }
}

TEST(AutoSort, NearestNeighbourTakesTheEarlierOfEqualDistances) {
    ChainOwner<Vect> list(line({50, 50}, {60, 60}, 0));
    list.append(line({4, 3}, {9, 9}, 1));
    list.append(line({3, 4}, {8, 8}, 2));
    list.append(line({0, 5}, {7, 7}, 3));
    ASSERT_EQ(autoSortList(list.head(), SortMode::Nearest, false, false), 0);
    EXPECT_EQ(tags(list.get())[0], 1);
    // Nearer by no more than 1e-4 does not count without reversal.
    ChainOwner<Vect> near(line({5, 0}, {9, 0}, 0));
    near.append(line({5 - 0.5e-4, 0}, {9, 1}, 1));
    ASSERT_EQ(autoSortList(near.head(), SortMode::Nearest, false, false), 0);
    EXPECT_EQ(tags(near.get())[0], 0);
}

TEST(AutoSort, UnselectedVectsKeepTheirPositions) {
    ChainOwner<Vect> list(line({5, 0}, {5, 1}, 0));
    list.append(line({0, 0}, {0, 1}, 1));
    list.append(line({1, 0}, {1, 1}, 2));
    list.append(line({3, 0}, {3, 1}, 3));
    list.get()->next->selected = 0;  // tag 1, the leftmost, stays second
    ASSERT_EQ(autoSortList(list.head(), SortMode::LeftFirst, false, true), 0);
    EXPECT_EQ(tags(list.get()), (std::vector<double>{2, 1, 3, 0}));
    EXPECT_TRUE(wellLinked(list.get()));
}

TEST(AutoSort, PositionModesPutTheExtremeEdgeFirst) {
    const auto build = [] {
        Vect* head = nullptr;
        append(head, line({0, 0}, {2, 5}, 0));    // top 5, bottom 0, left 0, right 2
        append(head, line({3, 2}, {4, 9}, 1));    // top 9
        append(head, line({-1, -3}, {1, 1}, 2));  // bottom -3, left -1
        append(head, line({6, 1}, {8, 2}, 3));    // right 8
        return head;
    };
    const std::pair<int, double> firsts[] = {{4, 2}, {5, 3}, {6, 1}, {7, 2}};
    for (const auto& [mode, first] : firsts) {
        ChainOwner<Vect> list(build());
        ASSERT_EQ(autoSortList(list.head(), static_cast<SortMode>(mode), false, false), 0);
        EXPECT_EQ(tags(list.get())[0], first) << "mode " << mode;
    }
}

TEST(AutoSort, ChainFollowingJoinsTouchingEndsAndKeepsTheListPointer) {
    ChainOwner<Vect> list(line({0, 0}, {1, 0}, 0));
    list.append(line({5, 5}, {9, 9}, 1));
    list.append(line({2, 0}, {1, 0}, 2));  // touches the first at its end: taken reversed
    Vect* first = list.get();
    ASSERT_EQ(autoSortList(list.head(), SortMode::ChainFollow, true, false), 0);
    EXPECT_EQ(list.get(), first);
    EXPECT_EQ(tags(list.get()), (std::vector<double>{0, 2, 1}));
    EXPECT_EQ(startOf(list.get()->next).x, 1);
    for (Vect* v : ring(list.get()))
        v->selected = 0;
    EXPECT_EQ(autoSortList(list.head(), SortMode::ChainFollow, true, true), 100);
}

TEST(AutoSort, ResultCodes) {
    ChainOwner<Vect> list(line({0, 0}, {1, 0}, 0));
    list.append(line({5, 5}, {6, 6}, 1));
    void* p = list.get();
    for (int mode : {0, 8, 9, 11, -1})
        EXPECT_EQ(Lintrel_AutoSort(&p, mode, 1, 0), 21001) << mode;
    EXPECT_EQ(p, list.get());
    EXPECT_EQ(Lintrel_AutoSort(nullptr, 1, 0, 0), 21000);
    void* none = nullptr;
    EXPECT_EQ(Lintrel_AutoSort(&none, 1, 0, 0), 21000);
    ChainOwner<Seg> seg(newLine(0, 0, 1, 1));
    void* wrong = seg.get();
    EXPECT_EQ(Lintrel_AutoSort(&wrong, 1, 0, 0), 21000);
    ChainOwner<Vect> empty(newVect());
    void* e = empty.get();
    EXPECT_EQ(Lintrel_AutoSort(&e, 1, 0, 0), 21000);
    EXPECT_EQ(Lintrel_GridsSort(&e, 10, 10, 0, 0), 21000);
}

TEST(AutoSort, GroupsAreSortedSeparatelyAndTheirPointersFollow) {
    ChainOwner<VectGroup> groups(groupOf({line({9, 9}, {9, 8}, 0), line({1, 1}, {1, 2}, 1)}));
    groups.append(newGroup());  // a group without vects is passed over
    groups.append(groupOf({line({7, 7}, {7, 6}, 2), line({0, 1}, {0, 2}, 3)}));
    void* p = groups.get();
    ASSERT_EQ(Lintrel_AutoSort(&p, 1, 0, 0), 0);
    EXPECT_EQ(p, groups.get());
    EXPECT_EQ(tags(groups.get()->vects), (std::vector<double>{1, 0}));
    EXPECT_EQ(tags(groups.get()->prev->vects), (std::vector<double>{3, 2}));
}

TEST(GridSort, SortsDrawingsAtNegativeCoordinatesAndOfZeroWidth) {
    // Four strokes, one per cell of a 2 x 2 grid far below the origin, listed out of order.
    ChainOwner<Vect> list(line({-1005, -992}, {-1004, -991}, 3));  // row 1, left
    list.append(line({-1009, -1009}, {-1008, -1008}, 0));          // row 0, left
    list.append(line({-991, -1009}, {-990, -1008}, 1));            // row 0, right
    list.append(line({-992, -992}, {-991, -990}, 2));              // row 1, right
    void* p = list.get();
    ASSERT_EQ(Lintrel_GridsSort(&p, 10, 10, 0, 0), 0);
    EXPECT_EQ(tags(static_cast<Vect*>(p)), (std::vector<double>{0, 1, 2, 3}));

    // A column of vertical strokes: zero width, one column, rows from the bottom.
    ChainOwner<Vect> column(line({-5, 30}, {-5, 31}, 2));
    column.append(line({-5, 0}, {-5, 1}, 0));
    column.append(line({-5, 15}, {-5, 16}, 1));
    p = column.get();
    ASSERT_EQ(Lintrel_GridsSort(&p, 10, 10, 0, 0), 0);
    EXPECT_EQ(tags(static_cast<Vect*>(p)), (std::vector<double>{0, 1, 2}));
}

TEST(GridSort, RejectsCellsThatCannotCoverADrawing) {
    ChainOwner<Vect> list(line({0, 0}, {1, 0}, 0));
    list.append(line({5, 5}, {6, 6}, 1));
    void* p = list.get();
    for (double bad : std::initializer_list<double>{0.0, -10.0, NAN, INFINITY, 1e-6})
        EXPECT_EQ(Lintrel_GridsSort(&p, bad, 10, 0, 0), 21000) << bad;
    EXPECT_EQ(Lintrel_GridsSort(&p, 10, NAN, 0, 0), 21000);
    EXPECT_EQ(tags(list.get()), (std::vector<double>{0, 1}));
}

TEST(HandSort, MovesTheSelectedVects) {
    const auto build = [](std::initializer_list<int> selected) {
        Vect* head = nullptr;
        int k = 0;
        for (int s : selected) {
            Vect* v = line({double(k), 0}, {double(k), 1}, k);
            v->selected = static_cast<uint8_t>(s);
            append(head, v);
            ++k;
        }
        return head;
    };
    {
        ChainOwner<Vect> list(build({1, 0, 0}));
        void* p = list.get();
        EXPECT_EQ(Lintrel_HandSort(&p, 1), 100);  // already first
        EXPECT_EQ(tags(static_cast<Vect*>(p)), (std::vector<double>{0, 1, 2}));
    }
    {
        ChainOwner<Vect> list(build({0, 1, 1, 0, 1}));
        void* p = list.get();
        EXPECT_EQ(Lintrel_HandSort(&p, 1), 0);
        EXPECT_EQ(tags(static_cast<Vect*>(p)), (std::vector<double>{1, 2, 0, 4, 3}));
    }
    {
        ChainOwner<Vect> list(build({1, 0, 1, 0, 1}));
        void* p = list.get();
        EXPECT_EQ(Lintrel_HandSort(&p, 5), 0);  // first and third selected swap
        EXPECT_EQ(tags(static_cast<Vect*>(p)), (std::vector<double>{4, 1, 2, 3, 0}));
        EXPECT_EQ(Lintrel_HandSort(&p, 6), 21000);
        EXPECT_EQ(Lintrel_HandSort(nullptr, 1), 21000);
    }
    {
        ChainOwner<Vect> list(build({0, 0}));
        void* p = list.get();
        EXPECT_EQ(Lintrel_HandSort(&p, 5), 100);
        EXPECT_EQ(Lintrel_HandSort(&p, 3), 100);
    }
}

TEST(ArrayTwins, SortTheArrayFamilysCurrentList) {
    VectGroup*& chain = arrayChain();
    VectGroup* saved = chain;
    ChainOwner<VectGroup> groups(groupOf({line({9, 0}, {9, 1}, 0), line({1, 0}, {1, 1}, 1)}));
    chain = groups.get();
    EXPECT_EQ(VarnixCadArray_LeftSort(0, 0), 0);
    EXPECT_EQ(tags(groups.get()->vects), (std::vector<double>{1, 0}));
    EXPECT_EQ(VarnixCadArray_RightSort(0, 0), 0);
    EXPECT_EQ(tags(groups.get()->vects), (std::vector<double>{0, 1}));
    EXPECT_EQ(VarnixCadArray_ReSort(), 0);  // both selected: their order reverses
    EXPECT_EQ(tags(groups.get()->vects), (std::vector<double>{1, 0}));
    EXPECT_EQ(VarnixCadArray_GridsSort(100, 100, 0, 0), 0);
    EXPECT_EQ(VarnixCadArray_OptimizeAbs(0.05, 0), 100);
    // From the origin the line at x = 1 comes first on the shortest route.
    EXPECT_EQ(VarnixCadArray_RightSort(0, 0), 0);
    EXPECT_EQ(tags(groups.get()->vects), (std::vector<double>{0, 1}));
    EXPECT_EQ(VarnixCadArray_ShortTravelSort(0, 0), 0);
    EXPECT_EQ(tags(groups.get()->vects), (std::vector<double>{1, 0}));
    chain = nullptr;
    EXPECT_EQ(VarnixCadArray_MinAbsSort(1, 0), 21000);
    EXPECT_EQ(VarnixCadArray_ShortTravelSort(1, 0), 21000);
    EXPECT_EQ(VarnixCadArray_HandSort(1), 21000);
    chain = saved;
}

// Damaged drawings (coordinates that are not numbers, infinite or far out) must not crash, lose
// vects or break the ring.
TEST(Ordering, DamagedCoordinatesKeepEveryVect) {
    const double bad[] = {NAN, INFINITY, -INFINITY, 1e300, -1e300, 0, 1};
    for (int mode : {1, 2, 3, 4, 5, 6, 7, 10, 20}) {
        for (int reverse = 0; reverse < 2; ++reverse) {
            ChainOwner<VectGroup> groups(newGroup());
            Vect*& head = groups.get()->vects;
            for (int k = 0; k < 14; ++k) {
                Vect* v =
                    line({bad[k % 7], bad[(k * 3) % 7]}, {bad[(k + 2) % 7], bad[k / 2 % 7]}, k);
                append(head, v);
            }
            append(head, circle(bad[4], 0, 1e300));
            head->prev->speed = 14;
            void* p = groups.get();
            if (mode <= 10)
                Lintrel_AutoSort(&p, mode, reverse, 0);
            else
                Lintrel_GridsSort(&p, 100, 100, reverse, 0);
            Lintrel_OptimizeAbs(groups.get(), 0.05, 0);
            EXPECT_EQ(ringCount(head), 15) << mode;
            EXPECT_TRUE(wellLinked(head)) << mode;
            std::vector<double> seen = tags(head);
            std::sort(seen.begin(), seen.end());
            for (int k = 0; k < 15; ++k)
                EXPECT_EQ(seen[k], k) << mode;
        }
    }
}
