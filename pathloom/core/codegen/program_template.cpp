// Filling the templates; the figures are measured only when the pattern names one of them.
#include "core/codegen/program_template.h"

#include <cmath>

#include "core/codegen/number_format.h"
#include "core/document/drawing_summary.h"
#include "core/settings/value_rules.h"

namespace pathloom {
namespace {

constexpr TemplatePlaceholder kPlaceholders[] = {{"{name}", Text::PlaceholderName},
                                                 {"{date}", Text::PlaceholderDate},
                                                 {"{extent}", Text::PlaceholderExtent},
                                                 {"{time}", Text::PlaceholderTime},
                                                 {"{travel}", Text::PlaceholderTravel}};

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

std::span<const TemplatePlaceholder> templatePlaceholders() {
    return kPlaceholders;
}

std::string programTemplate(std::string_view pattern, VectGroup* groups,
                            const MachineParameters& machine, const ProgramInfo& info) {
    std::string extent, time, travel;
    const auto names = [&](const TemplatePlaceholder& p) {
        return pattern.find(p.name) != std::string_view::npos;
    };
    if (names(kPlaceholders[2]) || names(kPlaceholders[3]) || names(kPlaceholders[4])) {
        const DrawingFigures f = measureDrawing(groups, machine);
        extent = fixedText(f.hasExtent ? f.width : 0, 3) + " x " +
                 fixedText(f.hasExtent ? f.height : 0, 3) + " mm";
        time = clockText(f.cutSeconds + f.travelSeconds);
        travel = fixedText(f.travel, 1) + " mm";
    }
    return filledText(pattern, {{kPlaceholders[0].name, info.drawingName},
                                {kPlaceholders[1].name, info.date},
                                {kPlaceholders[2].name, extent},
                                {kPlaceholders[3].name, time},
                                {kPlaceholders[4].name, travel}});
}

}  // namespace pathloom
