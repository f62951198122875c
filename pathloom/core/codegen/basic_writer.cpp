// The controller Basic writer: the whole-program frame (group actions, BASE lines, speed
// blocks, return line) and the four generators for X-Y, X-Y-Z, X-Y-R and X-Y-Z-R machines. The
// R generators turn the tool to the direction of motion.
#include <cmath>
#include <lintrel/lintrel.hpp>

#include "core/codegen/program.h"
#include "core/codegen/program_buffer.h"
#include "core/codegen/vect_path.h"

namespace pathloom {
namespace {

using lintrel::kPi;
using lintrel::kTwoPi;
using lintrel::ring;
using lintrel::segEnd;
using lintrel::segStart;

struct Position {
    double x = 0, y = 0, z = 0, r = 0;
};

double fullTurnCorrected(double d) {
    if (d <= -kTwoPi) return d + kTwoPi;
    if (d >= kTwoPi) return d - kTwoPi;
    return d;
}

double halfTurnCorrected(double d) {
    if (d < -kPi) return d + kTwoPi;
    if (d > kPi) return d - kTwoPi;
    return d;
}

double headingTo(Point from, Point to) {
    return lintrel::directionAngle(to.x - from.x, to.y - from.y);
}

// Brings a heading into [2pi, 4pi). Positions far outside (a controller may report anything) are
// first reduced by whole turns in one step so that the stepping below stays short.
double intoSecondTurn(double r) {
    if (std::fabs(r) > 64 * kTwoPi) r = std::fmod(r, kTwoPi);
    while (r >= kTwoPi)
        r -= kTwoPi;
    while (r < kTwoPi)
        r += kTwoPi;
    return r;
}

class BasicWriter {
  public:
    BasicWriter(const ProcessSettings& settings, ControllerLink* link, const CornerArcs* cornerArcs)
        : settings_(writableSettings(settings)),
          machine_(settings_.machine),
          presets_(settings_.presets),
          link_(link),
          cornerArcs_(cornerArcs) {}

    WriteResult run(VectGroup* groups);

  private:
    int writeGroup(VectGroup& group, const ProcessPreset& preset);
    void writeBase(const ProcessPreset& preset);
    void writeReturn(const ProcessPreset& lastPreset);
    void startRotation(const ProcessPreset& preset);
    void initialLift(const Vect& first, bool relative);
    void writePlanarOrZ(Vect& vect, const Seg* chain, const ProcessPreset& preset);
    void writeXyr(Vect& vect, const Seg* chain, const ProcessPreset& preset);
    void writeXyzr(Vect& vect, const Seg* chain, const ProcessPreset& preset);
    void writeArc(const ArcMove& arc, bool relative, bool helical, const char* mode);
    void speedBlock(double speed, double accel, double decel);
    void travelSpeed();
    void workSpeed(double speed);
    void moveTo(Point target, bool relative);
    void dwell(const ProcessPreset& preset);

    const ProcessSettings settings_;
    const MachineParameters& machine_;
    const PresetTable& presets_;
    ControllerLink* link_;
    const CornerArcs* cornerArcs_;
    ProgramBuffer out_;
    Position current_;
    Position start_;
    bool useZ_ = false;
    bool useR_ = false;
};

WriteResult BasicWriter::run(VectGroup* groups) {
    WriteResult result;
    if (!groups) return result;
    const ProcessPreset& firstPreset = presetFor(presets_, *groups);
    for (VectGroup* group : ring(groups)) {
        const ProcessPreset& preset = presetFor(presets_, *group);
        if (group != groups && !preset.endAction.empty()) out_.action(preset.endAction, true);
        if (!preset.startAction.empty()) out_.action(preset.startAction, true);
        if (group == groups) {
            useZ_ = preset.useZ;
            useR_ = preset.useR;
            start_.x = measuredPosition(link_, machine_.xAxis);
            start_.y = measuredPosition(link_, machine_.yAxis);
            start_.z = measuredPosition(link_, preset.zAxis);
            start_.r = measuredPosition(link_, preset.rAxis);
            current_ = start_;
        }
        if (group == groups || preset.useZ != useZ_ || preset.useR != useR_) writeBase(preset);
        if (const int code = writeGroup(*group, preset))
            return {WriteStatus::FlattenFailed, code, {}, {}};
    }
    if (machine_.returnFirstPos) writeReturn(presetFor(presets_, *lintrel::lastOf(groups)));
    if (!firstPreset.endAction.empty()) out_.action(firstPreset.endAction, true);
    result.program.text = std::move(out_.text());
    result.program.lineMap = std::move(out_.lineMap());
    return result;
}

// The axes named by BASE follow the first group's axis flags; the numbers are the group's own.
void BasicWriter::writeBase(const ProcessPreset& preset) {
    const int x = machine_.xAxis, y = machine_.yAxis;
    if (useZ_ && useR_)
        out_.line("BASE(", x, ", ", y, ", ", preset.zAxis, ", ", preset.rAxis, ")");
    else if (useZ_)
        out_.line("BASE(", x, ", ", y, ", ", preset.zAxis, ")");
    else if (useR_)
        out_.line("BASE(", x, ", ", y, ", ", preset.rAxis, ")");
    else
        out_.line("BASE(", x, ", ", y, ")");
}

void BasicWriter::writeReturn(const ProcessPreset& lastPreset) {
    travelSpeed();
    const bool relative = lastPreset.relative();
    const char* command = relative ? "MOVE(" : "MOVEABS(";
    const double x = relative ? start_.x - current_.x : start_.x;
    const double y = relative ? start_.y - current_.y : start_.y;
    const double z = relative ? start_.z - current_.z : start_.z;
    const double r = relative ? start_.r - current_.r : start_.r;
    if (useZ_ && useR_)
        out_.line(command, x, ", ", y, ", ", z, ", ", r, ")");
    else if (useZ_)
        out_.line(command, x, ", ", y, ", ", z, ")");
    else if (useR_)
        out_.line(command, x, ", ", y, ", ", r, ")");
    else
        out_.line(command, x, ", ", y, ")");
}

// Every block is written: a controller keeps the last speed it was given, so a block left out
// would run the moves at whatever speed came before.
void BasicWriter::speedBlock(double speed, double accel, double decel) {
    const int axis = machine_.xAxis;
    out_.line("MOVE_PARA(SPEED, ", axis, ", ", writtenRate(speed), ")");
    out_.line("MOVE_PARA(ACCEL, ", axis, ", ", writtenRate(accel), ")");
    out_.line("MOVE_PARA(DECEL, ", axis, ", ", writtenRate(decel), ")");
}

void BasicWriter::travelSpeed() {
    speedBlock(machine_.emptySpeed, machine_.emptyAccel, machine_.emptyDecel);
}

void BasicWriter::workSpeed(double speed) {
    speedBlock(speed, machine_.moveAccel, machine_.moveDecel);
}

// The controller is told where R stands after the heading is brought into its second turn; the
// command is not part of the program.
void BasicWriter::startRotation(const ProcessPreset& preset) {
    current_.r = intoSecondTurn(current_.r);
    if (!link_ || !link_->connected()) return;
    std::string command = "MPOS(";
    appendInt(command, preset.rAxis);
    command += ") = ";
    appendFixed4(command, current_.r);
    link_->assign(command);
}

void BasicWriter::initialLift(const Vect& first, bool relative) {
    const double lift = first.liftHeight;
    if (!differs(lift, current_.z)) return;
    travelSpeed();
    if (useR_ && relative)
        out_.line("MOVE(0.0, 0.0, ", lift - current_.z, ", 0.0)");
    else if (useR_)
        out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", lift, ", ", current_.r, ")");
    else if (relative)
        out_.line("MOVE(0.0, 0.0, ", lift - current_.z, ")");
    else
        out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", lift, ")");
    current_.z = lift;
}

int BasicWriter::writeGroup(VectGroup& group, const ProcessPreset& preset) {
    if (useR_) startRotation(preset);
    if (useZ_ && group.vects) initialLift(*group.vects, preset.relative());
    for (Vect* vect : ring(group.vects)) {
        if (const int code = ensureFlatChain(*vect, preset)) return code;
        out_.beginVect();
        if (const Seg* chain = lintrel::workingChain(*vect)) {
            if (useR_ && useZ_)
                writeXyzr(*vect, chain, preset);
            else if (useR_)
                writeXyr(*vect, chain, preset);
            else
                writePlanarOrZ(*vect, chain, preset);
        }
        out_.endVect();
    }
    return 0;
}

// The pierce delay as the controller's DELAY, in milliseconds, once the cut's actions are done.
void BasicWriter::dwell(const ProcessPreset& preset) {
    if (preset.pierceDelay > 0)
        out_.line("DELAY(", static_cast<int>(std::lround(preset.pierceDelay * 1000)), ")");
}

// A two-coordinate move of the first two axes of BASE.
void BasicWriter::moveTo(Point target, bool relative) {
    if (relative)
        out_.line("MOVE(", target.x - current_.x, ", ", target.y - current_.y, ")");
    else
        out_.line("MOVEABS(", target.x, ", ", target.y, ")");
    current_.x = target.x;
    current_.y = target.y;
}

// Arcs of every generator: a circular move, or a helical one that turns R by the arc's change.
// `mode` is the trailing mode argument of the four-axis form (empty for none).
void BasicWriter::writeArc(const ArcMove& arc, bool relative, bool helical, const char* mode) {
    const int dir = arc.clockwise ? 1 : 0;
    const Point end = relative ? Point{arc.end.x - current_.x, arc.end.y - current_.y} : arc.end;
    const Point centre =
        relative ? Point{arc.centre.x - current_.x, arc.centre.y - current_.y} : arc.centre;
    if (!helical) {
        out_.line(relative ? "MOVECIRC(" : "MOVECIRCABS(", end.x, ", ", end.y, ", ", centre.x, ", ",
                  centre.y, ", ", dir, ")");
    } else {
        double turned = current_.r + arc.change;
        if (turned >= kTwoPi) turned -= kTwoPi;
        if (turned < 0) turned += kTwoPi;
        out_.line(relative ? "MHELICAL(" : "MHELICALABS(", end.x, ", ", end.y, ", ", centre.x, ", ",
                  centre.y, ", ", dir, ", ", relative ? arc.change : turned, mode, ")");
        current_.r = turned;
    }
    current_.x = arc.end.x;
    current_.y = arc.end.y;
}

void BasicWriter::writePlanarOrZ(Vect& vect, const Seg* chain, const ProcessPreset& preset) {
    const bool relative = preset.relative();
    const Point entry = segStart(*chain);
    const double lift = vect.liftHeight, work = vect.workHeight;
    if (travelNeeded(entry, {current_.x, current_.y})) {
        travelSpeed();
        if (useZ_ && differs(lift, current_.z)) {
            if (relative)
                out_.line("MOVE(0.0, 0.0, ", lift - current_.z, ")");
            else
                out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", lift, ")");
            current_.z = lift;
        }
        if (!useZ_)
            moveTo(entry, relative);
        else if (relative)
            out_.line("MOVE(", entry.x - current_.x, ", ", entry.y - current_.y, ", 0.0)");
        else
            out_.line("MOVEABS(", entry.x, ", ", entry.y, ", ", lift, ")");
        current_.x = entry.x;
        current_.y = entry.y;
    }
    if (useZ_ && differs(work, current_.z)) {
        if (relative)
            out_.line("MOVE(0.0, 0.0, ", work - current_.z, ")");
        else
            out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", work, ")");
        current_.z = work;
    }
    workSpeed(cutSpeed(vect, preset));
    if (vect.beforeAction) out_.action(vect.beforeAction, false);
    dwell(preset);
    if (writesArcLine(vect, preset)) {
        writeArc(arcMove(vect), relative, false, "");
    } else {
        const std::vector<CornerArc>* corners =
            preset.circToSeg ? nullptr : cornerArcsOf(cornerArcs_, vect);
        forEachCut(
            chain, corners, [&](const Seg& seg) { moveTo(segEnd(seg), relative); },
            [&](const ArcMove& arc) { writeArc(arc, relative, false, ""); });
    }
    if (vect.afterAction) out_.action(vect.afterAction, false);
}

void BasicWriter::writeXyr(Vect& vect, const Seg* chain, const ProcessPreset& preset) {
    const bool relative = preset.relative();
    const Point entry = segStart(*chain);
    if (travelNeeded(entry, {current_.x, current_.y})) {
        travelSpeed();
        const double heading = headingTo({current_.x, current_.y}, entry);
        const double turn = fullTurnCorrected(heading - current_.r);
        if (relative) {
            out_.line("MOVE(0.0, 0.0, ", turn, ")");
            out_.line("MOVE(", entry.x - current_.x, ", ", entry.y - current_.y, ", 0.0)");
        } else {
            out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", heading, ")");
            out_.line("MOVEABS(", entry.x, ", ", entry.y, ", ", heading, ")");
        }
        current_ = {entry.x, entry.y, current_.z, heading};
    }
    workSpeed(cutSpeed(vect, preset));
    if (vect.beforeAction) out_.action(vect.beforeAction, false);
    dwell(preset);
    if (writesArcLine(vect, preset)) {
        writeArc(arcMove(vect), relative, true, "");
    } else {
        // A polyline turns on the spot before each seg; other shapes turn while they move.
        const bool turnFirst = vect.type == LINTREL_POLYLINE;
        for (const Seg* seg : ring(chain)) {
            const Point end = segEnd(*seg);
            const double heading = lintrel::directionAngle(*seg);
            const double turn = fullTurnCorrected(heading - current_.r);
            const double dx = end.x - current_.x, dy = end.y - current_.y;
            if (turnFirst && relative) {
                out_.line("MOVE(0.0, 0.0, ", turn, ")");
                out_.line("MOVE(", dx, ", ", dy, ", 0.0)");
            } else if (turnFirst) {
                out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", heading, ")");
                out_.line("MOVEABS(", end.x, ", ", end.y, ", ", heading, ")");
            } else if (relative) {
                out_.line("MOVE(", dx, ", ", dy, ", ", turn, ")");
            } else {
                out_.line("MOVEABS(", end.x, ", ", end.y, ", ", heading, ")");
            }
            current_ = {end.x, end.y, current_.z, heading};
        }
    }
    if (vect.afterAction) out_.action(vect.afterAction, false);
}

void BasicWriter::writeXyzr(Vect& vect, const Seg* chain, const ProcessPreset& preset) {
    const bool relative = preset.relative();
    const Point entry = segStart(*chain);
    const double lift = vect.liftHeight, work = vect.workHeight;
    if (travelNeeded(entry, {current_.x, current_.y})) {
        travelSpeed();
        const double heading = headingTo({current_.x, current_.y}, entry);
        const double turn = fullTurnCorrected(heading - current_.r);
        if (relative) {
            out_.line("MOVE(0.0, 0.0, 0.0, ", turn, ")");
            out_.line("MOVE(", entry.x - current_.x, ", ", entry.y - current_.y, ", ",
                      lift - current_.z, ", 0.0)");
        } else {
            out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", current_.z, ", ", heading,
                      ")");
            out_.line("MOVEABS(", entry.x, ", ", entry.y, ", ", lift, ", ", heading, ")");
        }
        current_ = {entry.x, entry.y, lift, heading};
    }
    if (differs(work, current_.z)) {
        // The tool turns the shorter way to the first cut's direction while it goes down.
        travelSpeed();
        const double heading = lintrel::directionAngle(*chain);
        const double turn = halfTurnCorrected(heading - current_.r);
        if (relative)
            out_.line("MOVE(0.0, 0.0, ", work - current_.z, ", ", turn, ")");
        else
            out_.line("MOVEABS(", current_.x, ", ", current_.y, ", ", work, ", ", heading, ")");
        current_.z = work;
        current_.r = heading;
    }
    workSpeed(cutSpeed(vect, preset));
    if (vect.beforeAction) out_.action(vect.beforeAction, false);
    dwell(preset);
    if (writesArcLine(vect, preset)) {
        // The helical move turns R as its third axis, so BASE leaves Z out around it.
        const int x = machine_.xAxis, y = machine_.yAxis;
        out_.line("BASE(", x, ", ", y, ", ", preset.rAxis, ")");
        writeArc(arcMove(vect), relative, true, ", 1");
        out_.line("BASE(", x, ", ", y, ", ", preset.zAxis, ", ", preset.rAxis, ")");
    } else {
        for (const Seg* seg : ring(chain)) {
            const Point end = segEnd(*seg);
            const double heading = lintrel::directionAngle(*seg);
            const double turn = fullTurnCorrected(heading - current_.r);
            if (relative)
                out_.line("MOVE(", end.x - current_.x, ", ", end.y - current_.y, ", ",
                          work - current_.z, ", ", turn, ")");
            else
                out_.line("MOVEABS(", end.x, ", ", end.y, ", ", work, ", ", heading, ")");
            current_ = {end.x, end.y, work, heading};
        }
    }
    if (vect.afterAction) out_.action(vect.afterAction, false);
}

}  // namespace

WriteResult writeBasic(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link,
                       const CornerArcs* cornerArcs) {
    return BasicWriter(settings, link, cornerArcs).run(groups);
}

}  // namespace pathloom
