// Clean-up of imported drawings and curve precision: tiny shapes, duplicates, merging of
// connected lines, splitting, start points, direction, the closed flag, and flattened copies.
// Each operation works on one vect list and returns the library's codes; the exports apply
// them to lists of groups through walkVectLists (model/list_walk.h).
#pragma once

#include <lintrel/lintrel.h>

#include <span>

#include "model/geometry.h"

namespace lintrel {

// Limits below which a vect counts as tiny are raised to this.
inline constexpr double kTinyLimit = 0.5;
// Two seg coordinates of a polyline, spline or Bezier are equal within this.
inline constexpr double kSameCoordinate = 0.001;
// Curves are flattened at this precision where a clean-up needs line segs.
inline constexpr double kCleanupPrecision = 0.05;

// Deletes the vects of the list whose extent is below both limits. `list` may move to a
// surviving item or become null; on a group list empty groups go too.
int deleteTinyShapes(void*& list, double minWidth, double minHeight, int selectedOnly);

// Deletes every vect that repeats an earlier vect of its list. The first vect never goes.
int deleteDuplicates(Vect* head, int selectedOnly);
bool sameVect(const Vect& a, const Vect& b);

// Joins vects whose ends lie within `tolerance` and folds collinear joints of selected
// polylines. The list keeps its first vect.
int mergeConnected(Vect* head, double tolerance, int selectedOnly);
// The second pass of merging on its own: folds the collinear joints of the selected polylines
// among `vects` (null entries are passed over).
int foldSelectedJoints(std::span<Vect* const> vects);
// The steps of merging: whether two vects' ends meet within `tolerance` (by the squared
// distances between ends), and the join of `b` onto `a`, which keeps `a`'s direction and
// leaves `b` without segs for deletion. True when `a` is now closed.
bool endsMeet(const Vect& a, const Vect& b, double tolerance);
bool joinVects(Vect& a, Vect& b);

int splitVect(Vect* head, Point p, double tolerance, bool apply);
int changeStartPoint(Vect* head, Point p, double tolerance, bool apply);
int reverseVects(Vect* head, int selectedOnly);
int updateClosedFlags(Vect* head, int selectedOnly);

// Curve precision: flattened copies beside the definitions, or conversion for good.
int smoothCurves(Vect* head, double precision, int selectedOnly, bool firstOnly);
int convertCurves(Vect* head, double precision, int selectedOnly, bool firstOnly);

}  // namespace lintrel
