// The table of settings and the rules of their values: every key with its section, rule, default
// and words; the refusals in both languages; a settings file with bad values (each reported once,
// its default used, everything else kept when the file is written back); and the same rules over
// values in memory.
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>
#include <vector>

#include "core/settings/settings.h"
#include "pathloom/in_language.h"

namespace pathloom {
namespace {

using test::InLanguage;

TEST(SettingTable, EveryKeyHasItsSectionRuleDefaultAndWords) {
    const std::vector<SettingEntry>& table = settingTable();
    EXPECT_EQ(table.size(), 2u + 16u + 23u + 20u * 27u + 1u + 10u);
    std::set<std::string> keys;
    for (const SettingEntry& entry : table) {
        EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
        const bool isText = entry.type == SettingType::Text || entry.type == SettingType::Lines;
        EXPECT_EQ(entry.rule == nullptr, isText) << entry.key;
        // Every default is a value its own rule allows, so a fresh file reads without a warning.
        if (entry.rule) {
            EXPECT_TRUE(allowedValue(*entry.rule, entry.defaultValue)) << entry.key;
        }
        EXPECT_FALSE(text(entry.description, Language::English).empty()) << entry.key;
        EXPECT_FALSE(text(entry.description, Language::Chinese).empty()) << entry.key;
    }
    const SettingEntry* hatch = findSetting("Hatch outlines");
    ASSERT_TRUE(hatch);
    EXPECT_EQ(hatch->section, "Auto optimize");
    EXPECT_EQ(hatch->defaultValue, "0");
    const SettingEntry* speed = findSetting("speed7");
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->key, "Speed7");
    EXPECT_EQ(speed->section, "Process parameters");
    EXPECT_EQ(speed->rule, &rules::kSpeed);
    EXPECT_EQ(speed->defaultValue, "200.000000");
    EXPECT_EQ(std::string(speed->rule->unit), "mm/s");
    EXPECT_EQ(findSetting("Sort by")->type, SettingType::Integer);
    EXPECT_EQ(findSetting("Sort by")->section, "Auto optimize");
    EXPECT_EQ(findSetting("Auto IP")->type, SettingType::Text);
    EXPECT_EQ(findSetting("end action20")->type, SettingType::Lines);
    EXPECT_EQ(findSetting("Show grids")->rule, &rules::kSwitch);
    EXPECT_FALSE(findSetting("Speed21"));
    EXPECT_FALSE(findSetting("Pen up"));  // user actions are not settings
}

struct Verdict {
    const char* key;
    const char* value;
    bool allowed;
};

TEST(ValueRules, LimitsOfEachKindOfValue) {
    for (const auto& [key, value, allowed] :
         std::vector<Verdict>{{"Speed1", "0.001", true},
                              {"Speed1", "0", false},
                              {"Speed1", "-5", false},
                              {"Speed1", "abc", false},
                              {"Speed1", "", false},
                              {"Speed1", "5mm", false},
                              {"Empty speed", "1e999", false},
                              {"Empty speed", " +250 ", true},
                              {"Empty accel", "nan", false},
                              {"Move decel", "0.5", true},
                              {"X-axis num", "63", true},
                              {"X-axis num", "64", false},
                              {"R-axis num9", "2.5", false},
                              {"Z-axis num1", "-1", false},
                              {"Work height2", "-3", true},
                              {"Uplift height2", "1e300", false},
                              {"Ref accuracy4", "0", false},
                              {"Smoothing accuracy", "0.01", true},
                              {"Remove minimal graphic width", "0", true},
                              {"Remove minimal graphic height", "-5", false},
                              {"Merge connected lines Max size", "1e300", false},
                              {"Auto optimize units Plt", "1016", true},
                              {"Auto optimize units Plt", "0", false},
                              {"Sort by", "8", true},
                              {"Sort by", "12", false},
                              {"Show code type", "1", true},
                              {"Show code type", "2", false},
                              {"Move type3", "1", true},
                              {"Move type3", "-1", false},
                              {"Sort", "1", true},
                              {"Sort", "2", false},
                              {"Simulation speed", "1000", true},
                              {"Simulation speed", "0", false},
                              {"Gcode width", "533", true},
                              {"Gcode width", "-1", false}}) {
        const SettingEntry* entry = findSetting(key);
        ASSERT_TRUE(entry && entry->rule) << key;
        EXPECT_EQ(allowedValue(*entry->rule, value).has_value(), allowed) << key << "=" << value;
    }
}

TEST(ValueRules, RefusalsNameTheKeyTheValueAndWhatIsAllowed) {
    const InLanguage english(Language::English);
    EXPECT_EQ(refusalText(rules::kSpeed, "-5", "Speed1"),
              "Speed1: -5 is not a speed; a speed is a number above 0 in mm/s");
    EXPECT_EQ(refusalText(rules::kAxis, "77", "X-axis num"),
              "X-axis num: 77 is not an axis number; an axis number is a whole number from 0 to "
              "63");
    EXPECT_EQ(refusalText(rules::kSortOrder, "12", "Sort by"),
              "Sort by: 12 is not a sort order; a sort order is 0 (grid sort), 1 to 7 (the "
              "automatic sort modes) or 8 (shortest travel)");
    EXPECT_EQ(refusalText(rules::kSize, "-5"),
              "-5 is not a size; a size is a number from 0 to 100000 in mm");
    // A value is shown as it was given, placeholders and all.
    EXPECT_EQ(refusalText(rules::kSwitch, "%1", "Sort"),
              "Sort: %1 is not a switch; a switch is 0 (off) or 1 (on)");
    const InLanguage chinese(Language::Chinese);
    EXPECT_EQ(refusalText(rules::kSpeed, "-5", "Speed1"),
              "Speed1：-5 不是有效的速度；速度须为大于 0 的数，单位 mm/s");
    EXPECT_EQ(refusalText(rules::kAxis, "77"), "77 不是有效的轴号；轴号须为 0 到 63 的整数");
}

TEST(SettingsFile, BadValuesAreReportedOnceTheirDefaultsUsedAndTheRestKept) {
    const InLanguage english(Language::English);
    const ProfileFile file = ProfileFile::parse(
        "; my machine\r\n[Auto optimize]\r\nSort by=12\r\nRemove minimal graphic width=1e300\r\n"
        "Merge connected lines Max size=0.3\r\nMy sort notes=keep me\r\n"
        "[Process parameters]\r\nSpeed1=-5\r\nSpeed2=150\r\nX-axis num=77\r\nY-axis num=5\r\n"
        "Empty accel=abc\r\nWork height3=-2.5\r\n[Spindle]\r\nRPM=12000\r\n");
    std::vector<SettingProblem> problems;
    const Settings s = readSettings(file, &problems);

    struct Expected {
        const char* key;
        const char* value;
    };
    const std::vector<Expected> expected = {{"Remove minimal graphic width", "1e300"},
                                            {"Sort by", "12"},
                                            {"X-axis num", "77"},
                                            {"Empty accel", "abc"},
                                            {"Speed1", "-5"}};
    ASSERT_EQ(problems.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(problems[i].key, expected[i].key);
        EXPECT_EQ(problems[i].value, expected[i].value);
    }
    EXPECT_EQ(problemText(problems[4]),
              "Speed1: -5 is not a speed; a speed is a number above 0 in mm/s; the default 200 "
              "is used");
    EXPECT_EQ(problemText(problems[2]),
              "X-axis num: 77 is not an axis number; an axis number is a whole number from 0 to "
              "63; the default 0 is used");

    // The defaults stand in for the refused values; the others are read as they are.
    const Settings defaults;
    EXPECT_EQ(s.optimize.sortBy, defaults.optimize.sortBy);
    EXPECT_EQ(s.optimize.minimalWidth, defaults.optimize.minimalWidth);
    EXPECT_EQ(s.process.presets[0].speed, 200.0);
    EXPECT_EQ(s.process.machine.xAxis, 0);
    EXPECT_EQ(s.process.machine.emptyAccel, 1000.0);
    EXPECT_EQ(s.optimize.mergeMaxSize, 0.3);
    EXPECT_EQ(s.process.presets[1].speed, 150.0);
    EXPECT_EQ(s.process.machine.yAxis, 5);
    EXPECT_EQ(s.process.presets[2].workHeight, -2.5);

    // Written back, the file keeps what the program does not know and every other value; the
    // refused values give way to their defaults, so the next reading reports nothing.
    ProfileFile written = file;
    writeSettings(s, written);
    EXPECT_EQ(written.text().find("; my machine\r\n"), 0u);
    EXPECT_EQ(written.get("Auto optimize", "My sort notes"), "keep me");
    EXPECT_EQ(written.get("Spindle", "RPM"), "12000");
    EXPECT_EQ(written.get("Process parameters", "Speed1"), "200.000000");
    EXPECT_EQ(written.get("Process parameters", "Speed2"), "150.000000");
    EXPECT_EQ(written.get("Process parameters", "Y-axis num"), "5");
    EXPECT_EQ(written.get("Auto optimize", "Merge connected lines Max size"), "0.300000");
    std::vector<SettingProblem> again;
    EXPECT_EQ(readSettings(ProfileFile::parse(written.text()), &again), s);
    EXPECT_TRUE(again.empty());

    // A file of valid values reads without a word, as it always did.
    std::vector<SettingProblem> none;
    ProfileFile fresh;
    writeSettings(Settings{}, fresh);
    EXPECT_EQ(readSettings(fresh, &none), Settings{});
    EXPECT_TRUE(none.empty());
}

TEST(SettingsInMemory, RefusedValuesGiveWayToTheirDefaults) {
    ProcessSettings process;
    process.machine.emptySpeed = 0;
    process.machine.moveDecel = -1;
    process.presets[4].zAxis = 77;
    process.presets[6].speed = std::numeric_limits<double>::infinity();
    process.presets[6].workHeight = -7;  // allowed
    const std::vector<SettingProblem> problems = keepValidValues(process);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].key, "Empty speed");
    EXPECT_EQ(problems[1].key, "Move decel");
    EXPECT_EQ(problems[2].key, "Z-axis num5");
    EXPECT_EQ(problems[2].value, "77");
    EXPECT_EQ(problems[3].key, "Speed7");
    EXPECT_EQ(process.machine.emptySpeed, 500.0);
    EXPECT_EQ(process.machine.moveDecel, 1000.0);
    EXPECT_EQ(process.presets[4].zAxis, 3);
    EXPECT_EQ(process.presets[6].speed, 200.0);
    EXPECT_EQ(process.presets[6].workHeight, -7);
    EXPECT_TRUE(keepValidValues(process).empty());

    Settings settings;
    settings.simulationSpeed = 0;
    settings.view.gcodeWidth = -4;
    EXPECT_EQ(keepValidValues(settings).size(), 2u);
    EXPECT_EQ(settings, Settings{});

    EXPECT_EQ(ruleOfField(process, &process.presets[3].speed), &rules::kSpeed);
    EXPECT_EQ(ruleOfField(process, &process.machine.xAxis), &rules::kAxis);
    EXPECT_EQ(ruleOfField(process, &process.machine.processFilename), nullptr);
    EXPECT_EQ(ruleOfField(process, &settings.simulationSpeed), nullptr);
}

}  // namespace
}  // namespace pathloom
