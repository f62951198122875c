// Curve flattening: arcs, ellipses, splines, Bezier chains, Bezier curves of any degree and text
// outlines become chains of line segs. Each operation reads the curve from `source` (normally
// the vect's own `segs`), replaces the vect's `segs` with the flattened chain and makes the vect
// a polyline. Precisions are chord tolerances, clamped by each operation itself.
#pragma once

#include <lintrel/lintrel.h>

namespace lintrel {

void flattenArc(const Seg& source, double precision, Vect& vect);
void flattenEllipse(const Seg& source, double precision, Vect& vect);
void flattenSpline(const Seg* source, double precision, Vect& vect);
void flattenBezierChain(const Seg* source, double precision, Vect& vect);
// Here `step` is the parameter step, not a distance.
void flattenBezierAnyDegree(const Seg* source, double step, Vect& vect);
void flattenText(const Seg* source, Vect& vect);

// Flattens one vect by its type; points and polylines are left alone.
void flattenVect(Vect& vect, double precision);
// Flattens every curve vect of the chain starting at `first`.
void flattenVectChain(Vect* first, double precision);
// Flattens every curve vect of every group of the chain starting at `first`.
void flattenGroupChain(VectGroup* first, double precision);

// A flattened copy of an arc's or Bezier curve's definition as a new chain owned by the
// caller; the vect itself is left as it is. Used where a curve is only measured or tested.
Seg* flattenedCopy(const Vect& vect, double precision);

// Keeps a flattened copy of a spline, arc, Bezier or text vect in `flatSegs` beside its
// definition; false (nothing changed) for any other vect.
bool buildFlatSegs(Vect* vect, double precision);

}  // namespace lintrel
