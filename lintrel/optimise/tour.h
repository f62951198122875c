// The shortest-travel tour of one vect list as a plan: the order of its vects, which open vects
// run reversed and at which vertex each closed outline is entered. Built by a nearest-neighbour
// start on a point index and improved by 2-opt and Or-opt moves over near-neighbour lists.
#pragma once

#include <span>
#include <vector>

#include "model/geometry.h"

namespace lintrel {

// The vects a tour visits. A vect with entry points is a closed outline entered and left at
// one of them; any other runs from its start to its end, or back when it is reversible.
class TourInput {
  public:
    void addOpen(Point start, Point end, bool reversible);
    void addClosed(std::span<const Point> entries);

    int size() const { return static_cast<int>(start_.size()); }
    Point start(int item) const { return start_[item]; }
    Point end(int item) const { return end_[item]; }
    bool reversible(int item) const { return reversible_[item] != 0; }
    // Entry points of a closed outline, none for the others.
    std::span<const Point> entries(int item) const {
        return {entries_.data() + firstEntry_[item], entries_.data() + firstEntry_[item + 1]};
    }
    int firstEntry(int item) const { return firstEntry_[item]; }
    Point entryPoint(int index) const { return entries_[index]; }

  private:
    std::vector<Point> start_, end_;
    std::vector<char> reversible_;
    std::vector<int> firstEntry_{0};
    std::vector<Point> entries_;
};

// One place of the tour: the item, whether it runs reversed, and for a closed outline the index
// of its entry point among `entries(item)`.
struct TourStep {
    int item = 0;
    bool reversed = false;
    int entry = 0;
};

struct TourPlan {
    std::vector<TourStep> steps;
    double travel = 0;  // from `from` through every step (and on to `to` when given)
};

// The tour of all items from `from`; with `to` the tool returns there after the last item,
// else the tour ends at the last item. `drawingItems` counts the items of all the tours of the
// drawing, which share the iterated search's budget. Deterministic.
TourPlan planTour(const TourInput& input, Point from, const Point* to, int drawingItems);

}  // namespace lintrel
