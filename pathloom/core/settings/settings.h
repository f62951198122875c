// Every persistent setting of the program as one plain value, and its settings file: defaults,
// the file's sections and keys, the encodings of multi-line texts, and where the file lives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/presets/actions.h"
#include "core/presets/process.h"
#include "core/presets/stored_text.h"
#include "core/settings/profile_file.h"
#include "core/settings/value_rules.h"

namespace pathloom {

struct ConnectionSettings {
    bool autoConnect = false;
    std::string autoIp = "127.0.0.1";

    bool operator==(const ConnectionSettings&) const = default;
};

// "Sort by" values: the grid sort, the default nearest-neighbour sort and the last choice.
inline constexpr int kSortByGrid = 0;
inline constexpr int kSortByDefault = 1;
inline constexpr int kSortByShortestTravel = 8;

// The automatic steps run after every import.
struct AutoOptimizeSettings {
    bool curveSmoothing = true;
    double smoothingAccuracy = 0.05;
    bool removeMinimal = true;
    double minimalWidth = 0.5;
    double minimalHeight = 0.5;
    bool removeDuplicates = true;
    bool mergeConnected = true;
    double mergeMaxSize = 0.1;
    bool sort = true;
    int sortBy = 1;  // 0 grid sort, 1 to 7 automatic sort modes, 8 shortest travel
    bool changeDirection = true;
    bool optimizeAbs = true;
    bool autoUnits = true;
    double pltUnits = 1016.0;
    bool hatchOutlines = false;  // DXF hatch boundaries imported as closed outlines
    bool innerFirst = false;     // every sort cuts no shape after a closed shape enclosing it

    bool operator==(const AutoOptimizeSettings&) const = default;
};

struct ViewSettings {
    bool showClose = true;
    bool showAbs = false;
    bool showOrder = false;
    bool showStartPoint = true;
    bool showDirection = true;
    bool showGcode = true;
    bool showGrids = true;
    bool showDepth = false;  // closed shapes tinted by their containment depth
    bool showStatusBar = true;
    int gcodeWidth = 400;  // code panel width in pixels at 96 dots per inch

    bool operator==(const ViewSettings&) const = default;
};

struct Settings {
    ConnectionSettings connection;
    AutoOptimizeSettings optimize;
    ProcessSettings process;  // machine parameters and the 20 presets
    std::vector<Action> actions;
    int simulationSpeed = 100;
    ViewSettings view;

    bool operator==(const Settings&) const = default;
};

// A value of the file (or of the settings in memory) that its rule refuses, and the default
// taken in its place.
struct SettingProblem {
    std::string key;
    std::string value;  // as the file holds it
    const ValueRule* rule;
    std::string defaultValue;
};
// "Speed1: -5 is not a speed; a speed is a number above 0 in mm/s; the default 200 is used".
std::string problemText(const SettingProblem& problem);

// Reads every section; missing keys keep their defaults, and so do values their rule refuses,
// each of which is added to `problems` when given.
Settings readSettings(const ProfileFile& profile, std::vector<SettingProblem>* problems = nullptr);
// Writes every section into `profile`, keeping whatever else the file holds.
void writeSettings(const Settings& settings, ProfileFile& profile);

// Loads the settings file; a missing or unreadable file gives the defaults.
Settings loadSettings(const std::string& path, std::vector<SettingProblem>* problems = nullptr);
// Writes the settings into the file at `path` (created with its folder when missing), keeping
// the file's other content. False when the file could not be written; the old file is then
// unchanged.
bool saveSettings(const Settings& settings, const std::string& path);

// The table of keys: every key of the file in file order (the user actions aside), with what it
// holds and the rule of its values.
enum class SettingType { Switch, Integer, Number, Text, Lines };
struct SettingEntry {
    std::string section;
    std::string key;
    SettingType type;
    const ValueRule* rule;     // null for texts, which take any one line
    std::string defaultValue;  // as the file holds it
    Text description;
};
const std::vector<SettingEntry>& settingTable();
// The entry of a key, matched without regard to case as the file matches it; null for a key the
// file does not have.
const SettingEntry* findSetting(std::string_view key);

// Puts the default in place of every value in memory its rule refuses, and returns what was
// replaced. The program writers run this on what they are given.
std::vector<SettingProblem> keepValidValues(Settings& settings);
std::vector<SettingProblem> keepValidValues(ProcessSettings& process);
// The rule of a field of `process`, found by the field's address; null for a text field or an
// address outside `process`.
const ValueRule* ruleOfField(const ProcessSettings& process, const void* field);

// The code panel is stored in 96-dpi pixels; `scale` is the screen's dots per inch over 96.
int panelWidthFromSetting(int stored, double scale);
int settingFromPanelWidth(int width, double scale);

inline constexpr const char* kSettingsFileName = "Setting.ini";

struct SettingsLocation {
    std::string readPath;   // the file to load
    std::string writePath;  // the file to save to
};
// The file lives in the program's folder when that folder is writable; otherwise in
// `configHome`/pathloom (configHome is $XDG_CONFIG_HOME, or `home`/.config when that is unset or
// not absolute). With a read-only program folder the file there, if any, is read until the
// user's own file exists.
SettingsLocation settingsLocation(const std::string& programFolder, const char* configHome,
                                  const char* home);
// The same with the process environment.
SettingsLocation settingsLocation(const std::string& programFolder);

}  // namespace pathloom
