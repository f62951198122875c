// Where each closed shape starts and which way it runs: the start as drawn, nearest to where
// the tool stands, or at the sharpest corner; outer shapes clockwise and holes
// counter-clockwise, or the reverse.
#pragma once

#include <lintrel/lintrel.h>

#include <vector>

namespace lintrel {

enum class StartRule { AsDrawn, Nearest, SharpestCorner };
enum class DirectionRule { AsDrawn, OuterClockwise, OuterCounterClockwise };

// Moves the start of the closed vects whose `wanted` flag is set (drawing order). With Nearest
// the start goes to the point of the outline nearest the end of the vect before it in drawing
// order (the origin for the first); a corner is a vertex turning by more than 10 degrees, the
// sharpest turn first, else the start stays. Returns how many starts moved.
int setStartPoints(void* list, StartRule rule, const std::vector<char>& wanted, double precision);

// Turns the closed vects whose `wanted` flag is set so that shapes at an even containment depth
// (outer shapes, parts in holes) run one way and holes the other. Returns how many turned.
int setDirections(void* list, DirectionRule rule, const std::vector<char>& wanted,
                  double precision);

}  // namespace lintrel
