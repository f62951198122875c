// The settings file's sections and keys. One description of every key, with the rule its values
// follow, serves reading, writing, the table of keys and the checks of values in memory, so that
// none of them can disagree on a name, a type, a limit or an order.
#include "core/settings/settings.h"

#include <cmath>
#include <string>
#include <type_traits>

#include "core/codegen/number_format.h"
#include "core/codegen/output_profile.h"

namespace pathloom {
namespace {

constexpr const char* kUserAction = "User action";
static_assert(rules::kSortOrder.low == kSortByGrid &&
                  rules::kSortOrder.high == kSortByShortestTravel,
              "the sort rule names every sort");

struct PresetText {
    std::string& text;
};

// Six decimals as "%lf" writes them, without the sign of a value that reads as zero.
std::string writeDouble(double value) {
    return fixedText(value, 6);
}

// A value as the file holds it.
std::string fileText(bool value) {
    return value ? "1" : "0";
}
std::string fileText(int value) {
    return std::to_string(value);
}
std::string fileText(double value) {
    return writeDouble(value);
}

// Reads each described key into its field. A value its rule refuses leaves the default and is
// noted with that default.
class Reader {
  public:
    Reader(const ProfileFile& profile, std::vector<SettingProblem>* problems)
        : profile_(profile), problems_(problems) {}
    void section(const char* name) { section_ = name; }
    template <class T>
    void operator()(const std::string& key, T& field, const ValueRule& rule, Text) {
        const std::optional<std::string> stored = profile_.get(section_, key);
        if (!stored) return;
        if (const std::optional<double> value = allowedValue(rule, *stored)) {
            field = static_cast<T>(*value);
        } else if (problems_) {
            problems_->push_back({key, *stored, &rule, numberText(static_cast<double>(field))});
        }
    }
    void operator()(const std::string& key, std::string& field, Text) {
        if (auto v = profile_.get(section_, key)) field = *v;
    }
    void operator()(const std::string& key, PresetText field, Text) {
        if (auto v = profile_.get(section_, key)) field.text = decodePresetText(*v);
    }
    void actions(std::vector<Action>& list) {
        list.clear();
        for (const auto& [name, stored] : profile_.section(kUserAction)) {
            if (list.size() >= ActionList::kCapacity) break;
            // Read whole: an entry longer than the action manager takes is the user's text all
            // the same, and cutting it would lose it at the next save.
            list.push_back({name, decodeActionText(stored)});
        }
    }

  private:
    const ProfileFile& profile_;
    std::vector<SettingProblem>* problems_;
    const char* section_ = "";
};

// Writes each described key from its field.
class Writer {
  public:
    explicit Writer(ProfileFile& profile) : profile_(profile) {}
    void section(const char* name) { section_ = name; }
    template <class T>
    void operator()(const std::string& key, T& field, const ValueRule&, Text) {
        put(key, fileText(field));
    }
    void operator()(const std::string& key, const std::string& field, Text) { put(key, field); }
    void operator()(const std::string& key, PresetText field, Text) {
        put(key, encodePresetText(field.text));
    }
    // The section is rewritten whole, so that removed actions leave the file; every action keeps
    // its own entry even when two names differ only in case.
    void actions(const std::vector<Action>& list) {
        ProfileEntries entries;
        for (const Action& action : list)
            entries.emplace_back(action.name, encodeActionText(action.text));
        if (entries.empty())
            profile_.deleteSection(kUserAction);
        else
            profile_.setSection(kUserAction, entries);
    }

  private:
    void put(const std::string& key, const std::string& value) {
        profile_.set(section_, key, value);
    }
    ProfileFile& profile_;
    const char* section_ = "";
};

template <class Visitor>
void describePreset(Visitor& v, ProcessPreset& p, int n) {
    using namespace rules;
    const std::string k = std::to_string(n);
    v("Use Z-axis" + k, p.useZ, kSwitch, Text::AboutUseZ);
    v("Z-axis num" + k, p.zAxis, kAxis, Text::AboutZAxis);
    v("Dot lift" + k, p.dotLift, kSwitch, Text::AboutDotLift);
    v("Work height" + k, p.workHeight, kHeight, Text::AboutWorkHeight);
    v("Uplift height" + k, p.upliftHeight, kHeight, Text::AboutUpliftHeight);
    v("Use R-axis" + k, p.useR, kSwitch, Text::AboutUseR);
    v("R-axis num" + k, p.rAxis, kAxis, Text::AboutRAxis);
    v("Ref accuracy" + k, p.refAccuracy, kPrecision, Text::AboutRefAccuracy);
    v("Speed" + k, p.speed, kSpeed, Text::AboutSpeed);
    v("Move type" + k, p.moveType, kMoveType, Text::AboutMoveType);
    v("Circ to seg" + k, p.circToSeg, kSwitch, Text::AboutCircToSeg);
    v("Before processing" + k, PresetText{p.beforeProcessing}, Text::AboutBeforeProcessing);
    v("After processing" + k, PresetText{p.afterProcessing}, Text::AboutAfterProcessing);
    v("start action" + k, PresetText{p.startAction}, Text::AboutStartAction);
    v("end action" + k, PresetText{p.endAction}, Text::AboutEndAction);
    v("Laser power" + k, p.laserPower, kPercent, Text::AboutLaserPower);
    v("Pierce delay" + k, p.pierceDelay, kDelay, Text::AboutPierceDelay);
    v("Kerf width" + k, p.kerfWidth, kSize, Text::AboutKerfWidth);
    v("Kerf side" + k, p.kerfSide, kKerfSide, Text::AboutKerfSide);
    v("Kerf corners" + k, p.kerfCorners, kCorners, Text::AboutKerfCorners);
    v("Mitre limit" + k, p.mitreLimit, kMitreLimit, Text::AboutMitreLimit);
    v("Lead type" + k, p.leadType, kLeadType, Text::AboutLeadType);
    v("Lead length" + k, p.leadLength, kSize, Text::AboutLeadLength);
    v("Lead angle" + k, p.leadAngle, kLeadAngle, Text::AboutLeadAngle);
    v("Overcut" + k, p.overcut, kSize, Text::AboutOvercut);
    v("Start point" + k, p.startPoint, kStartPoint, Text::AboutStartPoint);
    v("Cut direction" + k, p.cutDirection, kCutDirection, Text::AboutCutDirection);
}

// The machine parameters and the presets: every key the program writers read.
template <class Visitor>
void describeProcess(Visitor& v, ProcessSettings& process) {
    using namespace rules;
    MachineParameters& m = process.machine;
    v("X-axis num", m.xAxis, kAxis, Text::AboutXAxis);
    v("Y-axis num", m.yAxis, kAxis, Text::AboutYAxis);
    v("Empty speed", m.emptySpeed, kSpeed, Text::AboutEmptySpeed);
    v("Empty accel", m.emptyAccel, kAcceleration, Text::AboutEmptyAccel);
    v("Empty decel", m.emptyDecel, kDeceleration, Text::AboutEmptyDecel);
    v("Move accel", m.moveAccel, kAcceleration, Text::AboutMoveAccel);
    v("Move decel", m.moveDecel, kDeceleration, Text::AboutMoveDecel);
    v("Show code type", m.codeType, kCodeType, Text::AboutCodeType);
    v("process filename", m.processFilename, Text::AboutProcessFilename);
    v("Return FirstPos", m.returnFirstPos, kSwitch, Text::AboutReturnFirstPos);
    v("Output profile", m.outputProfile, kOutputProfile, Text::AboutOutputProfile);
    for (size_t i = 0; i < outputProfiles().size(); ++i) {
        const std::string name = outputProfiles()[i].name;
        v("Program header " + name, PresetText{m.programHeaders[i]}, Text::AboutProgramHeader);
        v("Program footer " + name, PresetText{m.programFooters[i]}, Text::AboutProgramFooter);
    }
    for (int n = 1; n <= kPresetCount; ++n)
        describePreset(v, process.presets[static_cast<size_t>(n - 1)], n);
}

template <class Visitor>
void describeOptimize(Visitor& v, AutoOptimizeSettings& o) {
    using namespace rules;
    v("Curve smoothing", o.curveSmoothing, kSwitch, Text::AboutCurveSmoothing);
    v("Smoothing accuracy", o.smoothingAccuracy, kPrecision, Text::AboutSmoothingAccuracy);
    v("Remove minimal graphics", o.removeMinimal, kSwitch, Text::AboutRemoveMinimal);
    v("Remove minimal graphic width", o.minimalWidth, kSize, Text::AboutMinimalWidth);
    v("Remove minimal graphic height", o.minimalHeight, kSize, Text::AboutMinimalHeight);
    v("Remove duplicate lines", o.removeDuplicates, kSwitch, Text::AboutRemoveDuplicates);
    v("Merge connected lines", o.mergeConnected, kSwitch, Text::AboutMergeConnected);
    v("Merge connected lines Max size", o.mergeMaxSize, kSize, Text::AboutMergeMaxSize);
    v("Sort", o.sort, kSwitch, Text::AboutSort);
    v("Sort by", o.sortBy, kSortOrder, Text::AboutSortBy);
    v("Change direction", o.changeDirection, kSwitch, Text::AboutChangeDirection);
    v("Optimize abs", o.optimizeAbs, kSwitch, Text::AboutOptimizeAbs);
    v("Auto optimize units", o.autoUnits, kSwitch, Text::AboutAutoUnits);
    v("Auto optimize units Plt", o.pltUnits, kPlotterUnits, Text::AboutPltUnits);
    v("Hatch outlines", o.hatchOutlines, kSwitch, Text::AboutHatchOutlines);
    v("Inner shapes first", o.innerFirst, kSwitch, Text::AboutInnerFirst);
}

template <class Visitor>
void describeView(Visitor& v, ViewSettings& w) {
    using namespace rules;
    v("Show closs", w.showClose, kSwitch, Text::AboutShowClose);
    v("Show abs", w.showAbs, kSwitch, Text::AboutShowAbs);
    v("Show order", w.showOrder, kSwitch, Text::AboutShowOrder);
    v("Show startpt", w.showStartPoint, kSwitch, Text::AboutShowStartPoint);
    v("Show direction", w.showDirection, kSwitch, Text::AboutShowDirection);
    v("Show gcode", w.showGcode, kSwitch, Text::AboutShowGcode);
    v("Show grids", w.showGrids, kSwitch, Text::AboutShowGrids);
    v("Show depth", w.showDepth, kSwitch, Text::AboutShowDepth);
    v("Show StatusBar", w.showStatusBar, kSwitch, Text::AboutShowStatusBar);
    v("Gcode width", w.gcodeWidth, kPanelWidth, Text::AboutGcodeWidth);
}

// Every key of the file, in file order: its name, its field, the rule its values follow and
// what it holds.
template <class Visitor>
void describe(Visitor& v, Settings& s) {
    v.section("Auto connect");
    v("Auto connect", s.connection.autoConnect, rules::kSwitch, Text::AboutAutoConnect);
    v("Auto IP", s.connection.autoIp, Text::AboutAutoIp);
    v.section("Auto optimize");
    describeOptimize(v, s.optimize);
    v.section("Process parameters");
    describeProcess(v, s.process);
    v.actions(s.actions);
    v.section("Simulation");
    v("Simulation speed", s.simulationSpeed, rules::kSimulationSpeed, Text::AboutSimulationSpeed);
    v.section("View");
    describeView(v, s.view);
}

// The value of every field that has a rule, in description order.
class RuledValues {
  public:
    void section(const char*) {}
    template <class T>
    void operator()(const std::string&, T& field, const ValueRule&, Text) {
        values.push_back(static_cast<double>(field));
    }
    template <class T>
    void operator()(const std::string&, T&&, Text) {}
    void actions(std::vector<Action>&) {}

    std::vector<double> values;
};

// The same rules over values in memory: each value its rule refuses is replaced by the default
// of its field, the defaults walked in step.
class Checker {
  public:
    explicit Checker(const std::vector<double>& defaults) : defaults_(defaults) {}
    void section(const char*) {}
    template <class T>
    void operator()(const std::string& key, T& field, const ValueRule& rule, Text) {
        const double fallback = defaults_[next_++];
        const double value = static_cast<double>(field);
        if (rule.allows(value)) return;
        problems.push_back({key, numberText(value), &rule, numberText(fallback)});
        field = static_cast<T>(fallback);
    }
    template <class T>
    void operator()(const std::string&, T&&, Text) {}
    void actions(std::vector<Action>&) {}

    std::vector<SettingProblem> problems;

  private:
    const std::vector<double>& defaults_;
    size_t next_ = 0;
};

template <class Part, class Describe>
std::vector<SettingProblem> keepValid(Part& part, Describe describePart) {
    static const std::vector<double> defaults = [&] {
        Part fresh{};
        RuledValues collect;
        describePart(collect, fresh);
        return collect.values;
    }();
    Checker checker(defaults);
    describePart(checker, part);
    return std::move(checker.problems);
}

// Finds the rule of one field by its address.
class RuleFinder {
  public:
    explicit RuleFinder(const void* field) : field_(field) {}
    void section(const char*) {}
    template <class T>
    void operator()(const std::string&, T& field, const ValueRule& rule, Text) {
        if (static_cast<const void*>(&field) == field_) found_ = &rule;
    }
    template <class T>
    void operator()(const std::string&, T&&, Text) {}
    void actions(std::vector<Action>&) {}
    const ValueRule* found() const { return found_; }

  private:
    const void* field_;
    const ValueRule* found_ = nullptr;
};

// Builds the table of keys from the description over the default settings.
class TableBuilder {
  public:
    explicit TableBuilder(std::vector<SettingEntry>& table) : table_(table) {}
    void section(const char* name) { section_ = name; }
    template <class T>
    void operator()(const std::string& key, T& field, const ValueRule& rule, Text about) {
        const SettingType type = std::is_same_v<T, bool>  ? SettingType::Switch
                                 : std::is_same_v<T, int> ? SettingType::Integer
                                                          : SettingType::Number;
        table_.push_back({section_, key, type, &rule, fileText(field), about});
    }
    void operator()(const std::string& key, std::string& field, Text about) {
        table_.push_back({section_, key, SettingType::Text, nullptr, field, about});
    }
    void operator()(const std::string& key, PresetText field, Text about) {
        table_.push_back({section_, key, SettingType::Lines, nullptr, field.text, about});
    }
    void actions(std::vector<Action>&) {}

  private:
    std::vector<SettingEntry>& table_;
    const char* section_ = "";
};

}  // namespace

Settings readSettings(const ProfileFile& profile, std::vector<SettingProblem>* problems) {
    Settings settings;
    Reader reader(profile, problems);
    describe(reader, settings);
    return settings;
}

void writeSettings(const Settings& settings, ProfileFile& profile) {
    Settings copy = settings;  // the description binds mutable fields
    Writer writer(profile);
    describe(writer, copy);
}

Settings loadSettings(const std::string& path, std::vector<SettingProblem>* problems) {
    return readSettings(ProfileFile::load(path), problems);
}

const std::vector<SettingEntry>& settingTable() {
    static const std::vector<SettingEntry> table = [] {
        std::vector<SettingEntry> entries;
        Settings defaults;
        TableBuilder builder(entries);
        describe(builder, defaults);
        return entries;
    }();
    return table;
}

const SettingEntry* findSetting(std::string_view key) {
    for (const SettingEntry& entry : settingTable())
        if (sameTextIgnoringCase(entry.key, key)) return &entry;
    return nullptr;
}

std::string problemText(const SettingProblem& problem) {
    return filledText(text(Text::DefaultUsed),
                      {{"%1", refusalText(*problem.rule, problem.value, problem.key)},
                       {"%2", problem.defaultValue}});
}

std::vector<SettingProblem> keepValidValues(Settings& settings) {
    return keepValid(settings, [](auto& v, Settings& s) { describe(v, s); });
}

std::vector<SettingProblem> keepValidValues(ProcessSettings& process) {
    return keepValid(process, [](auto& v, ProcessSettings& p) { describeProcess(v, p); });
}

const ValueRule* ruleOfField(const ProcessSettings& process, const void* field) {
    RuleFinder finder(field);
    describeProcess(finder, const_cast<ProcessSettings&>(process));
    return finder.found();
}

int panelWidthFromSetting(int stored, double scale) {
    return static_cast<int>(std::trunc(stored * scale));
}

int settingFromPanelWidth(int width, double scale) {
    return scale > 0 ? static_cast<int>(std::trunc(width / scale)) : width;
}

}  // namespace pathloom
