// What the optimisation and transform dialogs open with and what they keep between uses: the
// values taken from the first selected vect, the values remembered for the run, the corrections
// the auto-optimise dialog makes on OK, and the origin anchors that move the whole drawing.
#pragma once

#include <optional>
#include <string>

#include <lintrel/lintrel.h>

#include "core/document/commands.h"
#include "core/document/document.h"
#include "core/settings/settings.h"

namespace pathloom {

// Values the dialogs remember while the program runs; nothing of this is stored in the file.
struct DialogMemory {
    double tinyWidth = 0;
    double tinyHeight = 0;
    double mergeDistance = 0;
    double precision = 0.05;        // the curve precision dialog
    double travelTolerance = 0.05;  // the travel optimisation dialog
    bool mirrorX = false;
    bool mirrorY = false;
};

// The opening values of the per-vect dialogs, from the first selected vect (groups and vects in
// order).
struct SelectionDefaults {
    bool any = false;
    double speed = 200.0;  // 200.0 when nothing is selected
    int position = 0;      // from 1 over all groups; 0 when nothing is selected
    double workHeight = 0;
    double liftHeight = 0;
    std::optional<double> startX, startY;  // rounded to four decimals; none without segs
};
SelectionDefaults selectionDefaults(VectGroup* drawing);

// The auto-optimise dialog's OK: a smoothing precision outside 0.01 to 0.5 becomes 0.05, a plotter
// unit of 0 or less becomes 1016.0.
AutoOptimizeSettings correctedAutoOptimize(AutoOptimizeSettings settings);

// Why the auto-optimise dialog stays open: the first value that its key's rule refuses once
// the corrections are made (a tiny-shape size of -5 or 1e300), by key, with the message.
struct SettingRefusal {
    std::string key;
    std::string message;
};
std::optional<SettingRefusal> autoOptimizeRefusal(const AutoOptimizeSettings& corrected);

// The nine anchors of the origin dialog, in button order.
enum class Anchor {
    TopLeft,
    TopCentre,
    TopRight,
    MiddleLeft,
    Centre,
    MiddleRight,
    BottomLeft,
    BottomCentre,
    BottomRight
};
struct Offset {
    double dx = 0;
    double dy = 0;
    bool operator==(const Offset&) const = default;
};
// The offset that brings the anchor of the box (x, y, width, height; y up) to (0, 0).
Offset anchorOffset(Anchor anchor, double x, double y, double width, double height);
// Moves every group so that the anchor of the drawing's box (range at precision 0.05) comes to
// the origin. Unchanged with no drawing.
Outcome moveAnchorToOrigin(Document& document, Anchor anchor);
// Moves the whole drawing by (-x, -y), so that the point (x, y) becomes the origin.
Outcome moveOriginTo(Document& document, double x, double y);

}  // namespace pathloom
