// The G-code writer: the whole-program frame (header, group actions, G90/G91, return line,
// program end), the planar and Z generators and the tool switching of the output profile. The R
// axis has no G-code generator; such a drawing is refused.
#include "core/codegen/program.h"

#include <lintrel/lintrel.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/codegen/cut_paths.h"
#include "core/codegen/output_profile.h"
#include "core/codegen/program_buffer.h"
#include "core/codegen/program_template.h"
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
    GcodeWriter(const ProcessSettings& settings, ControllerLink* link, const ProgramInfo& info,
                const CornerArcs* cornerArcs)
        : settings_(writableSettings(settings)),
          profile_(outputProfile(settings_.machine.outputProfile)),
          link_(link),
          info_(info),
          cornerArcs_(cornerArcs) {
        out_.setDecimals(profile_.decimals);
    }

    WriteResult run(VectGroup* groups);

  private:
    int writeGroup(VectGroup& group, const ProcessPreset& preset);
    int writeVect(Vect& vect, const ProcessPreset& preset);
    void writeCut(Vect& vect, const Seg* chain, const ProcessPreset& preset);
    void writeArc(const ArcMove& arc, double speed, bool relative);
    void measureStart(const ProcessPreset& preset);
    void writeReturn(const ProcessPreset& lastPreset);
    void writeHeader(VectGroup* groups, const ProcessPreset& firstPreset);
    void writeTemplate(VectGroup* groups, const ProfileTexts& templates);
    void toolOn(const ProcessPreset& preset);
    void toolOff();
    void dwell(const ProcessPreset& preset);
    std::string feed(double speed);

    const ProcessSettings settings_;
    const OutputProfile& profile_;
    ControllerLink* link_;
    const ProgramInfo& info_;
    const CornerArcs* cornerArcs_;
    ProgramBuffer out_;
    Position current_;
    Position start_;
    bool useZ_ = false;
    std::optional<int> toolPower_;  // the S value while the tool is on
    std::optional<double> feed_;    // the last F written, for a modal feed
};

void GcodeWriter::writeTemplate(VectGroup* groups, const ProfileTexts& templates) {
    const std::string& pattern = templates[static_cast<size_t>(settings_.machine.outputProfile)];
    if (!pattern.empty())
        out_.action(programTemplate(pattern, groups, settings_.machine, info_), false);
}

void GcodeWriter::writeHeader(VectGroup* groups, const ProcessPreset& firstPreset) {
    writeTemplate(groups, settings_.machine.programHeaders);
    std::string header = profile_.header;
    if (const size_t at = header.find("{precision}"); at != std::string::npos)
        header.replace(at, 11, fixedText(firstPreset.refAccuracy, profile_.decimals));
    if (!header.empty()) out_.action(header, false);
}

// The S value of a preset's power: its percentage of the profile's maximum, never above it.
int powerValue(const OutputProfile& profile, const ProcessPreset& preset) {
    const long value = std::lround(profile.powerMax * preset.laserPower / 100.0);
    return static_cast<int>(std::clamp(value, 0L, static_cast<long>(profile.powerMax)));
}

void GcodeWriter::toolOn(const ProcessPreset& preset) {
    if (profile_.toolSwitching == ToolSwitching::None) return;
    const int power = powerValue(profile_, preset);
    if (toolPower_ == power) return;
    if (profile_.powerMax > 0)
        out_.line(profile_.toolOn, power);
    else
        out_.line(profile_.toolOn);
    toolPower_ = power;
    dwell(preset);
}

// The pierce delay where the tool comes on: after the tool word, or where the tool starts
// cutting in a form whose actions switch it.
void GcodeWriter::dwell(const ProcessPreset& preset) {
    if (preset.pierceDelay > 0)
        out_.line(profile_.dwell, " P", shortestText(preset.pierceDelay * profile_.dwellPerSecond));
}

void GcodeWriter::toolOff() {
    if (!toolPower_) return;
    out_.line(profile_.toolOff);
    toolPower_.reset();
}

std::string GcodeWriter::feed(double speed) {
    if (profile_.modalFeed && feed_ == speed) return {};
    feed_ = speed;
    return " F" + fixedText(speed * profile_.feedPerSecond, profile_.decimals);
}

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
    writeHeader(groups, firstPreset);
    for (VectGroup* group : ring(groups)) {
        const ProcessPreset& preset = presetFor(settings_.presets, *group);
        if (group != groups && !preset.endAction.empty()) out_.action(preset.endAction, true);
        if (!preset.startAction.empty()) out_.action(preset.startAction, true);
        if (group == groups) {
            if (preset.useR) return {WriteStatus::Unsupported, 0, {}, {}};
            useZ_ = preset.useZ;
            measureStart(preset);
            out_.line(preset.relative() ? "G91" : "G90");
        }
        if (const int code = writeGroup(*group, preset))
            return {WriteStatus::FlattenFailed, code, {}, {}};
    }
    toolOff();
    if (settings_.machine.returnFirstPos)
        writeReturn(presetFor(settings_.presets, *lintrel::lastOf(groups)));
    if (!firstPreset.endAction.empty()) out_.action(firstPreset.endAction, true);
    writeTemplate(groups, settings_.machine.programFooters);
    if (*profile_.programEnd) out_.line(profile_.programEnd);
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
        out_.line(profile_.rapid, " X", x, " Y", y, " Z", z);
    else
        out_.line(profile_.rapid, " X", x, " Y", y);
}

int GcodeWriter::writeGroup(VectGroup& group, const ProcessPreset& preset) {
    if (useZ_ && group.vects && differs(group.vects->liftHeight, current_.z)) {
        const double lift = group.vects->liftHeight;
        if (preset.relative())
            out_.line(profile_.rapid, " X0.0 Y0.0 Z", lift - current_.z);
        else
            out_.line(profile_.rapid, " X", current_.x, " Y", current_.y, " Z", lift);
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
    const char* rapid = profile_.rapid;
    if (useZ_ && travel && differs(lift, current_.z)) {
        if (relative)
            out_.line(rapid, " ", profile_.relativeHold, lift - current_.z);
        else
            out_.line(rapid, " X", current_.x, " Y", current_.y, " Z", lift);
        current_.z = lift;
    }
    if (travel) {
        if (!useZ_ && relative)
            out_.line(rapid, " X", entry.x - current_.x, " Y", entry.y - current_.y);
        else if (!useZ_)
            out_.line(rapid, " X", entry.x, " Y", entry.y);
        else if (relative)
            out_.line(rapid, " X", entry.x - current_.x, " Y", entry.y - current_.y, " Z0.0");
        else
            out_.line(rapid, " X", entry.x, " Y", entry.y, " Z", lift);
        current_.x = entry.x;
        current_.y = entry.y;
    }
    // A spindle or a knife turns before it plunges; a torch or a laser fires where the cut starts.
    if (profile_.toolSwitching == ToolSwitching::WholeProgram) toolOn(preset);
    if (useZ_ && differs(work, current_.z)) {
        if (relative)
            out_.line(rapid, " X0.0 Y0.0 Z", work - current_.z);
        else
            out_.line(rapid, " X", current_.x, " Y", current_.y, " Z", work);
        current_.z = work;
    }
    toolOn(preset);
    if (vect.beforeAction) out_.action(vect.beforeAction, false);
    if (profile_.toolSwitching == ToolSwitching::None) dwell(preset);
    writeCut(vect, chain, preset);
    if (vect.afterAction) out_.action(vect.afterAction, false);
    if (profile_.toolSwitching == ToolSwitching::EachCut) toolOff();
    out_.endVect();
    return 0;
}

void GcodeWriter::writeArc(const ArcMove& arc, double speed, bool relative) {
    const char* word = arc.clockwise ? profile_.clockwise : profile_.counterClockwise;
    // The centre is always given from the arc's start, which is the current position.
    const double i = arc.centre.x - current_.x, j = arc.centre.y - current_.y;
    const double x = relative ? arc.end.x - current_.x : arc.end.x;
    const double y = relative ? arc.end.y - current_.y : arc.end.y;
    if (!useZ_ || !profile_.arcZK)
        out_.line(word, " X", x, " Y", y, " I", i, " J", j, feed(speed));
    else if (relative)
        out_.line(word, " X", x, " Y", y, " Z0.0 I", i, " J", j, " K0.0", feed(speed));
    else
        out_.line(word, " X", x, " Y", y, " Z", current_.z, " I", i, " J", j, " K0.0", feed(speed));
    current_.x = arc.end.x;
    current_.y = arc.end.y;
}

void GcodeWriter::writeCut(Vect& vect, const Seg* chain, const ProcessPreset& preset) {
    const bool relative = preset.relative();
    const double speed = cutSpeed(vect, preset);
    if (profile_.arcs && writesArcLine(vect, preset)) {
        writeArc(arcMove(vect), speed, relative);
        return;
    }
    const std::vector<CornerArc>* corners =
        profile_.arcs && !preset.circToSeg ? cornerArcsOf(cornerArcs_, vect) : nullptr;
    auto line = [&](const Seg& seg) {
        const Point end = segEnd(seg);
        if (relative)
            out_.line(profile_.feed, " X", end.x - current_.x, " Y", end.y - current_.y,
                      feed(speed));
        else
            out_.line(profile_.feed, " X", end.x, " Y", end.y, feed(speed));
        current_.x = end.x;
        current_.y = end.y;
    };
    forEachCut(chain, corners, line, [&](const ArcMove& arc) { writeArc(arc, speed, relative); });
}

}  // namespace

WriteResult writeGcode(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link,
                       const ProgramInfo& info, const CornerArcs* cornerArcs) {
    return GcodeWriter(settings, link, info, cornerArcs).run(groups);
}

WriteResult writeProgram(VectGroup* groups, const ProcessSettings& settings, ControllerLink* link,
                         const ProgramInfo& info) {
    const CutPaths cuts = buildCutPaths(groups, writableSettings(settings).presets);
    VectGroup* cut = cuts.cut(groups);
    const CornerArcs* corners = cuts.paths ? &cuts.cornerArcs : nullptr;
    WriteResult result = settings.machine.codeType == 0
                             ? writeBasic(cut, settings, link, corners)
                             : writeGcode(cut, settings, link, info, corners);
    result.cutNotes = cuts.notes;
    if (cuts.paths && result.status == WriteStatus::Ok) {
        int vects = 0;
        for (VectGroup* group : ring(groups))
            vects += lintrel::ringCount(group->vects);
        result.program.lineMap = drawingLineMap(result.program.lineMap, cuts.original, vects);
    }
    return result;
}

}  // namespace pathloom
