// Curve flattening: arcs, ellipses, splines, Bezier chains, Bezier curves of any degree and text
// outlines become chains of line segs. Each operation reads the curve from `source` (normally
// the vect's own `segs`), replaces the vect's `segs` with the flattened chain and makes the vect
// a polyline. Precisions are chord tolerances, clamped by each operation itself.
#pragma once

#include <lintrel/lintrel.h>

namespace lintrel {

// The flattened segs that one import may spend on all its curves together. The step-count rule
// bounds each curve, but a small file of many curves at absurd coordinates could still ask for
// gigabytes. Once the budget is spent, every further curve gets the fewest steps its rule allows:
// no shape is lost (closed outlines stay closed, only coarser), and what remains grows only with
// the number of curves in the file, never with their size.
class FlattenBudget {
  public:
    explicit FlattenBudget(long segs) : left_(segs) {}
    // The steps for a curve that wants `wanted`: all of them while the budget lasts; past it
    // whatever is left, but at least `fewest`.
    int grant(int wanted, int fewest);
    // Curves that got fewer steps than they wanted.
    long coarsened() const { return coarsened_; }

  private:
    long left_;
    long coarsened_ = 0;
};

// The budget of one import: 2^21 segs, about 200 MB (a seg takes 96 bytes with the allocator's
// overhead), what nearly a thousand circles a metre across need at the finest precision.
inline constexpr long kImportFlattenSegs = 1L << 21;

// The steps a budget grants; every step wanted without one.
inline int budgetedSteps(FlattenBudget* budget, int wanted, int fewest) {
    return budget ? budget->grant(wanted, fewest) : wanted;
}

// With a budget, the step counts of these come out of it.
void flattenArc(const Seg& source, double precision, Vect& vect, FlattenBudget* budget = nullptr);
void flattenEllipse(const Seg& source, double precision, Vect& vect,
                    FlattenBudget* budget = nullptr);
void flattenSpline(const Seg* source, double precision, Vect& vect,
                   FlattenBudget* budget = nullptr);
void flattenBezierChain(const Seg* source, double precision, Vect& vect,
                        FlattenBudget* budget = nullptr);
// Here `step` is the parameter step, not a distance.
void flattenBezierAnyDegree(const Seg* source, double step, Vect& vect);
void flattenText(const Seg* source, Vect& vect);

// Flattens one vect by its type; points and polylines are left alone.
void flattenVect(Vect& vect, double precision, FlattenBudget* budget = nullptr);
// Flattens every curve vect of the chain starting at `first`.
void flattenVectChain(Vect* first, double precision, FlattenBudget* budget = nullptr);
// Flattens every curve vect of every group of the chain starting at `first`.
void flattenGroupChain(VectGroup* first, double precision, FlattenBudget* budget = nullptr);

// A flattened copy of an arc's or Bezier curve's definition as a new chain owned by the
// caller; the vect itself is left as it is. Used where a curve is only measured or tested.
Seg* flattenedCopy(const Vect& vect, double precision);

// Keeps a flattened copy of a spline, arc, Bezier or text vect in `flatSegs` beside its
// definition; false (nothing changed) for any other vect.
bool buildFlatSegs(Vect* vect, double precision);

}  // namespace lintrel
