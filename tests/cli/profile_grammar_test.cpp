// The golden drawings' programs in each controller's output profile, read against that
// controller's grammar: the words it accepts, one motion word a line, a feed before the first
// cut, no word its parser would leave unused, S within the profile's maximum, and for the lasers
// and the plotter the tool off on every travel move.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/codegen/output_profile.h"
#include "core/document/pipeline.h"
#include "core/settings/settings.h"

namespace pathloom {
namespace {

struct Word {
    char letter;
    double value;
};

// The words of a line without its comments; nullopt when a word has no valid number.
std::optional<std::vector<Word>> words(const std::string& line) {
    std::string text;
    int depth = 0;
    for (const char c : line) {
        if (c == ';' && depth == 0) break;
        if (c == '(') ++depth;
        if (depth == 0 && c != '\r') text += c;
        if (c == ')' && depth > 0) --depth;
    }
    std::vector<Word> result;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (!std::isupper(static_cast<unsigned char>(text[i]))) return std::nullopt;
        const char letter = text[i++];
        size_t end = i;
        while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                     text[end] == '.' || text[end] == '-'))
            ++end;
        const std::string number = text.substr(i, end - i);
        size_t used = 0;
        try {
            result.push_back({letter, std::stod(number, &used)});
        } catch (const std::exception&) {
            return std::nullopt;
        }
        if (used != number.size()) return std::nullopt;
        i = end;
    }
    return result;
}

struct Grammar {
    std::string letters;
    std::set<double> gWords;
    std::set<double> mWords;
    std::set<double> motionWords;  // one of them at most per line
    std::optional<double> pWith;   // the G word besides G4 that takes a P (LinuxCNC's G64)
    bool toolOffOnTravel = false;
    int sMax = 0;
};

const std::set<double> kMotion = {0, 1, 2, 3};

Grammar grblGrammar(bool laser) {
    std::set<double> g = {0,  1,    2,    3,    4,    10, 17,   18, 19, 20, 21,  28,
                          30, 38.2, 38.3, 38.4, 38.5, 40, 49,   53, 54, 55, 56,  57,
                          58, 59,   61,   80,   90,   91, 91.1, 92, 93, 94, 43.1};
    return {"GMFIJKLNPRSTXYZ", g, {0, 1, 2, 30, 3, 4, 5, 7, 8, 9, 56}, kMotion, {}, laser, 1000};
}

Grammar linuxCncGrammar() {
    std::set<double> g = {0,  1,  2,  3,  4,  10, 17, 18, 19, 20, 21, 28, 30, 33, 40, 41,
                          42, 43, 49, 53, 54, 55, 56, 57, 58, 59, 61, 64, 73, 76, 80, 81,
                          82, 83, 85, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99};
    std::set<double> motion = {0, 1, 2, 3, 33, 73, 76, 80, 81, 82, 83, 85, 89};
    return {"ABCDFGHIJKLMNPQRSTUVWXYZ",
            g,
            {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 30, 60},
            motion,
            64,
            false,
            1000};
}

Grammar marlinGrammar() {
    return {"GMXYZFSP", {0, 1, 4, 90, 91}, {84, 106, 107}, kMotion, {}, true, 255};
}

std::string profileProgram(const std::string& drawing, int profile) {
    const std::string own = PATHLOOM_SOURCE_DIR "/tests/golden/settings/" +
                            std::filesystem::path(drawing).filename().string() + ".ini";
    Settings settings = std::filesystem::exists(own) ? loadSettings(own) : Settings{};
    settings.process.machine.codeType = 1;
    settings.process.machine.outputProfile = profile;
    Document document;
    SilentSink sink;
    if (openDrawing(document, drawing, settings, nullptr, sink) != OpenResult::Done) return {};
    return document.code();
}

bool has(const std::vector<Word>& line, char letter) {
    return std::any_of(line.begin(), line.end(), [&](const Word& w) { return w.letter == letter; });
}

// Every fault of `program` against `grammar`, one text each; none for a sound program.
std::vector<std::string> faults(const std::string& program, const Grammar& grammar) {
    std::vector<std::string> found;
    std::istringstream lines(program);
    std::string line;
    bool feedSet = false, toolOn = false, cutWithTool = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string at = "line " + std::to_string(number) + " '" + line + "': ";
        const auto parsed = words(line);
        if (!parsed) {
            found.push_back(at + "not a list of words");
            continue;
        }
        int motions = 0;
        std::optional<double> motion, gWithP;
        std::set<char> seen;
        for (const Word& w : *parsed) {
            if (grammar.letters.find(w.letter) == std::string::npos)
                found.push_back(at + "letter " + w.letter + " is not accepted");
            if (w.letter != 'G' && w.letter != 'M' && !seen.insert(w.letter).second)
                found.push_back(at + "word " + w.letter + " given twice");
            if (w.letter == 'G' && !grammar.gWords.count(w.value))
                found.push_back(at + "G" + std::to_string(w.value) + " is not accepted");
            if (w.letter == 'M' && !grammar.mWords.count(w.value))
                found.push_back(at + "M" + std::to_string(w.value) + " is not accepted");
            if (w.letter == 'G' && grammar.motionWords.count(w.value)) {
                ++motions;
                motion = w.value;
            }
            if (w.letter == 'G' && (w.value == 4 || w.value == grammar.pWith)) gWithP = w.value;
            if (w.letter == 'S' && (w.value < 0 || w.value > grammar.sMax))
                found.push_back(at + "S outside 0 to " + std::to_string(grammar.sMax));
            if (w.letter == 'F') feedSet = true;
            if (w.letter == 'M' && (w.value == 5 || w.value == 107)) toolOn = false;
            if (w.letter == 'M' && (w.value == 3 || w.value == 4 || w.value == 106)) toolOn = true;
        }
        if (has(*parsed, 'S') && !has(*parsed, 'M'))
            found.push_back(at + "S without the word that uses it");
        if (has(*parsed, 'S') && toolOn)
            for (const Word& w : *parsed)
                if (w.letter == 'S' && w.value == 0) toolOn = false;
        if (motions > 1) found.push_back(at + "more than one motion word");
        if (has(*parsed, 'P') != gWithP.has_value())
            found.push_back(at + "P without G4 or G64, or G4 without P");
        const bool arc = motion == 2.0 || motion == 3.0;
        if ((has(*parsed, 'I') || has(*parsed, 'J')) != arc)
            found.push_back(at + "I and J belong to arcs only, and every arc needs them");
        if (has(*parsed, 'K')) found.push_back(at + "K has no use in the XY plane");
        if (motion && *motion != 0 && !feedSet)
            found.push_back(at + "a cut before any feed is set");
        if (motion == 0.0 && toolOn && grammar.toolOffOnTravel)
            found.push_back(at + "travel with the tool on");
        if (motion && *motion != 0 && toolOn) cutWithTool = true;
    }
    if (!cutWithTool) found.push_back("no cut with the tool on");
    return found;
}

std::vector<std::string> goldenDrawings() {
    std::vector<std::string> paths;
    for (const auto& entry :
         std::filesystem::directory_iterator(PATHLOOM_SOURCE_DIR "/tests/golden/inputs"))
        paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

void expectGrammar(const char* profileName, const Grammar& grammar) {
    const std::optional<int> profile = outputProfileIndex(profileName);
    ASSERT_TRUE(profile) << profileName;
    for (const std::string& drawing : goldenDrawings()) {
        const std::string program = profileProgram(drawing, *profile);
        ASSERT_FALSE(program.empty()) << drawing;
        for (const std::string& fault : faults(program, grammar))
            ADD_FAILURE() << profileName << ", " << drawing << ": " << fault;
    }
}

TEST(ProfileGrammar, GrblProgramsUseOnlyGrblWordsWithinTheirPower) {
    expectGrammar("grbl-laser", grblGrammar(true));
    expectGrammar("grbl-spindle", grblGrammar(false));
}

TEST(ProfileGrammar, LinuxCncAndMachProgramsFollowRs274ngc) {
    expectGrammar("linuxcnc", linuxCncGrammar());
    expectGrammar("mach", linuxCncGrammar());
}

TEST(ProfileGrammar, MarlinProgramsUseOnlyMovesDwellsAndTheFan) {
    expectGrammar("marlin", marlinGrammar());
}

// The checks themselves: each fault they exist for is found.
TEST(ProfileGrammar, FaultsAreFound) {
    const Grammar laser = grblGrammar(true);
    EXPECT_TRUE(faults("G1 X1 F100\r\nM4 S10\r\nG1 X2\r\nM5\r\n", laser).empty());
    const auto count = [&](const std::string& program) { return faults(program, laser).size(); };
    EXPECT_EQ(count("M4 S10\r\nG1 X2 F10\r\nG0 X0\r\n"), 1u);           // travel with the laser on
    EXPECT_EQ(count("M4 S1001\r\nG1 X2 F10\r\n"), 1u);                  // S above the maximum
    EXPECT_EQ(count("M4 S10\r\nG1 X2\r\nG1 X3 F10\r\n"), 1u);           // no feed yet
    EXPECT_EQ(count("M4 S10\r\nG1 X2 F10\r\nG64 P0.1\r\n"), 2u);        // G64, P without G4
    EXPECT_EQ(count("M4 S10\r\nG0 G1 X2 F10\r\nM5\r\n"), 1u);           // two motion words
    EXPECT_EQ(count("M4 S10\r\nG2 X2 Y0 I1 J0 K0 F10\r\nM5\r\n"), 1u);  // K
    EXPECT_EQ(count("M4 S10\r\nG1 X2 F10\r\nM4 S0\r\nG0 X0\r\n"), 0u);  // S0 switches M4 off
    EXPECT_EQ(count("M4 S10\r\nG1 X2 F10\r\nM2 X\r\n"), 1u);            // a word without a number
    EXPECT_EQ(faults("M106 S10\r\nG1 X2 F10\r\nM2\r\n", marlinGrammar()).size(), 1u);  // M2
}

}  // namespace
}  // namespace pathloom
