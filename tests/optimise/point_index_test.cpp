// The point index of the chain following: the searches starting at a vect give the answers of
// the searches from the root, whatever vects are gone, on points that tie often.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "optimise/point_index.h"

using namespace lintrel;

namespace {

// Up to three points per vect on a lattice (many equal distances, some equal points), a few
// of them moved by a hair.
std::vector<PointIndex::Entry> latticeEntries(std::mt19937& rng, int ids, int lattice) {
    std::uniform_int_distribution<int> coord(0, lattice);
    std::vector<PointIndex::Entry> entries;
    for (int id = 0; id < ids; ++id) {
        const int count = 1 + static_cast<int>(rng() % 3);
        for (int k = 0; k < count; ++k) {
            Point p{coord(rng) * 0.5, coord(rng) * 0.5};
            if (rng() % 10 == 0) p.x += 1e-9;
            entries.push_back({p, id, static_cast<long long>(entries.size())});
        }
    }
    return entries;
}

// Walks as the chain following does, from a point of the vect taken last, and asks from
// anywhere with a far vect as the start; vects leave on the way. Each answer must be the one
// of the search from the root. Returns the number of vects the walk took.
int expectSameAnswers(std::vector<PointIndex::Entry> entries, int ids, unsigned seed,
                      int leafSize = 8) {
    std::mt19937 rng(seed);
    std::vector<std::vector<Point>> pointsOf(ids);
    double extent = 1;
    for (const PointIndex::Entry& e : entries) {
        pointsOf[e.id].push_back(e.p);
        if (std::isfinite(e.p.x)) extent = std::max(extent, e.p.x);
    }
    PointIndex index(std::move(entries), ids, leafSize);
    std::vector<int> slots(ids);
    for (int id = 0; id < ids; ++id)
        slots[id] = id;
    index.placeAll(slots);
    std::uniform_int_distribution<int> anyId(0, ids - 1);
    std::uniform_real_distribution<double> anywhere(-2, extent + 2);
    int last = anyId(rng), taken = 0;
    for (int step = 0; step < ids; ++step) {
        const std::vector<Point>& own = pointsOf[last];
        const Point end = own[rng() % own.size()];
        const int expected = index.nearest(end);
        EXPECT_EQ(index.nearest(end, last), expected) << "seed " << seed << ", step " << step;
        // The first vect in slot order within a radius, with a test that turns some down.
        const auto odd = [](int id) { return id % 2 == 1; };
        const auto any = [](int) { return true; };
        for (const double radius : {1e-4, 0.6, 3.0}) {
            EXPECT_EQ(index.firstAfter(-1, end, radius, any, last),
                      index.firstAfter(-1, end, radius, any))
                << "seed " << seed << ", step " << step;
            EXPECT_EQ(index.firstAfter(-1, end, radius, odd, last),
                      index.firstAfter(-1, end, radius, odd))
                << "seed " << seed << ", step " << step;
        }
        const Point elsewhere{anywhere(rng), anywhere(rng)};
        EXPECT_EQ(index.nearest(elsewhere, anyId(rng)), index.nearest(elsewhere))
            << "seed " << seed << ", step " << step;
        if (expected < 0) break;
        last = index.entry(expected).id;
        index.remove(last);
        ++taken;
    }
    return taken;
}

}  // namespace

TEST(PointIndex, SearchOutwardsFindsWhatTheSearchFromTheRootFinds) {
    for (unsigned seed = 0; seed < 30; ++seed) {
        std::mt19937 rng(seed);
        const int ids = 100 + static_cast<int>(rng() % 1500);
        const int lattice = std::array<int, 3>{6, 40, 1000}[seed % 3];
        const int leafSize = std::array<int, 4>{8, 1, 16, 3}[seed % 4];  // deep and shallow
        EXPECT_EQ(expectSameAnswers(latticeEntries(rng, ids, lattice), ids, seed, leafSize), ids);
    }
}

// A point that is not finite leaves the splits without a clean side: the search outwards is
// not used, and the answers stay those of the search from the root.
TEST(PointIndex, SearchOutwardsWithPointsThatAreNotFinite) {
    for (unsigned seed = 0; seed < 6; ++seed) {
        std::mt19937 rng(seed);
        const int ids = 300;
        std::vector<PointIndex::Entry> entries = latticeEntries(rng, ids, 40);
        entries[rng() % entries.size()].p.x = seed % 2 ? NAN : INFINITY;
        entries[rng() % entries.size()].p.y = -INFINITY;
        // The walk stops early when it reaches a point without a distance.
        EXPECT_GT(expectSameAnswers(std::move(entries), ids, seed), 0);
    }
}
