// The fast duplicate removal and merging against the literal scans, on thousands of seeded
// random drawings full of duplicates, reversed duplicates, near misses around both tolerances
// and ties. The resulting drawings must agree exactly.
#include <gtest/gtest.h>

#include <bit>
#include <initializer_list>
#include <vector>

#include "optimise/random_drawing.h"
#include "optimise/reference_cleanup.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

// Values are kept as bit patterns, so that a not-a-number coordinate equals itself.
void add(std::vector<uint64_t>& out, std::initializer_list<double> values) {
    for (const double v : values)
        out.push_back(std::bit_cast<uint64_t>(v));
}

void addChain(std::vector<uint64_t>& out, Seg* head) {
    add(out, {double(ringCount(head))});
    for (const Seg* s : ring(head))
        add(out, {double(s->type), double(s->jump), double(s->tag), s->x0, s->y0, s->z0, s->x1,
                  s->y1, s->z1});
}

// Everything the operations may change, vect by vect from the list pointer on.
std::vector<uint64_t> snapshot(Vect* head) {
    std::vector<uint64_t> out;
    for (const Vect* v : ring(head)) {
        add(out, {double(v->type), double(v->closed), double(v->state), double(v->selected),
                  double(reinterpret_cast<uintptr_t>(v->link))});
        addChain(out, v->segs);
        addChain(out, v->flatSegs);
    }
    return out;
}

template <class Fast, class Reference>
void compareOnSeeds(int seeds, int vects, double tolerance, Fast fast, Reference reference,
                    bool wild = false) {
    for (int seed = 1; seed <= seeds; ++seed) {
        RandomDrawing drawing(seed, 6, tolerance, wild);
        ChainOwner<Vect> mine(drawing.list(vects));
        ChainOwner<Vect> theirs(copyVectChain(mine.get()));
        const int selectedOnly = seed % 3 == 0;
        const int expected = reference(theirs.get(), selectedOnly);
        ASSERT_EQ(fast(mine.get(), selectedOnly), expected) << "seed " << seed;
        ASSERT_EQ(snapshot(mine.get()), snapshot(theirs.get())) << "seed " << seed;
        ASSERT_TRUE(wellLinked(mine.get()));
    }
}

}  // namespace

TEST(Differential, DuplicateRemovalMatchesTheScanOfEveryPair) {
    compareOnSeeds(3000, 40, 0.01, deleteDuplicates, referenceDeleteDuplicates);
    compareOnSeeds(40, 600, 0.01, deleteDuplicates, referenceDeleteDuplicates);
    compareOnSeeds(500, 40, 0.01, deleteDuplicates, referenceDeleteDuplicates, true);
}

TEST(Differential, MergingMatchesTheRestartingScan) {
    for (const double tolerance : {0.01, 0.5, 0.0, 1.0, 3.0}) {
        SCOPED_TRACE(tolerance);
        auto fast = [&](Vect* head, int selectedOnly) {
            return mergeConnected(head, tolerance, selectedOnly);
        };
        auto reference = [&](Vect* head, int selectedOnly) {
            return referenceMerge(head, tolerance, selectedOnly);
        };
        compareOnSeeds(800, 40, tolerance, fast, reference);
        compareOnSeeds(10, 500, tolerance, fast, reference);
    }
}

TEST(Differential, MergingWithExtremeTolerancesAndCoordinates) {
    for (const double tolerance : {0.01, 1e-300, 1e200, double(INFINITY), double(NAN), -0.5}) {
        SCOPED_TRACE(tolerance);
        auto fast = [&](Vect* head, int selectedOnly) {
            return mergeConnected(head, tolerance, selectedOnly);
        };
        auto reference = [&](Vect* head, int selectedOnly) {
            return referenceMerge(head, tolerance, selectedOnly);
        };
        compareOnSeeds(200, 30, 0.01, fast, reference, true);
    }
}

TEST(Differential, GroupListsFoldEachGroupsResult) {
    for (int seed = 1; seed <= 200; ++seed) {
        RandomDrawing drawing(seed, 4, 0.01);
        ChainOwner<VectGroup> mine(newGroup());
        append(mine.head(), newGroup());
        mine.get()->vects = drawing.list(10);
        mine.get()->next->vects = drawing.list(10);
        ChainOwner<VectGroup> theirs(copyGroupChain(mine.get()));
        int expected = LINTREL_NOTHING_TO_DO;
        for (VectGroup* g : ring(theirs.get()))
            if (referenceMerge(g->vects, 0.01, 0) == LINTREL_OK) expected = LINTREL_OK;
        ASSERT_EQ(Lintrel_MergeSeg(mine.get(), 0.01, 0), expected);
        ASSERT_EQ(snapshot(mine.get()->vects), snapshot(theirs.get()->vects));
        ASSERT_EQ(snapshot(mine.get()->next->vects), snapshot(theirs.get()->next->vects));
    }
}
