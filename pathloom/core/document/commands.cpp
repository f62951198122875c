// The editing and value commands on the selected vects.
#include "core/document/commands.h"

#include <lintrel/lintrel.hpp>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iterator>
#include <string>

#include "core/document/auto_optimize.h"
#include "core/text/texts.h"

namespace pathloom {

namespace {

using lintrel::ring;

template <class Visit>
int forEachSelected(VectGroup* drawing, Visit visit) {
    int count = 0;
    for (VectGroup* group : ring(drawing)) {
        for (Vect* v : ring(group->vects)) {
            if (!v->selected) continue;
            visit(*v);
            ++count;
        }
    }
    return count;
}

struct EditCall {
    Text error;
    int (*call)(Document&, const EditValues&);
};

void** listAddress(Document& d) {
    return reinterpret_cast<void**>(d.drawingAddress());
}

// The sort menu sorts the selection, with inner shapes first when the setting asks for it.
int sort(Document& d, const EditValues& v, int sortBy) {
    const double precision = v.tolerance > 0 ? v.tolerance : lintrel::kMeasurePrecision;
    return sortDrawing(listAddress(d),
                       {sortBy, d.allowReverse(), true, 200.0, v.innerFirst, precision});
}

// One row per command, in the order of EditCommand.
const EditCall kEditCalls[] = {
    {Text::TinyFailed,
     [](Document& d, const EditValues& v) {
         return Lintrel_DelLitSeg(listAddress(d), v.width, v.height, 1);
     }},
    {Text::DuplicatesFailed,
     [](Document& d, const EditValues&) { return Lintrel_DelSameSeg(d.drawing(), 1); }},
    {Text::MergeFailed,
     [](Document& d, const EditValues& v) {
         return Lintrel_MergeSeg(d.drawing(), v.tolerance, 1);
     }},
    {Text::SmoothingFailed,
     [](Document& d, const EditValues& v) {
         return Lintrel_CurveSmooth(d.drawing(), v.tolerance, 1, 0);
     }},
    {Text::TravelFailed,
     [](Document& d, const EditValues& v) { return optimizeTravel(d.drawing(), v.tolerance, 1); }},
    {Text::GridSortFailed,
     [](Document& d, const EditValues& v) { return sort(d, v, kSortByGrid); }},
    {Text::SortNearestFailed, [](Document& d, const EditValues& v) { return sort(d, v, 1); }},
    {Text::SortSmallFirstFailed, [](Document& d, const EditValues& v) { return sort(d, v, 2); }},
    {Text::SortInsideOutFailed, [](Document& d, const EditValues& v) { return sort(d, v, 3); }},
    {Text::SortLeftToRightFailed, [](Document& d, const EditValues& v) { return sort(d, v, 4); }},
    {Text::SortRightToLeftFailed, [](Document& d, const EditValues& v) { return sort(d, v, 5); }},
    {Text::SortTopToBottomFailed, [](Document& d, const EditValues& v) { return sort(d, v, 6); }},
    {Text::SortBottomToTopFailed, [](Document& d, const EditValues& v) { return sort(d, v, 7); }},
    {Text::SortShortestTravelFailed,
     [](Document& d, const EditValues& v) { return sort(d, v, kSortByShortestTravel); }},
    {Text::HandSortFailed,
     [](Document& d, const EditValues&) { return Lintrel_HandSort(listAddress(d), 1); }},
    {Text::HandSortFailed,
     [](Document& d, const EditValues&) { return Lintrel_HandSort(listAddress(d), 2); }},
    {Text::HandSortFailed,
     [](Document& d, const EditValues&) { return Lintrel_HandSort(listAddress(d), 3); }},
    {Text::HandSortFailed,
     [](Document& d, const EditValues&) { return Lintrel_HandSort(listAddress(d), 4); }},
    {Text::ReverseOrderFailed,
     [](Document& d, const EditValues&) { return Lintrel_HandSort(listAddress(d), 5); }},
    {Text::ReverseFailed,
     [](Document& d, const EditValues&) { return Lintrel_Reverse(d.drawing(), 1); }},
};
static_assert(std::size(kEditCalls) == static_cast<size_t>(EditCommand::ReverseDirection) + 1);

int vectCount(VectGroup* drawing) {
    int count = 0;
    for (VectGroup* group : ring(drawing))
        count += lintrel::ringCount(group->vects);
    return count;
}

void mirrorChain(Seg* head, bool mirrorX, double a, bool mirrorY, double b) {
    for (Seg* s : ring(head)) {
        if (mirrorX) {
            s->x0 = 2 * a - s->x0;
            s->x1 = 2 * a - s->x1;
        }
        if (mirrorY) {
            s->y0 = 2 * b - s->y0;
            s->y1 = 2 * b - s->y1;
        }
    }
}

void mirrorVect(Vect& v, bool mirrorX, double a, bool mirrorY, double b) {
    mirrorChain(v.segs, mirrorX, a, mirrorY, b);
    mirrorChain(v.flatSegs, mirrorX, a, mirrorY, b);
    if (v.type != LINTREL_ARC || !v.segs) return;
    // The definition's corners were mirrored above; the angles follow the mirrored direction.
    Seg& arc = *v.segs;
    if (mirrorX) {
        arc.z0 = lintrel::kPi - arc.z0;
        arc.z1 = -arc.z1;
    }
    if (mirrorY) {
        arc.z0 = -arc.z0;
        arc.z1 = -arc.z1;
    }
}

// Where `vect` stands in its group, from 0.
int indexInGroup(VectGroup& group, const Vect* vect) {
    int index = 0;
    for (Vect* v : ring(group.vects)) {
        if (v == vect) break;
        ++index;
    }
    return index;
}

Outcome refuse(StatusSink& sink, Text reason) {
    sink.message(text(reason));
    return Outcome::Unchanged;
}

}  // namespace

Outcome runEdit(Document& document, EditCommand command, const EditValues& values,
                StatusSink& sink) {
    if (document.busy()) return Outcome::Busy;
    const EditCall& edit = kEditCalls[static_cast<size_t>(command)];
    const int code = edit.call(document, values);
    if (code == LINTREL_OK) return Outcome::Changed;
    if (code == LINTREL_NOTHING_TO_DO) return Outcome::Unchanged;
    sink.message(textWithCode(edit.error, code));
    return Outcome::Failed;
}

int selectedCount(const VectGroup* drawing) {
    return forEachSelected(const_cast<VectGroup*>(drawing), [](Vect&) {});
}

Vect* firstSelected(VectGroup* drawing) {
    return findVect(drawing, [](const Vect& v, int) { return v.selected != 0; }).vect;
}

std::optional<lintrel::Point> startPoint(const Vect& vect) {
    lintrel::Point p;
    if (!lintrel::vectStartPoint(vect, p)) return std::nullopt;
    return p;
}

Outcome changeOrder(Document& document, int n, StatusSink& sink) {
    if (document.busy()) return Outcome::Busy;
    if (n < 1) return refuse(sink, Text::BadParameter);
    VectGroup* drawing = document.drawing();
    const VectPlace from = findVect(drawing, [](const Vect& v, int) { return v.selected != 0; });
    if (!from.vect) return Outcome::Unchanged;
    n = std::min(n, vectCount(drawing));  // beyond the end means last
    // The group decides the preset a shape is cut with, so a new place in the order must not
    // hand it to another group: a position outside the group is refused, not bent into it,
    // so that nothing happens that the operator did not ask for.
    const int first = from.position - indexInGroup(*from.group, from.vect);
    const int last = first + lintrel::ringCount(from.group->vects) - 1;
    if (n < first || n > last) {
        const std::string range =
            std::to_string(first) + (last > first ? "-" + std::to_string(last) : "");
        sink.message(textWithValue(Text::OrderOutsideGroup, range));
        return Outcome::Unchanged;
    }
    if (from.position == n) return Outcome::Unchanged;

    Vect* moving = from.vect;
    VectGroup& group = *from.group;
    lintrel::detach(group.vects, moving);
    if (n == last) {
        lintrel::append(group.vects, moving);
        return Outcome::Changed;
    }
    Vect* before = group.vects;
    for (int i = first; i < n; ++i)
        before = before->next;
    lintrel::spliceBefore(before, moving);
    if (group.vects == before) group.vects = moving;
    return Outcome::Changed;
}

Outcome setHeights(Document& document, double workHeight, double liftHeight) {
    if (document.busy()) return Outcome::Busy;
    const int n = forEachSelected(document.drawing(), [&](Vect& v) {
        v.workHeight = workHeight;
        v.liftHeight = liftHeight;
    });
    return n ? Outcome::Changed : Outcome::Unchanged;
}

Outcome setSpeed(Document& document, double speed, StatusSink& sink) {
    if (document.busy()) return Outcome::Busy;
    if (!(speed > 0) || !std::isfinite(speed)) return refuse(sink, Text::BadParameter);
    const int n = forEachSelected(document.drawing(), [&](Vect& v) { v.speed = speed; });
    return n ? Outcome::Changed : Outcome::Unchanged;
}

Outcome clearActions(Document& document) {
    if (document.busy()) return Outcome::Busy;
    const int n = forEachSelected(document.drawing(), [](Vect& v) {
        VarnixCad3_DelStrT(v.beforeAction);
        VarnixCad3_DelStrT(v.afterAction);
        v.beforeAction = nullptr;
        v.afterAction = nullptr;
    });
    return n ? Outcome::Changed : Outcome::Unchanged;
}

Outcome scaleSelection(Document& document, double factor, StatusSink& sink) {
    if (document.busy()) return Outcome::Busy;
    // The library scales in single precision: a factor beyond it would give infinities.
    if (!(factor > 0.0001) || factor > FLT_MAX) return refuse(sink, Text::BadScale);
    const auto f = static_cast<float>(factor);
    const int n =
        forEachSelected(document.drawing(), [&](Vect& v) { VarnixCad3_ScaleOne(&v, f, f, 0, 0); });
    return n ? Outcome::Changed : Outcome::Unchanged;
}

Outcome rotateSelection(Document& document, double degrees, double cx, double cy) {
    if (document.busy()) return Outcome::Busy;
    if (degrees == 0 || !std::isfinite(degrees)) return Outcome::Unchanged;
    double radians = degrees * lintrel::kPi / 180.0;
    // The library turns by a float: whole turns are dropped from an angle too large for one.
    if (std::fabs(radians) > FLT_MAX) radians = std::fmod(degrees, 360.0) * lintrel::kPi / 180.0;
    const auto angle = static_cast<float>(radians);
    const int n = forEachSelected(document.drawing(),
                                  [&](Vect& v) { VarnixCad3_RotateOne(&v, angle, cx, cy); });
    return n ? Outcome::Changed : Outcome::Unchanged;
}

Outcome mirrorSelection(Document& document, bool mirrorX, double xAxis, bool mirrorY,
                        double yAxis) {
    if (document.busy()) return Outcome::Busy;
    if (!mirrorX && !mirrorY) return Outcome::Unchanged;
    const int n = forEachSelected(document.drawing(),
                                  [&](Vect& v) { mirrorVect(v, mirrorX, xAxis, mirrorY, yAxis); });
    return n ? Outcome::Changed : Outcome::Unchanged;
}

Outcome translateSelection(Document& document, double dx, double dy) {
    if (document.busy()) return Outcome::Busy;
    if (dx == 0 && dy == 0) return Outcome::Unchanged;
    const int n =
        forEachSelected(document.drawing(), [&](Vect& v) { VarnixCad3_MoveOne(&v, dx, dy); });
    return n ? Outcome::Changed : Outcome::Unchanged;
}

Outcome moveStartTo(Document& document, double x, double y) {
    const Vect* first = firstSelected(document.drawing());
    if (!first) return Outcome::Unchanged;
    const std::optional<lintrel::Point> start = startPoint(*first);
    if (!start) return Outcome::Unchanged;
    // The dialog shows the start rounded to four decimals, and the offset is taken from it.
    const auto shown = [](double v) { return std::floor(v * 10000 + 0.5) / 10000; };
    return translateSelection(document, x - shown(start->x), y - shown(start->y));
}

double lineAngleDegrees(double x1, double y1, double x2, double y2) {
    return lintrel::directionAngle(x2 - x1, y2 - y1) * 180.0 / lintrel::kPi;
}

}  // namespace pathloom
