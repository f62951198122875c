// Inner shapes first: the two rules on hand-made forests, every sort followed by the mending
// (no shape after its encloser, the sort's order kept between unrelated parts), the finish of
// the shortest-travel sort replayed on a copy, and the sort planned with the rule, within a
// tenth of its travel without it.
#include <gtest/gtest.h>

#include <functional>

#include "cutting/cutting_drawings.h"
#include "cutting/inner_first.h"

namespace lintrel::test {
namespace {

TEST(InnerFirstOrder, PullsDescendantsForwardOrDefersTheirEncloser) {
    // 0 a part, 1 another, 2 a hole of 0, 3 a hole of 0 holding a part 4, 5 a third part.
    const std::vector<int> parent{-1, -1, 0, 0, 3, -1};
    EXPECT_EQ(innerFirstOrder(parent, InnerFirstRule::PullForward),
              (std::vector<int>{2, 4, 3, 0, 1, 5}));
    EXPECT_EQ(innerFirstOrder(parent, InnerFirstRule::Defer), (std::vector<int>{1, 2, 4, 3, 0, 5}));
    // A grandchild ahead of its parent stays ahead of it; siblings keep their order.
    EXPECT_EQ(innerFirstOrder(std::vector<int>{-1, 2, 0, 0}, InnerFirstRule::PullForward),
              (std::vector<int>{1, 2, 3, 0}));
    // An order that already keeps the rule is left alone.
    EXPECT_EQ(innerFirstOrder(std::vector<int>{2, 2, -1, 4, -1}, InnerFirstRule::PullForward),
              (std::vector<int>{0, 1, 2, 3, 4}));
}

// A sheet holding a part with a small hole and a large hole, a part (with its own hole) inside
// the large hole, a second part with a hole and an engraving; shuffled.
VectGroup* nestedPlate(unsigned seed) {
    std::vector<Vect*> shapes{rectangle(0, 0, 200, 100),        circle(30, 30, 5),
                              rectangle(10, 10, 80, 80),        rectangle(40, 40, 40, 40, true),
                              rectangle(50, 50, 20, 20),        circle(60, 60, 3),
                              rectangle(110, 10, 60, 60, true), circle(140, 40, 10),
                              polyline({{115, 15}, {125, 15}})};
    std::mt19937 random(seed);
    std::shuffle(shapes.begin(), shapes.end(), random);
    VectGroup* g = groupOf({});
    for (Vect* v : shapes)
        append(g->vects, v);
    return g;
}

// Every vect comes before the vect enclosing it.
void expectInnerFirst(VectGroup* drawing, const std::string& what) {
    const Nesting n = nestingOf(drawing);
    for (size_t i = 0; i < n.parent.size(); ++i)
        EXPECT_LT(static_cast<int>(i), n.parent[i] < 0 ? INT_MAX : n.parent[i])
            << what << ": vect " << i << " after its encloser";
}

std::vector<Vect*> roots(VectGroup* drawing) {
    const Nesting n = nestingOf(drawing);
    const std::vector<Vect*> vects = vectsOf(drawing);
    std::vector<Vect*> out;
    for (size_t i = 0; i < vects.size(); ++i)
        if (n.parent[i] < 0) out.push_back(vects[i]);
    return out;
}

TEST(InnerFirst, EverySortThenMendingCutsNoShapeAfterItsEncloser) {
    std::vector<std::pair<std::string, std::function<int(void**)>>> sorts;
    for (int mode : {1, 2, 3, 4, 5, 6, 7, 10})
        sorts.emplace_back("mode " + std::to_string(mode),
                           [mode](void** list) { return Lintrel_AutoSort(list, mode, 1, 0); });
    sorts.emplace_back("grid", [](void** list) { return Lintrel_GridsSort(list, 60, 60, 1, 0); });
    sorts.emplace_back("shortest travel",
                       [](void** list) { return Lintrel_ShortTravelSort(list, 1, 0); });
    int mended = 0;
    for (unsigned seed = 1; seed <= 5; ++seed)
        for (const auto& [name, sort] : sorts) {
            ChainOwner<VectGroup> drawing(nestedPlate(seed));
            void* list = drawing.get();
            sort(&list);
            const std::vector<Vect*> sortedRoots = roots(drawing.get());
            const int result = Lintrel_InnerFirst(&list, 0.05, 0);
            ASSERT_NE(result, LINTREL_BAD_ARGUMENT);
            mended += result == LINTREL_OK;
            expectInnerFirst(drawing.get(), name);
            // Shapes that nothing encloses keep the order the sort gave them.
            EXPECT_EQ(roots(drawing.get()), sortedRoots) << name;
            EXPECT_EQ(ringCount(drawing.get()->vects), 9);
        }
    // The sorts alone cut outlines before their holes often enough to test the mending.
    EXPECT_GT(mended, 20);
}

TEST(InnerFirst, ShortestTravelPlansWithTheRule) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        ChainOwner<VectGroup> drawing(nestedPlate(seed));
        void* list = drawing.get();
        ASSERT_EQ(Lintrel_ShortTravelSortInnerFirst(&list, 1, 0), LINTREL_OK);
        expectInnerFirst(drawing.get(), "shortest travel, seed " + std::to_string(seed));
    }
    // A vect list re-heads its pointer; selected vects only keep the others in place.
    ChainOwner<VectGroup> plate(nestedPlate(1));
    ChainOwner<Vect> vects(plate.get()->vects);
    plate.get()->vects = nullptr;
    void* list = vects.get();
    EXPECT_NE(Lintrel_ShortTravelSortInnerFirst(&list, 0, 1), LINTREL_BAD_ARGUMENT);
    vects.release();
    vects.reset(static_cast<Vect*>(list));
    EXPECT_EQ(Lintrel_InnerFirst(nullptr, 0.05, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_InnerFirst(&list, -1, 0), LINTREL_BAD_ARGUMENT);
}

// The records of a drawing as they are cut: group numbers, each vect's kind, flags and both
// chains, coordinate for coordinate.
std::vector<double> recordsOf(VectGroup* drawing) {
    std::vector<double> out;
    const auto chain = [&out](const Seg* head) {
        out.push_back(ringCount(head));
        for (const Seg* s : ring(head))
            out.insert(out.end(), {double(s->type), double(s->jump), s->x0, s->y0, s->z0, s->x1,
                                   s->y1, s->z1});
    };
    for (VectGroup* g : ring(drawing)) {
        out.push_back(g->number);
        for (Vect* v : ring(g->vects)) {
            out.insert(out.end(), {double(v->type), double(v->closed), double(v->selected)});
            chain(v->segs);
            chain(v->flatSegs);
        }
    }
    return out;
}

TEST(InnerFirst, TheFinishReplayedOnACopyMakesTheSameDrawing) {
    for (unsigned seed = 1; seed <= 4; ++seed)
        for (const bool selectedOnly : {false, true}) {
            // Two groups sorted by position, so that holes come after their parts and the
            // start points left by the sort are poor; a third of the vects unselected.
            ChainOwner<VectGroup> drawing(plateOfParts(5, 4, seed, 30));
            VectGroup* nested = nestedPlate(seed);
            VarnixCad3_Move(nested, 0, 500);
            drawing.append(nested);
            std::mt19937 random(seed);
            for (Vect* v : vectsOf(drawing.get())) {
                v->selected = random() % 3 != 0;
                VarnixCad3_BuildFlatSegs(v, kMeasurePrecision);
            }
            void* list = drawing.get();
            ASSERT_EQ(Lintrel_AutoSort(&list, 4, 1, 0), LINTREL_OK);
            void* copied = nullptr;
            ASSERT_EQ(VarnixCad3_CopyChain(drawing.get(), &copied), LINTREL_OK);
            ChainOwner<VectGroup> copy(static_cast<VectGroup*>(copied));
            const std::vector<double> before = recordsOf(drawing.get());
            ASSERT_EQ(recordsOf(copy.get()), before);

            const FinishReplay replay = innerFirstFinish(selectedOnly)(drawing.get());
            const std::vector<double> finished = recordsOf(drawing.get());
            EXPECT_NE(finished, before) << seed;
            if (!selectedOnly) expectInnerFirst(drawing.get(), "finished");
            replay(copy.get());
            EXPECT_EQ(recordsOf(copy.get()), finished) << seed << " " << selectedOnly;
        }
}

TEST(InnerFirst, ShortestTravelCostsAtMostATenthMoreOnSheetsOfParts) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        ChainOwner<VectGroup> free(plateOfParts(12, 10, seed, 30));
        ChainOwner<VectGroup> ruled(plateOfParts(12, 10, seed, 30));
        void* a = free.get();
        void* b = ruled.get();
        ASSERT_EQ(Lintrel_ShortTravelSort(&a, 1, 0), LINTREL_OK);
        ASSERT_EQ(Lintrel_ShortTravelSortInnerFirst(&b, 1, 0), LINTREL_OK);
        expectInnerFirst(ruled.get(), "plate");
        double without = 0, with = 0;
        VarnixCad3_GetTravelLength(free.get(), &without);
        VarnixCad3_GetTravelLength(ruled.get(), &with);
        EXPECT_LE(with, 1.10 * without) << "seed " << seed;
        RecordProperty("travel_ratio_seed_" + std::to_string(seed), std::to_string(with / without));
        std::printf("seed %u: travel %.1f without the rule, %.1f with it (%.3f)\n", seed, without,
                    with, with / without);
    }
}

}  // namespace
}  // namespace lintrel::test
