// Kerf compensation: each closed shape's cut path offset by half the kerf, outward or inward by
// the side rule, as a new chain beside the drawing. Circles stay circles; other outlines are
// offset through Clipper on their flattened points.
#pragma once

#include <lintrel/lintrel.h>

#include <span>
#include <vector>

#include "cutting/outline.h"

namespace lintrel {

enum class KerfSide { None, ByDepth, Outside, Inside };
enum class Corners { Round, Mitre };

struct KerfRule {
    KerfSide side = KerfSide::None;
    Corners corners = Corners::Round;
    double distance = 0;    // half the kerf
    double mitreLimit = 2;  // longest mitre as a multiple of the distance
};

// What became of each vect (the codes of the export).
enum class KerfResult {
    Offset = 0,
    NotAsked = 1,
    Open = 2,
    Vanished = 3,
    Split = 4,
    Failed = 5,
};

// Offsets a closed point list (counter-clockwise) by `delta` (positive grows it): the outer
// rings of the result, counter-clockwise. Round corners deviate at most `precision` from true
// arcs. Empty when the shape vanishes; false when it cannot be offset at all (no offsetter in
// this build, or coordinates beyond its range).
bool offsetPolygon(std::span<const Point> points, double delta, Corners corners, double mitreLimit,
                   double precision, std::vector<std::vector<Point>>& rings);

// True when this build has a polygon offsetter.
bool offsetAvailable();

// The offset copy of a drawing (a first group or a first vect): vects in the same order, each
// offset by its rule (`ruleOfVect`, by index in drawing order) or copied as drawn, with what
// became of each in `results`. A vect that an inward offset splits becomes several vects in a
// row. Owned by the caller.
void* kerfOffsetDrawing(void* list, std::span<const KerfRule> ruleOfVect, double precision,
                        std::vector<KerfResult>& results);

}  // namespace lintrel
