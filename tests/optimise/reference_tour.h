// The shortest travel of a small drawing found the slow, sure way: every order, direction and
// entry vertex, by dynamic programming over the sets of vects already cut. For up to a dozen
// vects of a few vertices each.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/geometry.h"
#include "model/items.h"

namespace lintrel::test {

// The ways a vect may be cut: where the tool enters and where it leaves.
struct CutOption {
    Point in, out;
};

// Open vects run forwards (or backwards when allowed); closed outlines are entered and left at
// any vertex of their working chain.
inline std::vector<CutOption> cutOptions(const Vect& v, bool allowReverse) {
    std::vector<CutOption> options;
    Point s, e;
    vectStartPoint(v, s);
    vectEndPoint(v, e);
    if (v.closed && s.x == e.x && s.y == e.y) {
        for (const Seg* seg : ring(workingChain(v)))
            options.push_back({segStart(*seg), segStart(*seg)});
        return options;
    }
    options.push_back({s, e});
    if (allowReverse) options.push_back({e, s});
    return options;
}

// Least travel from the origin through every vect and back to the origin.
inline double optimalTravel(const std::vector<std::vector<CutOption>>& vects) {
    const int n = static_cast<int>(vects.size());
    std::vector<int> first(n + 1, 0);
    for (int i = 0; i < n; ++i)
        first[i + 1] = first[i] + static_cast<int>(vects[i].size());
    const int states = first[n];
    std::vector<const CutOption*> option(states);
    std::vector<int> owner(states);
    for (int i = 0; i < n; ++i)
        for (int o = first[i]; o < first[i + 1]; ++o)
            option[o] = &vects[i][o - first[i]], owner[o] = i;
    const size_t sets = size_t{1} << n;
    std::vector<double> best(sets * states, INFINITY);
    for (int o = 0; o < states; ++o)
        best[(size_t{1} << owner[o]) * states + o] = distance({0, 0}, option[o]->in);
    for (size_t set = 1; set < sets; ++set)
        for (int o = 0; o < states; ++o) {
            const double here = best[set * states + o];
            if (here == INFINITY) continue;
            for (int q = 0; q < states; ++q) {
                if (set & (size_t{1} << owner[q])) continue;
                double& there = best[(set | (size_t{1} << owner[q])) * states + q];
                there = std::min(there, here + distance(option[o]->out, option[q]->in));
            }
        }
    double result = n == 0 ? 0 : INFINITY;
    for (int o = 0; o < states; ++o)
        result = std::min(result, best[(sets - 1) * states + o] + distance(option[o]->out, {0, 0}));
    return result;
}

}  // namespace lintrel::test
