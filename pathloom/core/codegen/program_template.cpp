// Filling the templates; the figures are measured only when the pattern names one of them.
#include "core/codegen/program_template.h"

#include <cmath>

#include "core/codegen/number_format.h"
#include "core/document/drawing_summary.h"
#include "core/settings/value_rules.h"

namespace pathloom {
namespace {

std::string clockText(double seconds) {
    const long long whole = std::llround(std::max(seconds, 0.0));
    std::string text;
    appendInt(text, whole / 3600);
    for (const long long part : {whole / 60 % 60, whole % 60}) {
        text += part < 10 ? ":0" : ":";
        appendInt(text, part);
    }
    return text;
}

}  // namespace

std::string programTemplate(std::string_view pattern, VectGroup* groups,
                            const MachineParameters& machine, const ProgramInfo& info) {
    std::string extent, time, travel;
    const bool namesFigures = pattern.find("{extent}") != std::string_view::npos ||
                              pattern.find("{time}") != std::string_view::npos ||
                              pattern.find("{travel}") != std::string_view::npos;
    if (namesFigures) {
        const DrawingFigures f = measureDrawing(groups, machine);
        extent = fixedText(f.hasExtent ? f.width : 0, 3) + " x " +
                 fixedText(f.hasExtent ? f.height : 0, 3) + " mm";
        time = clockText(f.cutSeconds + f.travelSeconds);
        travel = fixedText(f.travel, 1) + " mm";
    }
    return filledText(pattern, {{"{name}", info.drawingName},
                                {"{date}", info.date},
                                {"{extent}", extent},
                                {"{time}", time},
                                {"{travel}", travel}});
}

}  // namespace pathloom
