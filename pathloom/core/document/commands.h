// Commands on the selected vects: the editing commands that call one library operation, and the
// value commands that change the vects directly.
#pragma once

#include <optional>

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>
#include "core/document/document.h"
#include "core/document/find_vect.h"

namespace pathloom {

enum class EditCommand {
    RemoveTiny,  // values: width, height
    RemoveDuplicates,
    MergeConnected,  // values: tolerance
    CurvePrecision,  // values: tolerance
    OptimizeTravel,  // values: tolerance
    GridSort,
    SortNearest,  // automatic sort modes 1 to 7, in menu order
    SortSmallFirst,
    SortInsideOut,
    SortLeftToRight,
    SortRightToLeft,
    SortTopToBottom,
    SortBottomToTop,
    SortShortestTravel,  // the shortest-travel sort ("Sort by" 8)
    MoveForward,         // hand sort modes 1 to 5
    MoveBack,
    MoveToFirst,
    MoveToLast,
    ReverseOrder,
    ReverseDirection,
};

struct EditValues {
    double width = 0;
    double height = 0;
    double tolerance = 0;
    // The sorts: no shape after a closed shape enclosing it ("Inner shapes first"), containment
    // judged at `tolerance` (the curve precision when 0).
    bool innerFirst = false;
};

// Changed: regenerate and redraw. Unchanged: the library had nothing to do, or the command was
// refused with a message. Busy: a simulation runs and nothing was done.
enum class Outcome { Changed, Unchanged, Failed, Busy };

Outcome runEdit(Document& document, EditCommand command, const EditValues& values,
                StatusSink& sink);

// Number of vects whose selected byte is set; the editing menu items need at least one.
int selectedCount(const VectGroup* drawing);
// The first selected vect, groups and vects in order; null when none.
Vect* firstSelected(VectGroup* drawing);
// The point a dialog offers for a vect: its working chain's start, or an arc's start by the arc
// rule when it has no flattened chain. Nothing for a vect without segs.
std::optional<lintrel::Point> startPoint(const Vect& vect);

// ---- Value commands on the selection ----

// Moves the first selected vect to position `n` (from 1, over all groups) inside its own group;
// positions beyond the end mean last. n < 1: "参数错误"; a position outside the vect's group is
// refused with a message naming the group's positions.
Outcome changeOrder(Document& document, int n, StatusSink& sink);
Outcome setHeights(Document& document, double workHeight, double liftHeight);
// speed <= 0: "参数错误".
Outcome setSpeed(Document& document, double speed, StatusSink& sink);
Outcome clearActions(Document& document);
// factor <= 0.0001 or beyond single precision: "缩放尺寸不正确！". Scales about the origin.
Outcome scaleSelection(Document& document, double factor, StatusSink& sink);
// An angle of 0 changes nothing.
Outcome rotateSelection(Document& document, double degrees, double cx, double cy);
Outcome mirrorSelection(Document& document, bool mirrorX, double xAxis, bool mirrorY, double yAxis);
// Offsets of 0 and 0 change nothing.
Outcome translateSelection(Document& document, double dx, double dy);
// Moves the selection so that the first selected vect starts at (x, y).
Outcome moveStartTo(Document& document, double x, double y);

// Direction of the line from (x1, y1) to (x2, y2) in degrees, 0 to 360, for the rotate dialog.
double lineAngleDegrees(double x1, double y1, double x2, double y2);

}  // namespace pathloom
