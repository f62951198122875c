// The round corners of a kerf-compensated path as the arcs they are. The offsetter lays each
// round corner out as a few chords of the circle of half the kerf about the shape's corner; a
// writer that knows those runs writes one arc command about the corner itself, so the machine
// cuts the exact arc instead of the chords.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include <span>
#include <unordered_map>
#include <vector>

#include "core/codegen/vect_path.h"

namespace pathloom {

// Corner arcs shorter than this (chord, in mm) stay chords: a controller may take an arc whose
// end shows as its start at the program's decimals for a full circle.
inline constexpr double kShortestCornerArc = 0.01;

// Segs `firstSeg` to `lastSeg` of a vect's working chain (counted from 0), which run along the
// circle of `move`: the arc from the start of the first to the end of the last.
struct CornerArc {
    int firstSeg = 0;
    int lastSeg = 0;
    ArcMove move;
};

// The corner arcs of each cut path that has any, by the path's vect.
using CornerArcs = std::unordered_map<const Vect*, std::vector<CornerArc>>;

// The runs of `cut`'s working chain (a polyline) whose points all lie at `radius` from one of
// `corners` (the vertices of the shape it was offset from), in chain order. A run is kept when
// it turns one way by less than half a turn and its chord is at least kShortestCornerArc.
std::vector<CornerArc> findCornerArcs(const Vect& cut, std::span<const Point> corners,
                                      double radius);

// The arcs a writer replaces, for one vect: null when it has none.
inline const std::vector<CornerArc>* cornerArcsOf(const CornerArcs* arcs, const Vect& vect) {
    if (!arcs) return nullptr;
    const auto found = arcs->find(&vect);
    return found == arcs->end() ? nullptr : &found->second;
}

// Walks a working chain as a writer cuts it: `line(seg)` for each seg cut as a line, `arc(move)`
// once for each corner arc in place of its segs. `corners` may be null.
template <class Line, class Arc>
void forEachCut(const Seg* chain, const std::vector<CornerArc>* corners, Line&& line, Arc&& arc) {
    size_t next = 0;
    int index = 0;
    for (const Seg* seg : lintrel::ring(chain)) {
        const int at = index++;
        if (corners && next < corners->size() && at >= (*corners)[next].firstSeg) {
            const CornerArc& corner = (*corners)[next];
            if (at == corner.firstSeg) arc(corner.move);
            if (at == corner.lastSeg) ++next;
            continue;
        }
        line(*seg);
    }
}

}  // namespace pathloom
