// A vect list laid out in an array for the sorts: the records in list order, their start and
// end points, which of them take part, and the rebuilding of the ring once an order is chosen.
// The primitives here (reversal check, boxes, cell spans) are the single home of those rules.
#pragma once

#include <lintrel/lintrel.h>

#include <span>
#include <utility>
#include <vector>

#include "model/geometry.h"

namespace lintrel {

// Start and end of a vect's working chain; `valid` is false for a vect without segs.
struct VectEnds {
    Point start;
    Point end;
    bool valid = false;
};
VectEnds endsOf(const Vect& v);

// A vect is reversed when the reference point is nearer its end than its start by more than
// 1e-4; stored orders depend on this margin.
inline bool wantsReversal(Point reference, const VectEnds& e) {
    return distance(reference, e.end) < distance(reference, e.start) - kSame;
}

// Box of a vect (its segs chain measured at 0.05) as minimum x, minimum y, width, height.
struct VectBox {
    float x = 0, y = 0, width = 0, height = 0;
};
VectBox boxOf(Vect& v);
// Centre of the box of a whole vect list.
Point listCentre(Vect* first);

// Lower and upper bound of cell `index` of a grid starting at `origin` with cells of `size`,
// widened by 1e-4 on both sides (bounds included).
inline double cellLow(double origin, double index, double size) {
    return origin + index * size - kSame;
}
inline double cellHigh(double origin, double index, double size) {
    return origin + (index + 1) * size + kSame;
}
// Number of cells covering an extent: trunc((extent - 1e-4) / size + 1), at least 1.
long long cellCount(double extent, double size);

// Relinks the records into one ring in the given order; `head` becomes the first.
void relinkInOrder(Vect*& head, std::span<Vect* const> items);

class SortList {
  public:
    SortList(Vect* head, bool selectedOnly);

    int size() const { return static_cast<int>(items_.size()); }
    Vect* at(int position) const { return items_[position]; }
    const VectEnds& ends(int position) const { return ends_[position]; }
    // Passes the selection filter and has points to travel between.
    bool takesPart(int position) const { return part_[position]; }
    std::vector<int> takingPart() const;

    // Exchanges the records at two positions.
    void swap(int a, int b);
    // Moves the records so that position `slots[k]` receives the record now at `from[k]`.
    void permute(std::span<const int> slots, std::span<const int> from);
    // Reverses the record at `position`. Where reversal exactly exchanges the two ends, only
    // the ends are exchanged now and the record itself is turned by `applyReversals`, in list
    // order, which keeps the records' memory walked in order on large drawings.
    void reverse(int position);
    // `reverse` for a record known to reverse by exchanging its ends (`reversesBySwap`),
    // without reading the record now: only its ends are exchanged until `applyReversals`.
    void reverseBySwap(int position) {
        flip_[position] ^= 1;
        std::swap(ends_[position].start, ends_[position].end);
    }
    // True when reversing the record at `position` exactly exchanges its two ends.
    bool reversesBySwap(int position) const { return turn_[position] != Turn::Recompute; }
    // False for a point, which has no direction: reversing it changes nothing.
    bool hasDirection(int position) const { return turn_[position] != Turn::None; }
    void applyReversals();
    // The reversal check against `reference`: reverses when wanted. True when it reversed.
    bool reversalCheck(int position, Point reference, bool allowReverse);
    // End point the tool leaves from before `position`: that of the nearest earlier vect with
    // points, the origin for the first.
    Point previousEnd(int position) const;

    // Applies the reversals and relinks the ring in array order; the list pointer follows
    // position 0.
    void relink(Vect*& head);
    // Applies the reversals and links the record at each position `p` to those at `nextOf[p]`
    // and `prevOf[p]` (a ring through every position), in one pass over the records in their
    // old list order.
    void relinkAs(std::span<const int> nextOf, std::span<const int> prevOf);

  private:
    // The positions in the order the vects were given: records are written in that order,
    // which on large drawings is close to their order in memory.
    std::vector<int> positionsInGivenOrder() const;
    std::vector<Vect*> items_;
    std::vector<VectEnds> ends_;
    std::vector<char> part_;
    std::vector<char> flip_;   // a reversal decided but not yet applied
    std::vector<int> origin_;  // position in the list as it was given
    // How each record reverses, read once with its ends so that deciding a reversal later
    // never reads the record itself: its ends change places, nothing changes (a point), or
    // it turns and its ends are read again (an arc without a flattened chain, whose ends are
    // recomputed from its angles). A reversal changes neither the kind nor the flattening.
    enum class Turn : char { Swap, None, Recompute };
    std::vector<Turn> turn_;
};

}  // namespace lintrel
