// The shortest-travel sort: against the exhaustive optimum on small drawings, and on larger
// ones every vect cut once, turned only when allowed, with its geometry kept, never longer
// than the default order and the same every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>

#include "optimise/ordering_random.h"
#include "optimise/reference_tour.h"
#include "optimise/short_travel.h"
#include "optimise/sort_list.h"
#include "optimise/tour.h"
#include "optimise/travel.h"
#include "optimise/workers.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

void buildFlatCopies(VectGroup* groups) {
    for (Vect* v : vectsOf(groups))
        VarnixCad3_BuildFlatSegs(v, 0.05);
}

// Travel of the default order: mode 1 (or another sort), then the start point optimisation
// while it changes.
double defaultTravel(VectGroup* groups, bool allowReverse, bool selectedOnly, int mode = 1) {
    ChainOwner<VectGroup> copy(copyGroupChain(groups));
    buildFlatCopies(copy.get());
    void* list = copy.get();
    Lintrel_AutoSort(&list, mode, allowReverse, selectedOnly);
    for (int pass = 0; pass < 5; ++pass)
        if (Lintrel_OptimizeAbs(copy.get(), 0.05, selectedOnly) != 0) break;
    return travelDistance(copy.get());
}

Point randomPoint(std::mt19937& rng) {
    std::uniform_real_distribution<double> coord(0, 100);
    return {coord(rng), coord(rng)};
}

// Open polylines of one to three segs and closed polygons of three to five corners.
Vect* smallShape(std::mt19937& rng) {
    const int kind = std::uniform_int_distribution<int>(0, 4)(rng);
    std::vector<Point> points{randomPoint(rng)};
    if (kind < 3) {
        for (int k = 0; k <= kind; ++k)
            points.push_back(randomPoint(rng));
        return polylineOf(points);
    }
    const int corners = std::uniform_int_distribution<int>(3, 5)(rng);
    const Point c = points[0];
    const double r = std::uniform_real_distribution<double>(1, 15)(rng);
    points.clear();
    for (int k = 0; k < corners; ++k)
        points.push_back({c.x + r * std::cos(k * kTwoPi / corners + r),
                          c.y + r * std::sin(k * kTwoPi / corners + r)});
    points.push_back(points.front());
    return polylineOf(points, true);
}

// Length of a vect's working chain.
double chainLength(const Vect& v) {
    double total = 0;
    for (const Seg* s : ring(workingChain(v)))
        total += distance(segStart(*s), segEnd(*s));
    return total;
}

double distanceToChain(Point p, const Vect& v) {
    double best = INFINITY;
    for (const Seg* s : ring(workingChain(v)))
        best = std::min(best, distanceToSegment(p, segStart(*s), segEnd(*s)));
    return best;
}

}  // namespace

TEST(ShortTravelDifferential, WithinTwoPercentOfTheExhaustiveOptimum) {
    std::mt19937 rng(2121);
    double sum = 0, worst = 0;
    const int drawings = 1000;
    for (int d = 0; d < drawings; ++d) {
        const int n = std::uniform_int_distribution<int>(1, 9)(rng);
        const bool allowReverse = d % 3 != 0;
        ChainOwner<VectGroup> groups(groupOf({}));
        for (int k = 0; k < n; ++k)
            append(groups.get()->vects, smallShape(rng));
        std::vector<std::vector<CutOption>> options;
        for (const Vect* v : vectsOf(groups.get()))
            options.push_back(cutOptions(*v, allowReverse));
        const double optimum = optimalTravel(options);
        const double byDefault = defaultTravel(groups.get(), allowReverse, false);
        void* list = groups.get();
        ASSERT_EQ(Lintrel_ShortTravelSort(&list, allowReverse, 0), 0);
        const double travel = travelDistance(groups.get());
        // The default order may enter an outline between two vertices and so beat the vertex
        // optimum; the sort is never longer than that order.
        EXPECT_LE(travel, byDefault + 1e-9) << "drawing " << d;
        const double ratio = travel / optimum;
        EXPECT_LE(ratio, 1.02) << "drawing " << d << " with " << n << " vects";
        sum += ratio;
        worst = std::max(worst, ratio);
    }
    std::printf("shortest travel over the exhaustive optimum: mean %.5f, worst %.5f\n",
                sum / drawings, worst);
}

TEST(ShortTravelDifferential, CutsEveryVectOnceWithItsGeometryAndNeverLonger) {
    for (int seed = 0; seed < 16; ++seed) {
        std::mt19937 rng(seed);
        DrawingShape shape;
        shape.lattice = 40;
        shape.scale = 2.5;
        shape.selectChance = seed % 4 == 3 ? 0.6 : 1;
        const bool allowReverse = seed % 2 == 0, selectedOnly = seed % 4 == 3;
        ChainOwner<VectGroup> groups(nullptr);
        int id = 0;
        for (int g = 0; g < 1 + seed % 3; ++g) {
            Vect* vects = randomList(rng, 40 + 37 * seed % 200, shape);
            for (Vect* v : ring(vects))
                v->speed = id++;
            VectGroup* group = groupOf({});
            group->vects = vects;
            groups.append(group);
        }
        buildFlatCopies(groups.get());
        // The drawing keeps its vect records, each with its own contents and action text.
        std::map<const Vect*, double> records;
        for (Vect* v : vectsOf(groups.get())) {
            records[v] = v->speed;
            if (static_cast<int>(v->speed) % 5 == 0)
                v->beforeAction = duplicateText(std::to_string(v->speed).c_str());
        }
        ChainOwner<VectGroup> before(copyGroupChain(groups.get()));
        std::map<double, const Vect*> original;
        for (const Vect* v : vectsOf(before.get()))
            original[v->speed] = v;
        const double byDefault = defaultTravel(groups.get(), allowReverse, selectedOnly);
        ChainOwner<VectGroup> twin(copyGroupChain(groups.get()));

        void* list = groups.get();
        ASSERT_EQ(Lintrel_ShortTravelSort(&list, allowReverse, selectedOnly), 0);
        EXPECT_LE(travelDistance(groups.get()), byDefault + 1e-9) << "seed " << seed;

        // Every vect once, in its own group; unselected vects keep their places.
        VectGroup* g0 = groups.get();
        VectGroup* b0 = before.get();
        for (VectGroup *g = g0, *b = b0;; g = g->next, b = b->next) {
            const std::vector<Vect*> now = vectsOf(g->vects), then = vectsOf(b->vects);
            ASSERT_EQ(now.size(), then.size());
            std::multiset<double> a, c;
            for (size_t k = 0; k < now.size(); ++k) {
                a.insert(now[k]->speed);
                c.insert(then[k]->speed);
                if (selectedOnly && !then[k]->selected) {
                    EXPECT_EQ(now[k]->speed, then[k]->speed);
                }
            }
            EXPECT_EQ(a, c);
            if (g->next == g0) break;
        }
        std::map<const Vect*, double> recordsAfter;
        for (const Vect* v : vectsOf(groups.get())) {
            recordsAfter[v] = v->speed;
            const bool acts = static_cast<int>(v->speed) % 5 == 0;
            EXPECT_EQ(v->beforeAction ? std::string(v->beforeAction) : "",
                      acts ? std::to_string(v->speed) : "");
        }
        EXPECT_EQ(recordsAfter, records) << "seed " << seed;
        for (const Vect* v : vectsOf(groups.get())) {
            const Vect& o = *original.at(v->speed);
            EXPECT_NEAR(chainLength(*v), chainLength(o), 1e-6);
            const VectEnds e = endsOf(*v), oe = endsOf(o);
            const bool same = samePoint(e.start, oe.start) && samePoint(e.end, oe.end);
            const bool turned = samePoint(e.start, oe.end) && samePoint(e.end, oe.start);
            if (o.closed) {
                EXPECT_LE(distanceToChain(e.start, o), 1e-6);
            } else if (!allowReverse || (selectedOnly && !o.selected)) {
                EXPECT_TRUE(same) << "vect " << v->speed << " turned without leave";
            } else {
                EXPECT_TRUE(same || turned);
            }
        }
        // The same drawing gives the same result.
        void* again = twin.get();
        ASSERT_EQ(Lintrel_ShortTravelSort(&again, allowReverse, selectedOnly), 0);
        for (VectGroup *g = groups.get(), *t = twin.get();; g = g->next, t = t->next) {
            EXPECT_EQ(signature(g->vects), signature(t->vects));
            if (g->next == groups.get()) break;
        }
    }
}

TEST(ShortTravelSort, BeatsTheDefaultOnAGridOfPartsAndAnswersForBadLists) {
    // Parts in a grid listed in a scrambled order: the tour is clearly shorter.
    std::mt19937 rng(7);
    std::vector<Vect*> parts;
    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 12; ++y) {
            const double cx = x * 30, cy = y * 30;
            parts.push_back(polylineOf(
                {{cx, cy}, {cx + 20, cy}, {cx + 20, cy + 20}, {cx, cy + 20}, {cx, cy}}, true));
            parts.push_back(polylineOf({{cx + 5, cy + 5}, {cx + 15, cy + 15}}));
        }
    std::shuffle(parts.begin(), parts.end(), rng);
    Vect* head = nullptr;
    for (Vect* v : parts)
        append(head, v);
    ChainOwner<Vect> list(head);
    ChainOwner<VectGroup> asGroup(groupOf({}));
    asGroup.get()->vects = copyVectChain(head);
    const double byDefault = defaultTravel(asGroup.get(), true, false);
    void* first = list.get();
    ASSERT_EQ(Lintrel_ShortTravelSort(&first, 1, 0), 0);
    list.release();
    list.reset(static_cast<Vect*>(first));  // a vect list follows its new first vect
    EXPECT_TRUE(wellLinked(list.get()));
    EXPECT_EQ(vectsOf(list.get()).size(), parts.size());
    EXPECT_LT(travelDistance(list.get()), 0.95 * byDefault);

    EXPECT_EQ(Lintrel_ShortTravelSort(nullptr, 1, 0), 21000);
    void* none = nullptr;
    EXPECT_EQ(Lintrel_ShortTravelSort(&none, 1, 0), 21000);
    // A damaged coordinate neither crashes the sort nor loses a vect.
    std::vector<Vect*> damagedParts;
    for (int k = 0; k < 40; ++k)
        damagedParts.push_back(polyline({{k * 3.0, k % 7 * 2.0}, {k * 3.0 + 1, 5}}));
    damagedParts[17]->segs->x0 = NAN;
    ChainOwner<VectGroup> damaged(groupOf({}));
    for (Vect* v : damagedParts)
        append(damaged.get()->vects, v);
    void* d = damaged.get();
    EXPECT_EQ(Lintrel_ShortTravelSort(&d, 1, 0), 0);
    EXPECT_EQ(vectsOf(damaged.get()).size(), 40u);
    EXPECT_TRUE(wellLinked(damaged.get()->vects));
    // Nothing selected: nothing takes part.
    ChainOwner<VectGroup> unselected(groupOf({polyline({{1, 1}, {2, 2}})}));
    void* u = unselected.get();
    EXPECT_EQ(Lintrel_ShortTravelSort(&u, 1, 1), 100);
}

TEST(ShortTravelSort, LargeDrawingsAreGuardedByTheNearestNeighbourOnAnIndex) {
    // Above the exact guard's size (forced to 0 here) the tour must not be longer than the
    // nearest neighbour found by chain following with the start point optimisation.
    for (int seed = 0; seed < 8; ++seed) {
        std::mt19937 rng(100 + seed);
        DrawingShape shape;
        shape.lattice = 30;
        shape.scale = 3;
        const bool allowReverse = seed % 2 == 0;
        ChainOwner<VectGroup> groups(groupOf({}));
        groups.get()->vects = randomList(rng, 60 + 29 * seed, shape);
        buildFlatCopies(groups.get());
        const double byIndex = defaultTravel(groups.get(), allowReverse, false, 10);
        void* list = groups.get();
        ASSERT_EQ(shortTravelSort(&list, allowReverse, false, 0), 0);
        EXPECT_LE(travelDistance(groups.get()), byIndex + 1e-9) << "seed " << seed;
    }
}

// Long tours find their candidate lists on several threads and renumber their items in spatial
// order; from two blocks of positions on (50,000 each) the local search improves the blocks on
// several threads before one pass over the whole tour. The plan must be the same for any number
// of threads. Points on a coarse lattice give many equal distances, whose ties must not depend
// on which thread settled them.
TEST(ShortTravelTour, SamePlanOnAnyNumberOfThreads) {
    // `turning`: every item may run backwards, so 2-opt moves take part too.
    const auto lattice = [](int items, bool turning) {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> coord(0, 400);
        const auto point = [&] { return Point{coord(rng) * 0.5, coord(rng) * 0.5}; };
        TourInput input;
        for (int k = 0; k < items; ++k) {
            if (k % 5 == 0) {
                const Point c = point();
                input.addClosed(
                    std::vector<Point>{c, {c.x + 1, c.y}, {c.x + 1, c.y + 1}, {c.x, c.y + 1}});
            } else {
                input.addOpen(point(), point(), turning || k % 3 != 0);
            }
        }
        return input;
    };
    // Below the blocks, and three blocks, the last one short.
    for (const auto& [items, turning] : {std::pair{25'000, false}, std::pair{110'000, true}}) {
        const TourInput input = lattice(items, turning);
        const Point home{0, 0};
        std::vector<std::vector<int>> plans;
        for (int threads : {1, 2, 4}) {
            setWorkerThreads(threads);
            const TourPlan plan = planTour(input, {0, 0}, &home, kDrawingKicks);
            std::vector<int> flat;
            for (const TourStep& s : plan.steps)
                flat.insert(flat.end(), {s.item, s.reversed ? 1 : 0, s.entry});
            plans.push_back(flat);
        }
        setWorkerThreads(0);
        ASSERT_EQ(plans[0].size(), 3u * items);
        std::vector<char> seen(items, 0);
        for (size_t k = 0; k < plans[0].size(); k += 3)
            seen[plans[0][k]] = 1;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), items) << "every item once";
        EXPECT_EQ(plans[1], plans[0]) << items << " items";
        EXPECT_EQ(plans[2], plans[0]) << items << " items";
    }
}
