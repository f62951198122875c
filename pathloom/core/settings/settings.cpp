// The settings file's sections and keys. One description of every key serves both reading and
// writing, so the two can never disagree on a name, a type or an order.
#include "core/settings/settings.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace pathloom {
namespace {

constexpr const char* kUserAction = "User action";

struct PresetText {
    std::string& text;
};

int readInt(const std::string& value) {
    const long n = std::strtol(value.c_str(), nullptr, 10);
    if (n > INT_MAX) return INT_MAX;
    if (n < INT_MIN) return INT_MIN;
    return static_cast<int>(n);
}

double readDouble(const std::string& value) {
    const double d = std::strtod(value.c_str(), nullptr);
    return std::isfinite(d) ? d : 0.0;
}

std::string writeDouble(double value) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%lf", value);
    return buffer;
}

// Reads each described key into its field.
class Reader {
  public:
    explicit Reader(const ProfileFile& profile) : profile_(profile) {}
    void section(const char* name) { section_ = name; }
    void operator()(const std::string& key, bool& field) {
        if (auto v = profile_.get(section_, key)) field = readInt(*v) != 0;
    }
    void operator()(const std::string& key, int& field) {
        if (auto v = profile_.get(section_, key)) field = readInt(*v);
    }
    void operator()(const std::string& key, double& field) {
        if (auto v = profile_.get(section_, key)) field = readDouble(*v);
    }
    void operator()(const std::string& key, std::string& field) {
        if (auto v = profile_.get(section_, key)) field = *v;
    }
    void operator()(const std::string& key, PresetText field) {
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
    const char* section_ = "";
};

// Writes each described key from its field.
class Writer {
  public:
    explicit Writer(ProfileFile& profile) : profile_(profile) {}
    void section(const char* name) { section_ = name; }
    void operator()(const std::string& key, bool field) { put(key, field ? "1" : "0"); }
    void operator()(const std::string& key, int field) { put(key, std::to_string(field)); }
    void operator()(const std::string& key, double field) { put(key, writeDouble(field)); }
    void operator()(const std::string& key, const std::string& field) { put(key, field); }
    void operator()(const std::string& key, PresetText field) {
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

template <class Visitor, class S>
void describePreset(Visitor& v, S& p, int n) {
    const std::string k = std::to_string(n);
    v("Use Z-axis" + k, p.useZ);
    v("Z-axis num" + k, p.zAxis);
    v("Dot lift" + k, p.dotLift);
    v("Work height" + k, p.workHeight);
    v("Uplift height" + k, p.upliftHeight);
    v("Use R-axis" + k, p.useR);
    v("R-axis num" + k, p.rAxis);
    v("Ref accuracy" + k, p.refAccuracy);
    v("Speed" + k, p.speed);
    v("Move type" + k, p.moveType);
    v("Circ to seg" + k, p.circToSeg);
    v("Before processing" + k, PresetText{p.beforeProcessing});
    v("After processing" + k, PresetText{p.afterProcessing});
    v("start action" + k, PresetText{p.startAction});
    v("end action" + k, PresetText{p.endAction});
}

// Every key of the file, in file order.
template <class Visitor>
void describe(Visitor& v, Settings& s) {
    v.section("Auto connect");
    v("Auto connect", s.connection.autoConnect);
    v("Auto IP", s.connection.autoIp);

    AutoOptimizeSettings& o = s.optimize;
    v.section("Auto optimize");
    v("Curve smoothing", o.curveSmoothing);
    v("Smoothing accuracy", o.smoothingAccuracy);
    v("Remove minimal graphics", o.removeMinimal);
    v("Remove minimal graphic width", o.minimalWidth);
    v("Remove minimal graphic height", o.minimalHeight);
    v("Remove duplicate lines", o.removeDuplicates);
    v("Merge connected lines", o.mergeConnected);
    v("Merge connected lines Max size", o.mergeMaxSize);
    v("Sort", o.sort);
    v("Sort by", o.sortBy);
    v("Change direction", o.changeDirection);
    v("Optimize abs", o.optimizeAbs);
    v("Auto optimize units", o.autoUnits);
    v("Auto optimize units Plt", o.pltUnits);

    MachineParameters& m = s.process.machine;
    v.section("Process parameters");
    v("X-axis num", m.xAxis);
    v("Y-axis num", m.yAxis);
    v("Empty speed", m.emptySpeed);
    v("Empty accel", m.emptyAccel);
    v("Empty decel", m.emptyDecel);
    v("Move accel", m.moveAccel);
    v("Move decel", m.moveDecel);
    v("Show code type", m.codeType);
    v("process filename", m.processFilename);
    v("Return FirstPos", m.returnFirstPos);
    for (int n = 1; n <= kPresetCount; ++n)
        describePreset(v, s.process.presets[static_cast<size_t>(n - 1)], n);

    v.actions(s.actions);

    v.section("Simulation");
    v("Simulation speed", s.simulationSpeed);

    ViewSettings& w = s.view;
    v.section("View");
    v("Show closs", w.showClose);
    v("Show abs", w.showAbs);
    v("Show order", w.showOrder);
    v("Show startpt", w.showStartPoint);
    v("Show direction", w.showDirection);
    v("Show gcode", w.showGcode);
    v("Show grids", w.showGrids);
    v("Show StatusBar", w.showStatusBar);
    v("Gcode width", w.gcodeWidth);
}

}  // namespace

Settings readSettings(const ProfileFile& profile) {
    Settings settings;
    Reader reader(profile);
    describe(reader, settings);
    // A file from elsewhere may name a sort this program does not have.
    int& sortBy = settings.optimize.sortBy;
    if (sortBy < kSortByGrid || sortBy > kSortByShortestTravel) sortBy = kSortByDefault;
    return settings;
}

void writeSettings(const Settings& settings, ProfileFile& profile) {
    Settings copy = settings;  // the description binds mutable fields
    Writer writer(profile);
    describe(writer, copy);
}

Settings loadSettings(const std::string& path) {
    return readSettings(ProfileFile::load(path));
}

int panelWidthFromSetting(int stored, double scale) {
    return static_cast<int>(std::trunc(stored * scale));
}

int settingFromPanelWidth(int width, double scale) {
    return scale > 0 ? static_cast<int>(std::trunc(width / scale)) : width;
}

}  // namespace pathloom
