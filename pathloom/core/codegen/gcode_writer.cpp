// The G-code writer: the whole-program frame (group actions, G90/G91, return line) and the
// planar and Z generators. The R axis has no G-code generator; such a drawing is refused.
#include "core/codegen/program.h"

#include <lintrel/lintrel.hpp>
#include "core/codegen/program_buffer.h"
#include "core/codegen/vect_path.h"

namespace pathloom {
namespace {

using lintrel::ring;
using lintrel::segEnd;
using lintrel::segStart;

struct Position {
    double x = 0, y = 0, z = 0;
};

class GcodeWriter {
  public:
    GcodeWriter(const ProcessSettings& settings, ControllerLink* link)
        : settings_(writableSettings(settings)), link_(link) {}

    WriteResult run(VectGroup* groups);

  private:
    int writeGroup(VectGroup& group, const ProcessPreset& preset);
    int writeVect(Vect& vect, const ProcessPreset& preset);
    void writeCut(Vect& vect, const Seg* chain, const ProcessPreset& preset);
    void measureStart(const ProcessPreset& preset);
    void writeReturn(const ProcessPreset& lastPreset);

    const ProcessSettings settings_;
    ControllerLink* link_;
    ProgramBuffer out_;
    Position current_;
    Position start_;
    bool useZ_ = false;
};

void GcodeWriter::measureStart(const ProcessPreset& preset) {
    const MachineParameters& machine = settings_.machine;
    start_.x = measuredPosition(link_, machine.xAxis);
    start_.y = measuredPosition(link_, machine.yAxis);
    start_.z = measuredPosition(link_, preset.zAxis);
    current_ = start_;
}

WriteResult GcodeWriter::run(VectGroup* groups) {
    WriteResult result;
    if (!groups) return result;
    const ProcessPreset& firstPreset = presetFor(settings_.presets, *groups);
    for (VectGroup* group : ring(groups)) {
        const ProcessPreset& preset = presetFor(settings_.presets, *group);
        if (group != groups && !preset.endAction.empty()) out_.action(preset.endAction, true);
        if (!preset.startAction.empty()) out_.action(preset.startAction, true);
        if (group == groups) {
            if (preset.useR) return {WriteStatus::Unsupported, 0, {}};
            useZ_ = preset.useZ;
            measureStart(preset);
            out_.line(preset.relative() ? "G91" : "G90");
        }
        if (const int code = writeGroup(*group, preset))
            return {WriteStatus::FlattenFailed, code, {}};
    }
    if (settings_.machine.returnFirstPos)
        writeReturn(presetFor(settings_.presets, *lintrel::lastOf(groups)));
    if (!firstPreset.endAction.empty()) out_.action(firstPreset.endAction, true);
    result.program.text = std::move(out_.text());
    result.program.lineMap = std::move(out_.lineMap());
    return result;
}

void GcodeWriter::writeReturn(const ProcessPreset& lastPreset) {
    const bool relative = lastPreset.relative();
    const double x = relative ? start_.x - current_.x : start_.x;
    const double y = relative ? start_.y - current_.y : start_.y;
    const double z = relative ? start_.z - current_.z : start_.z;
    if (useZ_)
        out_.line("G00 X", x, " Y", y, " Z", z);
    else
        out_.line("G00 X", x, " Y", y);
}

int GcodeWriter::writeGroup(VectGroup& group, const ProcessPreset& preset) {
    if (useZ_ && group.vects && differs(group.vects->liftHeight, current_.z)) {
        const double lift = group.vects->liftHeight;
        if (preset.relative())
            out_.line("G00 X0.0 Y0.0 Z", lift - current_.z);
        else
            out_.line("G00 X", current_.x, " Y", current_.y, " Z", lift);
        current_.z = lift;
    }
    for (Vect* vect : ring(group.vects))
        if (const int code = writeVect(*vect, preset)) return code;
    return 0;
}

int GcodeWriter::writeVect(Vect& vect, const ProcessPreset& preset) {
    if (const int code = ensureFlatChain(vect, preset)) return code;
    out_.beginVect();
    const Seg* chain = lintrel::workingChain(vect);
    if (!chain) {  // nothing to cut; the vect keeps its (empty) place in the line map
        out_.endVect();
        return 0;
    }
    const bool relative = preset.relative();
    const Point entry = segStart(*chain);
    const bool travel = travelNeeded(entry, {current_.x, current_.y});
    const double lift = vect.liftHeight, work = vect.workHeight;
    if (useZ_ && travel && differs(lift, current_.z)) {
        if (relative)
            out_.line("G00 U0.0 V0.0 W", lift - current_.z);
        else
            out_.line("G00 X", current_.x, " Y", current_.y, " Z", lift);
        current_.z = lift;
    }
    if (travel) {
        if (!useZ_ && relative)
            out_.line("G00 X", entry.x - current_.x, " Y", entry.y - current_.y);
        else if (!useZ_)
            out_.line("G00 X", entry.x, " Y", entry.y);
        else if (relative)
            out_.line("G00 X", entry.x - current_.x, " Y", entry.y - current_.y, " Z0.0");
        else
            out_.line("G00 X", entry.x, " Y", entry.y, " Z", lift);
        current_.x = entry.x;
        current_.y = entry.y;
    }
    if (useZ_ && differs(work, current_.z)) {
        if (relative)
            out_.line("G00 X0.0 Y0.0 Z", work - current_.z);
        else
            out_.line("G00 X", current_.x, " Y", current_.y, " Z", work);
        current_.z = work;
    }
    if (vect.beforeAction) out_.action(vect.beforeAction, false);
    writeCut(vect, chain, preset);
    if (vect.afterAction) out_.action(vect.afterAction, false);
    out_.endVect();
    return 0;
}

void GcodeWriter::writeCut(Vect& vect, const Seg* chain, const ProcessPreset& preset) {
    const bool relative = preset.relative();
    const double speed = cutSpeed(vect, preset);
    if (writesArcLine(vect, preset)) {
        const ArcMove arc = arcMove(vect);
        const char* word = arc.clockwise ? "G02" : "G03";
        // The centre is always given from the arc's start, which is the current position.
        const double i = arc.centre.x - current_.x, j = arc.centre.y - current_.y;
        const double x = relative ? arc.end.x - current_.x : arc.end.x;
        const double y = relative ? arc.end.y - current_.y : arc.end.y;
        if (!useZ_)
            out_.line(word, " X", x, " Y", y, " I", i, " J", j, " F", speed);
        else if (relative)
            out_.line(word, " X", x, " Y", y, " Z0.0 I", i, " J", j, " K0.0 F", speed);
        else
            out_.line(word, " X", x, " Y", y, " Z", current_.z, " I", i, " J", j, " K0.0 F", speed);
        current_.x = arc.end.x;
        current_.y = arc.end.y;
        return;
    }
    for (const Seg* seg : ring(chain)) {
        const Point end = segEnd(*seg);
        if (relative)
            out_.line("G01 X", end.x - current_.x, " Y", end.y - current_.y, " F", speed);
        else
            out_.line("G01 X", end.x, " Y", end.y, " F", speed);
        current_.x = end.x;
        current_.y = end.y;
    }
}

}  // namespace

WriteResult writeGcode(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link) {
    return GcodeWriter(settings, link).run(groups);
}

WriteResult writeProgram(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link) {
    return settings.machine.codeType == 0 ? writeBasic(groups, settings, link)
                                          : writeGcode(groups, settings, link);
}

}  // namespace pathloom
