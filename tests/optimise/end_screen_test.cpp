// The single-precision screen of the nearest-neighbour scan may offer positions that are not
// within reach, but must never pass over one that is, by the exact double-precision distance,
// also after the vects have been swapped, turned and reloaded as the scan does.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "optimise/end_screen.h"

using namespace lintrel;

namespace {

struct Ends {
    Point start, end;
    bool part;
};

// Whether a position lies within `reach`, as the scan decides it.
bool within(const Ends& e, Point ref, double reach, bool eitherEnd) {
    return e.part &&
           (distance(ref, e.start) < reach || (eitherEnd && distance(ref, e.end) < reach));
}

// Every position from `from` on that the screen offers, group by group.
std::vector<bool> offered(const EndScreen& screen, int from, int n, Point ref, double reach,
                          bool eitherEnd) {
    std::vector<bool> out(n, false);
    const EndScreen::Probe probe = screen.probe(ref);
    for (int p = from; p < n;) {
        const EndScreen::Hits hits = screen.nextWithin(probe, p, n, reach, eitherEnd);
        if (!hits.mask) break;
        for (int k = 0; k < 16; ++k)
            if (hits.mask >> k & 1) out.at(hits.at + k) = true;
        p = hits.at + 16;
    }
    return out;
}

Ends randomEnds(std::mt19937& rng, std::uniform_real_distribution<double>& at) {
    return {{at(rng), at(rng)}, {at(rng), at(rng)}, rng() % 5 != 0};
}

// Moves the vects about as the scan does: swaps, reversals and reloads.
void stir(std::mt19937& rng, std::vector<Ends>& ends, EndScreen& screen,
          std::uniform_real_distribution<double>& at) {
    const int n = static_cast<int>(ends.size());
    for (int k = rng() % 6; k > 0; --k) {
        const int a = static_cast<int>(rng() % n), b = static_cast<int>(rng() % n);
        switch (rng() % 3) {
            case 0:
                std::swap(ends[a], ends[b]);
                screen.swap(a, b);
                break;
            case 1:
                std::swap(ends[a].start, ends[a].end);
                screen.turn(a, true);
                break;
            default:
                ends[a] = randomEnds(rng, at);
                screen.load(a, ends[a].start, ends[a].end, ends[a].part);
        }
    }
}

TEST(EndScreen, NeverPassesOverAPositionWithinReach) {
    std::mt19937 rng(7);
    for (double centre : {0.0, -250.0, 3e6, 4e9}) {
        for (int round = 0; round < 30; ++round) {
            const int n = std::uniform_int_distribution<int>(1, 200)(rng);
            std::uniform_real_distribution<double> at(centre - 20, centre + 20);
            std::vector<Ends> ends(n);
            for (Ends& e : ends)
                e = randomEnds(rng, at);
            const double largest = std::fabs(centre) + 20;
            EndScreen wide(n, largest), four(n, largest, EndScreen::Lanes::Four),
                one(n, largest, EndScreen::Lanes::One);
            for (EndScreen* screen : {&wide, &four, &one})
                for (int p = 0; p < n; ++p)
                    screen->load(p, ends[p].start, ends[p].end, ends[p].part);
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
                for (const EndScreen* screen : {&wide, &four, &one}) {
                    const std::vector<bool> got = offered(*screen, from, n, ref, reach, either);
                    for (int p = 0; p < n; ++p) {
                        const bool inReach = p >= from && within(ends[p], ref, reach, either);
                        // Positions before the start and those not taking part never come.
                        const bool never = p < from || !ends[p].part;
                        ASSERT_TRUE(!inReach || got[p]) << "centre " << centre << ", at " << p;
                        ASSERT_TRUE(!never || !got[p]) << "centre " << centre << ", at " << p;
                    }
                }
                if (query % 3 == 0) {  // every screen gets the same moves
                    const std::mt19937 before = rng;
                    const std::vector<Ends> unmoved = ends;
                    stir(rng, ends, wide, at);
                    for (EndScreen* screen : {&four, &one}) {
                        std::mt19937 again = before;
                        std::vector<Ends> same = unmoved;
                        stir(again, same, *screen, at);
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
    const EndScreen::Hits hits = screen.nextWithin(screen.probe({0, 0}), 1, 3, 1.0, true);
    EXPECT_EQ(hits.at, 1);
    EXPECT_EQ(hits.mask, 0b11u);
}

}  // namespace
