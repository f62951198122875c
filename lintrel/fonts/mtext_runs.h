// MTEXT formatting: the text of an MTEXT split into runs, pieces of text with one font, height,
// width factor, oblique angle and tracking, each on a numbered line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lintrel::fonts {

struct MTextRun {
    std::string text;  // UTF-8
    std::string font;  // empty: the MTEXT's style font
    double height = 0;
    double widthFactor = 1;
    double oblique = 0;  // degrees
    double tracking = 1;
    int line = 0;
    bool stacked = false;
};

// Splits MTEXT text (groups 3 and 1 joined, escapes expanded) into runs; `height` is the
// MTEXT's height (group 40). Empty runs are dropped.
std::vector<MTextRun> splitMText(std::string_view text, double height);

// The font name a run records: its font, with ";\T<factor>" appended when tracking applies.
std::string runFontName(const MTextRun& run);

}  // namespace lintrel::fonts
