// Pushing preset values into the vects of the drawing.
#include "core/presets/apply.h"

#include <lintrel/lintrel.hpp>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace pathloom {
namespace {

constexpr std::string_view kPresetPrefix = "工艺";

bool changed(double a, double b) {
    return std::fabs(a - b) > 0.0001;
}

template <class Visit>
void forEachVect(VectGroup* groups, Visit visit) {
    for (VectGroup* group : lintrel::ring(groups))
        for (Vect* vect : lintrel::ring(group->vects))
            visit(*group, *vect);
}

}  // namespace

PresetChanges comparePresets(const PresetTable& current, const PresetTable& edited) {
    PresetChanges changes;
    for (size_t i = 0; i < current.size(); ++i) {
        const ProcessPreset& a = current[i];
        const ProcessPreset& b = edited[i];
        changes[i].speed = changed(a.speed, b.speed);
        changes[i].workHeight = changed(a.workHeight, b.workHeight);
        changes[i].lift = changed(a.upliftHeight, b.upliftHeight) || a.dotLift != b.dotLift;
        changes[i].before = !sameTextIgnoringCase(a.beforeProcessing, b.beforeProcessing);
        changes[i].after = !sameTextIgnoringCase(a.afterProcessing, b.afterProcessing);
        changes[i].startAction = !sameTextIgnoringCase(a.startAction, b.startAction);
        changes[i].endAction = !sameTextIgnoringCase(a.endAction, b.endAction);
    }
    return changes;
}

void setVectText(char*& slot, std::string_view text) {
    // The library's allocator frees the old block: both sides share one heap.
    slot = VarnixCad3_SetStrT(slot, static_cast<int>(text.size() + 1));
    std::memcpy(slot, text.data(), text.size());
    slot[text.size()] = '\0';
}

void assignPresets(VectGroup* groups, const PresetTable& presets) {
    forEachVect(groups, [&](VectGroup& group, Vect& vect) {
        const ProcessPreset& preset = presetFor(presets, group);
        if (!preset.beforeProcessing.empty())
            setVectText(vect.beforeAction, preset.beforeProcessing);
        if (!preset.afterProcessing.empty()) setVectText(vect.afterAction, preset.afterProcessing);
        vect.speed = preset.speed;
        vect.liftHeight = preset.liftHeight();
        vect.workHeight = preset.workHeight;
    });
}

PresetChanges acceptProcessEdit(ProcessSettings& current, const ProcessSettings& edited,
                                VectGroup* groups) {
    const PresetChanges changes = comparePresets(current.presets, edited.presets);
    current = edited;
    forEachVect(groups, [&](VectGroup& group, Vect& vect) {
        const int index = presetIndex(group.number);
        const ProcessPreset& preset = current.presets[static_cast<size_t>(index)];
        const PresetChange& change = changes[static_cast<size_t>(index)];
        if (change.before) setVectText(vect.beforeAction, preset.beforeProcessing);
        if (change.after) setVectText(vect.afterAction, preset.afterProcessing);
        if (change.speed) vect.speed = preset.speed;
        if (change.lift) vect.liftHeight = preset.liftHeight();
        vect.workHeight = preset.workHeight;
    });
    return changes;
}

std::vector<std::string> presetSelectorEntries(const VectGroup* groups) {
    std::vector<std::string> entries;
    for (const VectGroup* group : lintrel::ring(groups))
        entries.push_back(std::string(kPresetPrefix) + std::to_string(group->number));
    if (entries.empty()) entries.push_back(std::string(kPresetPrefix) + "1");
    return entries;
}

int presetNumberOfEntry(std::string_view entry) {
    if (!entry.starts_with(kPresetPrefix)) return 0;
    const std::string digits(entry.substr(kPresetPrefix.size()));
    const long number = std::strtol(digits.c_str(), nullptr, 10);
    return number > INT_MAX || number < INT_MIN ? 0 : static_cast<int>(number);
}

ActionChoice actionChoiceFor(const char* text, const ActionList& actions) {
    if (!text || !*text) return {};
    const int index = actions.findByText(text);
    if (index >= 0) return {ActionChoice::Listed, index};
    return {ActionChoice::Custom, -1};
}

void setSelectedActions(VectGroup* groups, std::string_view before, std::string_view after) {
    forEachVect(groups, [&](VectGroup&, Vect& vect) {
        if (!vect.selected) return;
        setVectText(vect.beforeAction, before);
        setVectText(vect.afterAction, after);
    });
}

}  // namespace pathloom
