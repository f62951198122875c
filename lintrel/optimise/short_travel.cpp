// The shortest-travel sort over a drawing: plans per vect list, laying a plan out (reversals,
// order, entry points moved as the change-start-point operation moves them) and the guard that
// keeps the default order whenever the tour is not shorter.
#include "optimise/short_travel.h"

#include <algorithm>
#include <functional>
#include <future>
#include <optional>
#include <system_error>

#include "curves/flatten.h"
#include "model/chain_edit.h"
#include "model/items.h"
#include "optimise/cleanup.h"
#include "optimise/ordering.h"
#include "optimise/sort_list.h"
#include "optimise/travel.h"

namespace lintrel {

namespace {

// Travel optimisation passes of the default order, as the program repeats them.
constexpr int kTravelPasses = 5;

// A closed outline whose entry point may move: the kinds the change-start-point operation
// treats, with a chain that really returns to its start.
bool entryMoves(const Vect& v) {
    if (!v.closed || v.link || v.type == LINTREL_POINT || v.type == LINTREL_TEXT) return false;
    Point s, e;
    return workingChain(v) && vectStartPoint(v, s) && vectEndPoint(v, e) && s.x == e.x &&
           s.y == e.y;
}

void addItem(TourInput& input, const Vect& v, const VectEnds& ends, bool allowReverse) {
    if (!entryMoves(v)) return input.addOpen(ends.start, ends.end, allowReverse);
    std::vector<Point> vertices;
    for (const Seg* seg : ring(workingChain(v)))
        vertices.push_back(segStart(*seg));
    input.addClosed(vertices);
}

// Where the tool leaves the last step of a tour.
Point tourEnd(const TourInput& input, const TourStep& step) {
    if (!input.entries(step.item).empty()) return input.entries(step.item)[step.entry];
    return step.reversed ? input.start(step.item) : input.end(step.item);
}

// Runs `onList(head, isLast)` on every group with vects in order.
template <class OnList>
void eachList(VectGroup* first, const OnList& onList) {
    VectGroup* last = nullptr;
    for (VectGroup* g : ring(first))
        if (g->vects) last = g;
    for (VectGroup* g : ring(first))
        if (g->vects) onList(g->vects, g == last);
}

// The default order: nearest neighbour with the same reversal rule (`mode`: the scan itself
// or the chain following on an index), then the travel optimisation of closed outlines
// repeated while it changes something.
void defaultOrder(VectGroup* first, SortMode mode, bool allowReverse, bool selectedOnly) {
    eachList(first,
             [&](Vect*& head, bool) { autoSortList(head, mode, allowReverse, selectedOnly); });
    repeatStartPointOptimisation(first, selectedOnly);
}

// Runs `work` on the drawing as a group chain; a vect list is lent to a group for the time.
template <class Work>
void asGroups(void** list, const Work& work) {
    if (baseTypeOf(*list) == LINTREL_BASE_GROUP) return work(static_cast<VectGroup*>(*list));
    VectGroup* lender = newGroup();
    lender->vects = static_cast<Vect*>(*list);
    work(lender);
    *list = lender->vects;
    lender->vects = nullptr;
    deleteGroupChain(lender);
}

double travelOfCopy(VectGroup* first, const std::function<void(VectGroup*)>& change) {
    ChainOwner<VectGroup> copy(copyGroupChain(first));
    change(copy.get());
    return travelDistance(copy.get());
}

// The vects the sort may move, the measure of its size.
int movableCount(VectGroup* first, bool selectedOnly) {
    int count = 0;
    for (VectGroup* g : ring(first))
        for (const Vect* v : ring(g->vects))
            count += !selectedOnly || v->selected;
    return count;
}

// Starts `work` on a thread of its own, or leaves it to run when its result is asked for where
// no thread can be had. Its exceptions reach whoever asks for the result.
template <class Work>
auto beside(Work work) {
    try {
        return std::async(std::launch::async, std::move(work));
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

}  // namespace

DrawingPlan planShortTravel(VectGroup* first, bool allowReverse, bool selectedOnly) {
    DrawingPlan plan;
    // How each list leaves the tool: at its tour's end when its last vect takes part, else at
    // the end of that vect (if it has points; nowhere new otherwise).
    std::vector<char> endsWithTour;
    std::vector<std::optional<Point>> fixedEnd;
    eachList(first, [&](Vect*& head, bool) {
        SortList view(head, selectedOnly);
        DrawingPlan::ListPlan list;
        list.slots = view.takingPart();
        for (int slot : list.slots)
            addItem(list.input, *view.at(slot), view.ends(slot), allowReverse);
        const int lastPosition = view.size() - 1;
        endsWithTour.push_back(!list.slots.empty() && list.slots.back() == lastPosition);
        fixedEnd.push_back(view.ends(lastPosition).valid
                               ? std::optional<Point>(view.ends(lastPosition).end)
                               : std::nullopt);
        plan.takingPart += static_cast<int>(list.slots.size());
        plan.lists.push_back(std::move(list));
    });
    // Each tour starts where the previous list left the tool; the tours that can change share
    // the rounds of iterated search.
    const auto tours = std::count_if(plan.lists.begin(), plan.lists.end(),
                                     [](const auto& list) { return list.input.size() >= 2; });
    const int kicksPerTour = kDrawingKicks / std::max<int>(1, static_cast<int>(tours));
    Point at{0, 0};
    const Point origin{0, 0};
    for (size_t k = 0; k < plan.lists.size(); ++k) {
        DrawingPlan::ListPlan& list = plan.lists[k];
        const bool isLast = k + 1 == plan.lists.size();
        list.tour = planTour(list.input, at, isLast ? &origin : nullptr, kicksPerTour);
        if (endsWithTour[k])
            at = tourEnd(list.input, list.tour.steps.back());
        else if (fixedEnd[k])
            at = *fixedEnd[k];
    }
    return plan;
}

void applyShortTravel(VectGroup* first, const DrawingPlan& plan, bool selectedOnly) {
    size_t next = 0;
    eachList(first, [&](Vect*& head, bool) {
        const DrawingPlan::ListPlan& list = plan.lists[next++];
        SortList view(head, selectedOnly);
        const std::vector<TourStep>& steps = list.tour.steps;
        std::vector<int> from(steps.size());
        for (size_t k = 0; k < steps.size(); ++k) {
            from[k] = list.slots[steps[k].item];
            if (steps[k].reversed) view.reverse(from[k]);
        }
        std::vector<Vect*> placed(steps.size());
        for (size_t k = 0; k < steps.size(); ++k)
            placed[k] = view.at(from[k]);
        view.permute(list.slots, from);
        view.relink(head);
        for (size_t k = 0; k < steps.size(); ++k) {
            if (list.input.entries(steps[k].item).empty() || steps[k].entry == 0) continue;
            moveStartPoint(*placed[k], list.input.entries(steps[k].item)[steps[k].entry], kSame,
                           true);
        }
    });
}

void repeatStartPointOptimisation(VectGroup* first, bool selectedOnly) {
    for (int pass = 0; pass < kTravelPasses; ++pass)
        if (optimizeStartPoints(first, kCleanupPrecision, selectedOnly) != LINTREL_OK) break;
}

int shortTravelSort(void** list, bool allowReverse, bool selectedOnly, int exactGuardVects,
                    const OrderFinish& finish) {
    if (!list || !*list) return LINTREL_BAD_ARGUMENT;
    const int base = baseTypeOf(*list);
    if (base != LINTREL_BASE_VECT && base != LINTREL_BASE_GROUP) return LINTREL_BAD_ARGUMENT;
    int result = LINTREL_OK;
    asGroups(list, [&](VectGroup* first) {
        bool bad = false;
        eachList(first, [&](Vect*& head, bool) { bad = bad || !head->segs; });
        if (bad) {
            result = LINTREL_BAD_ARGUMENT;
            return;
        }
        // Entry points are vertices of the working chains, as the default order's travel
        // optimisation sees them.
        for (VectGroup* g : ring(first))
            for (Vect* v : ring(g->vects))
                if (!v->flatSegs) buildFlatSegs(v, kCleanupPrecision);
        // Planning and the guard's order on a copy only read the drawing, so they run side by
        // side.
        const SortMode guard = movableCount(first, selectedOnly) <= exactGuardVects
                                   ? SortMode::Nearest
                                   : SortMode::ChainFollow;
        const auto finished = [&finish](VectGroup* drawing) {
            return finish ? finish(drawing) : FinishReplay{};
        };
        auto byDefault = beside([first, guard, allowReverse, selectedOnly, &finished] {
            return travelOfCopy(first, [&](VectGroup* copy) {
                defaultOrder(copy, guard, allowReverse, selectedOnly);
                finished(copy);
            });
        });
        const DrawingPlan plan = planShortTravel(first, allowReverse, selectedOnly);
        if (plan.takingPart == 0) {
            result = LINTREL_NOTHING_TO_DO;
            return;
        }
        FinishReplay tourFinish;
        const double byTour = travelOfCopy(first, [&](VectGroup* copy) {
            applyShortTravel(copy, plan, selectedOnly);
            tourFinish = finished(copy);
        });
        // A drawing the tour does not shorten gets the default order itself.
        if (byTour < byDefault.get()) {
            applyShortTravel(first, plan, selectedOnly);
            if (tourFinish) tourFinish(first);
        } else {
            defaultOrder(first, SortMode::Nearest, allowReverse, selectedOnly);
            finished(first);
        }
    });
    return result;
}

}  // namespace lintrel
