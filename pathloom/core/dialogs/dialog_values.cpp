// Opening values, remembered values and the origin anchors of the dialogs.
#include "core/dialogs/dialog_values.h"

#include <cmath>

#include "core/dialogs/number_input.h"
#include "core/document/find_vect.h"

namespace pathloom {

SelectionDefaults selectionDefaults(VectGroup* drawing) {
    SelectionDefaults out;
    const VectPlace first = findVect(drawing, [](const Vect& v, int) { return v.selected != 0; });
    if (!first.vect) return out;
    const Vect& v = *first.vect;
    out.any = true;
    out.speed = v.speed;
    out.position = first.position;
    out.workHeight = v.workHeight;
    out.liftHeight = v.liftHeight;
    if (const auto start = startPoint(v)) {
        out.startX = roundedToFourDecimals(start->x);
        out.startY = roundedToFourDecimals(start->y);
    }
    return out;
}

AutoOptimizeSettings correctedAutoOptimize(AutoOptimizeSettings settings) {
    if (!(settings.smoothingAccuracy >= 0.01 && settings.smoothingAccuracy <= 0.5))
        settings.smoothingAccuracy = 0.05;
    if (!(settings.pltUnits > 0)) settings.pltUnits = 1016.0;
    return settings;
}

std::optional<SettingRefusal> autoOptimizeRefusal(const AutoOptimizeSettings& corrected) {
    Settings settings;
    settings.optimize = corrected;
    const std::vector<SettingProblem> problems = keepValidValues(settings);
    if (problems.empty()) return std::nullopt;
    const SettingProblem& first = problems.front();
    return SettingRefusal{first.key, refusalText(*first.rule, first.value)};
}

Offset anchorOffset(Anchor anchor, double x, double y, double width, double height) {
    const int column = static_cast<int>(anchor) % 3;  // left, centre, right
    const int row = static_cast<int>(anchor) / 3;     // top, middle, bottom
    const double ax = column == 0 ? x : column == 1 ? x + width / 2 : x + width;
    const double ay = row == 0 ? y + height : row == 1 ? y + height / 2 : y;
    return {-ax, -ay};
}

Outcome moveAnchorToOrigin(Document& document, Anchor anchor) {
    if (document.busy()) return Outcome::Busy;
    if (!document.drawing()) return Outcome::Unchanged;
    float x = 0, y = 0, width = 0, height = 0;
    if (VarnixCad3_GetRange(document.drawing(), &x, &y, &width, &height, 0.05) != 0)
        return Outcome::Unchanged;
    const Offset offset = anchorOffset(anchor, x, y, width, height);
    if (offset.dx == 0 && offset.dy == 0) return Outcome::Unchanged;
    VarnixCad3_Move(document.drawing(), offset.dx, offset.dy);
    return Outcome::Changed;
}

Outcome moveOriginTo(Document& document, double x, double y) {
    if (document.busy()) return Outcome::Busy;
    if (!document.drawing() || (x == 0 && y == 0)) return Outcome::Unchanged;
    VarnixCad3_Move(document.drawing(), -x, -y);
    return Outcome::Changed;
}

}  // namespace pathloom
