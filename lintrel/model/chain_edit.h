// Edits of a vect's working chain shared by the clean-up and travel operations: finding the seg
// under a point, cutting a seg at a point, folding collinear joints, and moving the start point
// of a closed vect.
#pragma once

#include <lintrel/lintrel.h>

#include "model/geometry.h"

namespace lintrel {

// The first seg of the chain whose distance from `p` is at most `tolerance`, or null.
Seg* firstSegWithin(Seg* head, Point p, double tolerance);

// True when `p` lies within `tolerance` of the circle of an arc definition and, for an open arc,
// within the span of angles it covers (the angle also counts one turn either way).
bool arcHit(const Seg& definition, bool closed, Point p, double tolerance);

// True when `f` is the seg's start or end within 1e-4 in x and in y.
bool atSegStart(const Seg& seg, Point f);
bool atSegEnd(const Seg& seg, Point f);

// Cuts `seg` at `f`: it now ends at `f`, and a new seg from `f` to its old end follows it in the
// ring. Returns the new seg.
Seg* cutSegAt(Seg& seg, Point f);

// Folds every seg after the head whose predecessor has the same direction angle (within 1e-4)
// and ends where it starts (within 1e-4) into that predecessor. Returns how many were folded.
int foldCollinearJoints(Seg* head);

// Makes the point of the working chain nearest to `p` (within `tolerance`) the start of a closed
// vect. An arc keeps its definition, whose start angle moves to the new start; any other kind
// takes its flattened copy as its definition and becomes a polyline, and a cut made on a
// straight run at the old start disappears. With `apply` false only the hit test is made.
// Returns true when a seg of the working chain lies within `tolerance` of `p`.
bool moveStartPoint(Vect& vect, Point p, double tolerance, bool apply);

}  // namespace lintrel
