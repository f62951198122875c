// The single-precision screen of the nearest-neighbour scan may stop at positions that are not
// within reach, but must never pass over one that is, by the exact double-precision distance.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "optimise/end_screen.h"

using namespace lintrel;

namespace {

struct Ends {
    Point start, end;
    bool part;
};

// Positions in [from, to) within `reach`, as the scan decides it.
int firstExact(const std::vector<Ends>& ends, int from, int to, Point ref, double reach,
               bool eitherEnd) {
    for (int p = from; p < to; ++p) {
        if (!ends[p].part) continue;
        if (distance(ref, ends[p].start) < reach) return p;
        if (eitherEnd && distance(ref, ends[p].end) < reach) return p;
    }
    return to;
}

TEST(EndScreen, NeverPassesOverAPositionWithinReach) {
    std::mt19937 rng(7);
    for (double centre : {0.0, -250.0, 3e6, 4e9}) {
        for (int round = 0; round < 40; ++round) {
            const int n = std::uniform_int_distribution<int>(1, 90)(rng);
            std::uniform_real_distribution<double> at(centre - 20, centre + 20);
            std::vector<Ends> ends(n);
            double largest = 0;
            for (Ends& e : ends) {
                e = {{at(rng), at(rng)}, {at(rng), at(rng)}, rng() % 5 != 0};
                for (double v : {e.start.x, e.start.y, e.end.x, e.end.y})
                    largest = std::max(largest, std::fabs(v));
            }
            EndScreen wide(n, largest, true), narrow(n, largest, false);
            for (int p = 0; p < n; ++p) {
                wide.load(p, ends[p].start, ends[p].end, ends[p].part);
                narrow.load(p, ends[p].start, ends[p].end, ends[p].part);
            }
            for (int query = 0; query < 50; ++query) {
                // Reaches exactly at a point's distance, and a hair either side of it.
                const Point ref{at(rng), at(rng)};
                const Ends& target = ends[rng() % n];
                const double d = distance(ref, target.start);
                const double reach = std::nextafter(d, query % 3 == 0   ? 0.0
                                                       : query % 3 == 1 ? INFINITY
                                                                        : d);
                const bool either = query % 2 == 0;
                const int from = std::uniform_int_distribution<int>(0, n)(rng);
                const int expected = firstExact(ends, from, n, ref, reach, either);
                for (const EndScreen* screen : {&wide, &narrow}) {
                    const int got = screen->firstWithin(screen->probe(ref), from, n, reach, either);
                    ASSERT_LE(got, expected) << "centre " << centre;
                    // Whatever it stops at before that is a position that takes part.
                    if (got < expected) {
                        ASSERT_TRUE(ends[got].part);
                    }
                }
            }
        }
    }
}

TEST(EndScreen, OffersEveryPositionWhenCoordinatesDoNotFitSinglePrecision) {
    EndScreen screen(3, 1e200);
    for (int p = 0; p < 3; ++p)
        screen.load(p, {1e200, 0}, {1e200, 0}, true);
    EXPECT_EQ(screen.firstWithin(screen.probe({0, 0}), 1, 3, 1.0, true), 1);
}

}  // namespace
