// What both program writers and the simulation need to know about one vect before writing it:
// its flattened chain (built on demand), the entry point, the travel test and, for an arc
// written as one command, its direction, centre, end and turn.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include <cmath>

#include "core/presets/process.h"

namespace pathloom {

using lintrel::Point;

// Positions closer than this in both coordinates count as the same; only a strictly greater
// difference moves the tool. Stored programs depend on the exact margin.
inline constexpr double kSamePosition = 0.0001;

inline bool differs(double a, double b) {
    return std::fabs(a - b) > kSamePosition;
}
inline bool travelNeeded(Point entry, Point current) {
    return differs(entry.x, current.x) || differs(entry.y, current.y);
}

// The settings a program is written with: each value that its key's rule refuses replaced by
// the key's default. Every place that takes settings checks them already; this keeps a program
// that reaches a writer another way from running at a speed of 0 or naming an axis the
// controller lacks.
ProcessSettings writableSettings(const ProcessSettings& settings);

// A speed, acceleration or deceleration as a program states it: never below what four decimals
// show, so that no line reads 0.0000.
inline double writtenRate(double rate) {
    return rate > kSamePosition ? rate : kSamePosition;
}
// The machining speed of a vect: its own, or its preset's when its own is no speed.
double cutSpeed(const Vect& vect, const ProcessPreset& preset);

// Gives a curve vect its flattened chain with the given chord tolerance. Results as the
// library's curve smoothing: 0 built, 100 nothing to do, anything else an error code. This is
// the single place that reaches into the library for it.
int smoothVect(Vect& vect, double tolerance);

// Flattens the vect when it has no flattened chain yet; the code of a failure, else 0.
int ensureFlatChain(Vect& vect, const ProcessPreset& preset);

// True when the vect is written as one arc command instead of line by line.
inline bool writesArcLine(const Vect& vect, const ProcessPreset& preset) {
    return !preset.circToSeg && vect.type == LINTREL_ARC;
}

struct ArcMove {
    bool clockwise = false;  // G02 / dir 1
    double change = 0;  // rotation of the tool heading over the arc, counter-clockwise positive
    Point centre;
    Point end;
};
// The arc of an arc vect as one command; `vect.segs` must hold its definition.
ArcMove arcMove(const Vect& vect);

}  // namespace pathloom
