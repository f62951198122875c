// The settings file: defaults and their six-decimal form, round trips of every field, the two
// line-break encodings, names matched without regard to case, the 260-byte value buffer, files
// written on Windows in the GBK code page, the user action section, safe replacement and the
// location rule for read-only installations.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/settings/settings.h"

using namespace pathloom;
namespace fs = std::filesystem;

namespace {

// A fresh folder below the system's temporary folder, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "pathloom-settings-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

TEST(Settings, NoFileGivesDefaultsAndAFullFileWithSixDecimals) {
    TempFolder folder;
    const Settings loaded = loadSettings(folder.file("missing.ini"));
    EXPECT_EQ(loaded, Settings{});
    EXPECT_EQ(loaded.connection.autoIp, "127.0.0.1");
    EXPECT_EQ(loaded.process.presets[19].speed, 200.0);

    ASSERT_TRUE(saveSettings(loaded, folder.file("Setting.ini")));
    const std::string text = readFile(folder.file("Setting.ini"));
    for (const char* line :
         {"[Auto connect]\r\nAuto connect=0\r\nAuto IP=127.0.0.1\r\n",
          "Smoothing accuracy=0.050000\r\n", "Auto optimize units Plt=1016.000000\r\n",
          "Empty speed=500.000000\r\n", "process filename=KORVEL.kvp\r\n", "Speed7=200.000000\r\n",
          "Z-axis num20=3\r\n", "Before processing1=\r\n",
          "[Simulation]\r\nSimulation speed=100\r\n", "Gcode width=400\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    size_t keys = 0;
    for (char c : text)
        keys += c == '=';
    EXPECT_EQ(keys, 2u + 16u + 23u + 20u * 27u + 1u + 10u);
    EXPECT_EQ(text.find("[User action]"), std::string::npos);  // no actions, no section
    EXPECT_EQ(loadSettings(folder.file("Setting.ini")), Settings{});
}

TEST(Settings, AHeightThatReadsAsZeroIsWrittenWithoutASign) {
    TempFolder folder;
    Settings settings;
    settings.process.presets[0].workHeight = -0.0;
    settings.process.presets[1].workHeight = -1e-9;
    settings.process.presets[2].workHeight = -0.25;
    ASSERT_TRUE(saveSettings(settings, folder.file("Setting.ini")));
    const std::string text = readFile(folder.file("Setting.ini"));
    EXPECT_NE(text.find("Work height1=0.000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("Work height2=0.000000\r\n"), std::string::npos);
    EXPECT_NE(text.find("Work height3=-0.250000\r\n"), std::string::npos);
    EXPECT_EQ(text.find("-0.000000"), std::string::npos);
}

TEST(Settings, EveryFieldSurvivesARoundTrip) {
    Settings s;
    s.connection = {true, "192.0.2.7:9000"};
    s.optimize.smoothingAccuracy = 0.125;
    s.optimize.sortBy = 6;
    s.optimize.optimizeAbs = false;
    s.process.machine.codeType = 1;
    s.process.machine.emptySpeed = 123.456789;
    s.process.machine.processFilename = "工件.kvp";
    s.process.presets[2].useR = true;
    s.process.presets[2].rAxis = 9;
    s.process.presets[6].speed = 42.5;
    s.process.presets[19].startAction = "M3\r\nG4 P1";
    s.process.presets[19].endAction = "M5";
    s.actions = {{"Pen up", "OP(1,1)\r\nDELAY(50)"}, {"pen UP", "OP(1,0)"}};
    s.simulationSpeed = 250;
    s.view.showGrids = false;
    s.view.gcodeWidth = 533;
    TempFolder folder;
    ASSERT_TRUE(saveSettings(s, folder.file("Setting.ini")));
    EXPECT_EQ(loadSettings(folder.file("Setting.ini")), s);

    // Writing fewer actions removes the rest; the other sections stay.
    s.actions.resize(1);
    ASSERT_TRUE(saveSettings(s, folder.file("Setting.ini")));
    EXPECT_EQ(loadSettings(folder.file("Setting.ini")).actions, s.actions);
}

TEST(Settings, OutputProfileKeysKeepOlderFilesAsTheyWere) {
    TempFolder folder;
    // A file from before the output profiles: every value it holds reads as before, and the new
    // keys take the defaults that keep the program in its old form.
    {
        std::ofstream old(folder.file("old.ini"), std::ios::binary);
        old << "[Process parameters]\r\nShow code type=1\r\nSpeed3=75.000000\r\n"
               "start action3=M3\\r\\nG4 P1\r\n";
    }
    std::vector<SettingProblem> problems;
    const Settings old = loadSettings(folder.file("old.ini"), &problems);
    EXPECT_TRUE(problems.empty());
    Settings expected;
    expected.process.machine.codeType = 1;
    expected.process.presets[2].speed = 75;
    expected.process.presets[2].startAction = "M3\r\nG4 P1";
    EXPECT_EQ(old, expected);
    EXPECT_EQ(old.process.machine.outputProfile, 0);
    EXPECT_EQ(old.process.presets[2].laserPower, 100.0);

    Settings s;
    s.process.machine.outputProfile = 4;
    s.process.machine.programHeaders[4] = "(job {name})\r\n(on {date})";
    s.process.machine.programFooters[1] = "(done)";
    s.process.presets[5].laserPower = 37.5;
    s.process.presets[5].pierceDelay = 0.2;
    ASSERT_TRUE(saveSettings(s, folder.file("Setting.ini")));
    const std::string text = readFile(folder.file("Setting.ini"));
    EXPECT_NE(text.find("Program header mach=(job {name})\\r\\n(on {date})\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Laser power6=37.500000\r\n"), std::string::npos);
    EXPECT_EQ(loadSettings(folder.file("Setting.ini")), s);

    {
        std::ofstream bad(folder.file("bad.ini"), std::ios::binary);
        bad << "[Process parameters]\r\nOutput profile=6\r\nLaser power1=-1\r\n";
    }
    problems.clear();
    EXPECT_EQ(loadSettings(folder.file("bad.ini"), &problems), Settings{});
    EXPECT_EQ(problems.size(), 2u);
}

TEST(Settings, SortByNamesOneOfTheNineSortsElseTheDefault) {
    for (const auto& [text, expected] :
         {std::pair{"8", 8}, {"0", 0}, {"7", 7}, {"9", 1}, {"10", 1}, {"-1", 1}}) {
        const Settings s = readSettings(
            ProfileFile::parse(std::string("[Auto optimize]\nSort by=") + text + "\n"));
        EXPECT_EQ(s.optimize.sortBy, expected) << text;
    }
    Settings s;
    s.optimize.sortBy = 8;
    ProfileFile profile;
    writeSettings(s, profile);
    EXPECT_EQ(readSettings(profile).optimize.sortBy, 8);
}

TEST(Settings, LineBreakEncodings) {
    Settings s;
    s.process.presets[0].beforeProcessing = "M3\r\nG4 P1";
    s.process.presets[0].afterProcessing = "a\nb\rc";  // any break is stored as CR LF
    s.actions = {{"Two lines", "OP(1,1)\r\nOP(2,1)"}};
    ProfileFile profile;
    writeSettings(s, profile);
    const std::string text = profile.text();
    EXPECT_NE(text.find("Before processing1=M3\\r\\nG4 P1\r\n"), std::string::npos);
    EXPECT_NE(text.find("[User action]\r\nTwo lines=OP(1,1)&OP(2,1)\r\n"), std::string::npos);
    const Settings back = readSettings(ProfileFile::parse(text));
    EXPECT_EQ(back.process.presets[0].beforeProcessing, "M3\r\nG4 P1");
    EXPECT_EQ(back.process.presets[0].afterProcessing, "a\r\nb\r\nc");
    EXPECT_EQ(back.actions, s.actions);
}

TEST(Settings, ReadingFollowsTheProfileRules) {
    const std::string long300(300, 'x');
    // Values are read whole, also beyond the 259 bytes that earlier releases kept.
    const std::string longUtf8 = std::string(258, 'y') + "动";
    const ProfileFile profile = ProfileFile::parse(
        "; written by hand\n[auto OPTIMIZE]\n  optimize ABS = 0 \nSORT BY=abc\n"
        "Smoothing accuracy=nan\nRemove duplicate lines=2\n"
        "[Process parameters]\nEmpty speed=1e999\nprocess filename=\"quoted name\"\n"
        "start action1=" +
        long300 + "\nend action1=" + longUtf8 + "\n");
    std::vector<SettingProblem> problems;
    const Settings s = readSettings(profile, &problems);
    EXPECT_FALSE(s.optimize.optimizeAbs);
    // Values their rules refuse keep the defaults.
    EXPECT_EQ(s.optimize.sortBy, 1);
    EXPECT_EQ(s.optimize.smoothingAccuracy, 0.05);
    EXPECT_TRUE(s.optimize.removeDuplicates);
    EXPECT_EQ(s.process.machine.emptySpeed, 500.0);
    EXPECT_EQ(problems.size(), 4u);
    EXPECT_EQ(s.process.machine.processFilename, "quoted name");
    EXPECT_EQ(s.process.presets[0].startAction, long300);
    EXPECT_EQ(s.process.presets[0].endAction, longUtf8);
    EXPECT_TRUE(s.optimize.curveSmoothing);  // missing keys keep their defaults
    // Text the program does not know survives a rewrite.
    ProfileFile rewritten = profile;
    writeSettings(s, rewritten);
    EXPECT_EQ(rewritten.text().find("; written by hand\r\n"), 0u);
    EXPECT_EQ(rewritten.section("Auto optimize").size(), 16u);
}

TEST(Settings, FilesWrittenOnWindowsInTheGbkCodePage) {
    // "启动" and "工艺" in GBK.
    const std::string gbk =
        "[User action]\r\n\xc6\xf4\xb6\xaf=M3&G4 P1\r\n[Process parameters]\r\n"
        "process filename=\xb9\xa4\xd2\xd5.kvp\r\n";
    const Settings s = readSettings(ProfileFile::parse(gbk));
    ASSERT_EQ(s.actions.size(), 1u);
    EXPECT_EQ(s.actions[0], (Action{"启动", "M3\r\nG4 P1"}));
    EXPECT_EQ(s.process.machine.processFilename, "工艺.kvp");
    // A byte-order mark is not part of the first section name.
    EXPECT_EQ(readSettings(ProfileFile::parse("\xEF\xBB\xBF[Simulation]\nSimulation speed=7"))
                  .simulationSpeed,
              7);
}

TEST(Settings, UserActionSectionLimits) {
    std::string text = "[User action]\n";
    for (int i = 0; i < 35; ++i)
        text += "a" + std::to_string(i) + "=" + (i == 0 ? std::string(2000, 'z') : "t") + "\n";
    const Settings s = readSettings(ProfileFile::parse(text));
    ASSERT_EQ(s.actions.size(), ActionList::kCapacity);
    EXPECT_EQ(s.actions[0].text, std::string(2000, 'z'));  // read whole, never cut
    EXPECT_EQ(s.actions[29].name, "a29");

    ProfileFile profile;
    profile.setSection("User action", {{"same", "1"}, {"SAME", "2"}, {"x=y", "3"}});
    const ProfileEntries entries = ProfileFile::parse(profile.text()).section("user ACTION");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1], (std::pair<std::string, std::string>{"SAME", "2"}));
    // Names are split at the first equals sign, as they always were.
    EXPECT_EQ(entries[2], (std::pair<std::string, std::string>{"x", "y=3"}));
}

TEST(Settings, ValuesCannotInjectLines) {
    ProfileFile profile;
    profile.set("View", "Show gcode", "1\r\n[Evil]\r\nkey=2");
    const ProfileFile back = ProfileFile::parse(profile.text());
    EXPECT_EQ(back.section("Evil").size(), 0u);
    EXPECT_EQ(back.get("View", "Show gcode"), "1  [Evil]  key=2");
    EXPECT_TRUE(profile.deleteSection("view"));
    EXPECT_FALSE(profile.get("View", "Show gcode"));
}

TEST(Settings, AFailedWriteKeepsThePreviousFile) {
    TempFolder folder;
    const std::string path = folder.file("Setting.ini");
    Settings s;
    s.simulationSpeed = 321;
    ASSERT_TRUE(saveSettings(s, path));
    const std::string before = readFile(path);

    // Limit the file size so that the write fails half way.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    s.simulationSpeed = 999;
    const bool saved = saveSettings(s, path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(loadSettings(path).simulationSpeed, 321);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1u);  // no temporary file left behind
}

TEST(Settings, LocationFollowsTheProgramFolder) {
    TempFolder folder;
    const std::string program = folder.file("bin");
    const std::string config = folder.file("config");
    fs::create_directory(program);
    const std::string home = folder.file("home");
    const SettingsLocation writable = settingsLocation(program, config.c_str(), home.c_str());
    EXPECT_EQ(writable.readPath, program + "/Setting.ini");
    EXPECT_EQ(writable.writePath, program + "/Setting.ini");

    // A folder nobody can write to (here: one that does not exist) sends the file to the
    // user's configuration folder, which saving creates.
    const std::string readOnly = folder.file("missing-install");
    const SettingsLocation user = settingsLocation(readOnly, config.c_str(), home.c_str());
    EXPECT_EQ(user.writePath, config + "/pathloom/Setting.ini");
    EXPECT_EQ(user.readPath, user.writePath);
    Settings s;
    s.view.showAbs = true;
    ASSERT_TRUE(saveSettings(s, user.writePath));
    EXPECT_TRUE(loadSettings(user.readPath).view.showAbs);

    // Without XDG_CONFIG_HOME (or with a relative one) the fallback is ~/.config.
    EXPECT_EQ(settingsLocation(readOnly, "relative", folder.path().c_str()).writePath,
              folder.path().string() + "/.config/pathloom/Setting.ini");
    EXPECT_EQ(settingsLocation(readOnly, nullptr, folder.path().c_str()).writePath,
              folder.path().string() + "/.config/pathloom/Setting.ini");

    // A program installed by the package manager keeps its settings with the user even when it
    // could write beside itself (as root), so that no file outlives the package.
    for (const char* installed : {"/usr/bin", "/usr/local/bin", "/bin"})
        EXPECT_EQ(settingsLocation(installed, config.c_str(), home.c_str()).writePath,
                  config + "/pathloom/Setting.ini")
            << installed;
}

TEST(Settings, CodePanelWidthIsStoredAt96Dpi) {
    EXPECT_EQ(settingFromPanelWidth(600, 144.0 / 96), 400);
    EXPECT_EQ(panelWidthFromSetting(400, 144.0 / 96), 600);
    EXPECT_EQ(panelWidthFromSetting(401, 1.25), 501);  // truncated, not rounded
    EXPECT_EQ(settingFromPanelWidth(600, 0), 600);
}
