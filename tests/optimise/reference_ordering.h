// Reference implementations of the ordering scans, kept only for the tests: each is a plain
// selection scan that fills the positions one by one, tries every remaining candidate for each,
// and swaps and reverses records as it goes. The library's fast paths must give the same
// results.
#pragma once

#include <algorithm>
#include <vector>

#include "curves/range.h"
#include "model/items.h"
#include "model/transform.h"
#include "optimise/sort_list.h"

namespace lintrel::reference {

inline std::vector<Vect*> itemsOf(Vect* head) {
    std::vector<Vect*> out;
    for (Vect* v : ring(head))
        out.push_back(v);
    return out;
}

inline Point startOf(const Vect* v) {
    return endsOf(*v).start;
}
inline Point endOf(const Vect* v) {
    return endsOf(*v).end;
}

struct Frame {
    std::vector<Vect*> items;
    bool selectedOnly = false;
    bool allowReverse = false;

    bool takesPart(int i) const {
        return (!selectedOnly || items[i]->selected) && endsOf(*items[i]).valid;
    }
    Point previousEnd(int i) const {
        for (int p = i - 1; p >= 0; --p)
            if (endsOf(*items[p]).valid) return endOf(items[p]);
        return {0, 0};
    }
    void reversalCheck(int i, Point ref) {
        if (allowReverse && wantsReversal(ref, endsOf(*items[i]))) reverseVect(*items[i]);
    }
    int size() const { return static_cast<int>(items.size()); }
};

// Key of modes 2 and 4 to 7 and whether a candidate key beats the current one.
inline bool keyBetter(int mode, Vect* candidate, Vect* current) {
    const VectBox a = boxOf(*candidate), b = boxOf(*current);
    switch (mode) {
        case 2:
            return std::max(a.width, a.height) < std::max(b.width, b.height);
        case 4:
            return a.x < b.x;
        case 5:
            return a.x + a.width > b.x + b.width;
        case 6:
            return a.y + a.height > b.y + b.height;
        default:
            return a.y < b.y;
    }
}

// Modes 1 to 7 on one vect list; the list pointer follows position 0.
inline void selectionSort(Vect*& head, int mode, bool allowReverse, bool selectedOnly) {
    Frame f{itemsOf(head), selectedOnly, allowReverse};
    const Point centre = listCentre(head);
    const int n = f.size();
    for (int i = 0; i + 1 < n; ++i) {
        if (!f.takesPart(i)) continue;
        if (mode == 1 || mode == 3) {
            const Point p = mode == 3 ? centre : f.previousEnd(i);
            f.reversalCheck(i, p);
            double m = distance(p, startOf(f.items[i]));
            for (int j = i + 1; j < n; ++j) {
                if (!f.takesPart(j)) continue;
                const double w = distance(p, startOf(f.items[j]));
                const double t = distance(p, endOf(f.items[j]));
                bool better;
                if (!allowReverse)
                    better = mode == 1 ? w < m - 1e-4 : w < m;
                else
                    better = std::min(w, t) < m;
                if (!better) continue;
                if (allowReverse && t < w - 1e-4) {
                    reverseVect(*f.items[j]);
                    m = t;
                } else {
                    m = w;
                }
                std::swap(f.items[i], f.items[j]);
            }
        } else {
            for (int j = i + 1; j < n; ++j)
                if (f.takesPart(j) && keyBetter(mode, f.items[j], f.items[i]))
                    std::swap(f.items[i], f.items[j]);
            f.reversalCheck(i, f.previousEnd(i));
        }
    }
    if (n > 0 && f.takesPart(n - 1))
        f.reversalCheck(n - 1, n == 1 && mode == 3 ? centre : f.previousEnd(n - 1));
    relinkInOrder(head, f.items);
}

// Mode 10, chain following. Returns the sort's result code.
inline int chainFollow(Vect* head, bool allowReverse, bool selectedOnly) {
    Frame f{itemsOf(head), selectedOnly, allowReverse};
    std::vector<Vect*> gathered;
    for (int i = 0; i < f.size(); ++i)
        if (f.takesPart(i)) gathered.push_back(f.items[i]);
    if (gathered.empty()) return selectedOnly ? 100 : 0;
    std::vector<char> used(gathered.size(), 0);
    std::vector<Vect*> chain{gathered[0]};
    used[0] = 1;
    for (size_t step = 1; step < gathered.size(); ++step) {
        const Point e = endOf(chain.back());
        double best = INFINITY;
        int choice = -1;
        bool reversed = false;
        for (size_t k = 0; k < gathered.size(); ++k) {
            if (used[k]) continue;
            const double ds = distance(e, startOf(gathered[k]));
            const double de = distance(e, endOf(gathered[k]));
            if (ds <= 1e-4) {
                choice = static_cast<int>(k), reversed = false;
                break;
            }
            if (allowReverse && de < 1e-4) {
                choice = static_cast<int>(k), reversed = true;
                break;
            }
            if (ds < best) best = ds, choice = static_cast<int>(k), reversed = false;
            if (allowReverse && de < best) best = de, choice = static_cast<int>(k), reversed = true;
        }
        if (choice < 0) break;
        used[choice] = 1;
        if (reversed) reverseVect(*gathered[choice]);
        chain.push_back(gathered[choice]);
    }
    for (size_t c = 1; c < chain.size(); ++c) {
        unlink(chain[c]);
        spliceBefore(chain[0], chain[c]);
    }
    return 0;
}

// The grid sort, cell by cell.
inline void gridSort(Vect*& head, double cw, double ch, bool allowReverse, bool selectedOnly) {
    Frame f{itemsOf(head), selectedOnly, allowReverse};
    RectF box;
    rangeOf(head, Reach::Ring, 0.05, box);
    const double x0 = box.x, y0 = box.y;
    const long long cols = cellCount(box.width, cw), rows = cellCount(box.height, ch);
    const int n = f.size();
    const auto inSpan = [](double v, double origin, long long k, double size) {
        return v >= cellLow(origin, static_cast<double>(k), size) &&
               v <= cellHigh(origin, static_cast<double>(k), size);
    };
    const auto inCell = [&](Vect* v, long long r, long long c) {
        const Point s = startOf(v), e = endOf(v);
        return (inSpan(s.x, x0, c, cw) && inSpan(s.y, y0, r, ch)) ||
               (inSpan(e.x, x0, c, cw) && inSpan(e.y, y0, r, ch));
    };
    const auto lowY = [](Vect* v) { return std::min(startOf(v).y, endOf(v).y); };
    const auto lowX = [](Vect* v) { return std::min(startOf(v).x, endOf(v).x); };
    int i = 0;
    for (long long r = 0; r < rows; ++r) {
        for (long long k = 0; k < cols; ++k) {
            const long long c = r % 2 == 0 ? k : cols - 1 - k;
            for (;;) {
                while (i < n && !f.takesPart(i))
                    ++i;
                if (i >= n - 1) {
                    if (i == n - 1 && inCell(f.items[i], r, c))
                        f.reversalCheck(i, f.previousEnd(i));
                    relinkInOrder(head, f.items);
                    return;
                }
                for (int j = i + 1; j < n; ++j) {
                    if (!f.takesPart(j) || !inCell(f.items[j], r, c)) continue;
                    Vect* cur = f.items[i];
                    Vect* cand = f.items[j];
                    if (!inCell(cur, r, c) || lowY(cand) < lowY(cur) ||
                        (lowY(cand) == lowY(cur) && lowX(cand) < lowX(cur)))
                        std::swap(f.items[i], f.items[j]);
                }
                if (!inCell(f.items[i], r, c)) break;
                f.reversalCheck(i, f.previousEnd(i));
                ++i;
            }
        }
    }
    relinkInOrder(head, f.items);
}

// Manual sort modes 1 to 5, moving records one at a time.
inline int handSort(Vect*& head, int mode) {
    std::vector<Vect*> v = itemsOf(head);
    const std::vector<Vect*> before = v;
    const int n = static_cast<int>(v.size());
    const auto move = [&](int from, int to) {
        Vect* x = v[from];
        v.erase(v.begin() + from);
        v.insert(v.begin() + to, x);
    };
    int selected = 0;
    for (Vect* x : v)
        selected += x->selected ? 1 : 0;
    if (mode == 1) {
        for (int k = 1; k < n; ++k) {
            if (!v[k]->selected) continue;
            for (int u = k - 1; u >= 0; --u)
                if (!v[u]->selected) {
                    move(k, u);
                    break;
                }
        }
    } else if (mode == 2) {
        for (int k = n - 2; k >= 0; --k) {
            if (!v[k]->selected) continue;
            for (int u = k + 1; u < n; ++u)
                if (!v[u]->selected) {
                    move(k, u);
                    break;
                }
        }
    } else if (mode == 3 || mode == 4) {
        // Front: in old order, each goes in front of the first unselected vect. End: from the
        // back, each goes behind the last unselected one; both keep the old order.
        std::vector<Vect*> picks;
        for (Vect* x : before)
            if (x->selected) picks.push_back(x);
        if (mode == 4) std::reverse(picks.begin(), picks.end());
        for (Vect* x : picks) {
            const int at = static_cast<int>(std::find(v.begin(), v.end(), x) - v.begin());
            int u = -1;
            for (int k = 0; k < n; ++k)
                if (!v[k]->selected && (u < 0 || mode == 4)) u = k;
            if (mode == 3 && u >= 0 && u < at) move(at, u);
            if (mode == 4 && u > at) move(at, u);
        }
    } else {
        std::vector<int> at;
        for (int k = 0; k < n; ++k)
            if (v[k]->selected) at.push_back(k);
        for (int p = 0; p < static_cast<int>(at.size()) / 2; ++p)
            std::swap(v[at[p]], v[at[at.size() - 1 - p]]);
    }
    relinkInOrder(head, v);
    if (mode == 5) return selected ? 0 : 100;
    return v != before ? 0 : 100;
}

}  // namespace lintrel::reference
