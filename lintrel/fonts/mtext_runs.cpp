// The MTEXT formatting codes. Attributes live on a stack of at most ten levels; "{" copies the
// current level one deeper, "}" returns. A change of attributes starts a new run at the next
// character. Codes this reader does not draw (colour, alignment, underline) are stepped over.
#include "fonts/mtext_runs.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace lintrel::fonts {

namespace {

struct Level {
    std::string font;
    double height = 0;
    double widthFactor = 1;
    double oblique = 0;
    double tracking = 1;
};

class Splitter {
  public:
    Splitter(std::string_view text, double height) : s_(text) {
        levels_[0].height = height;
        base_ = height;
    }

    std::vector<MTextRun> run() {
        for (i_ = 0; i_ < s_.size(); ++i_) {
            const char c = s_[i_];
            if (c == '{') {
                if (depth_ < 9) {
                    levels_[depth_ + 1] = levels_[depth_];
                    ++depth_;
                }
            } else if (c == '}') {
                if (depth_ >= 1) {
                    levels_[depth_].font.clear();
                    levels_[depth_].height = base_;
                    --depth_;
                    changed_ = true;
                }
            } else if (c == '\\' && i_ + 1 < s_.size()) {
                code(s_[++i_]);
            } else if (c == '\n') {
                newLine();
            } else {
                put(c);
            }
        }
        flush();
        return std::move(runs_);
    }

  private:
    // The value of a code up to its ";" (or the end), the cursor left on the ";".
    std::string_view value() {
        const size_t start = i_ + 1;
        size_t end = s_.find(';', start);
        if (end == std::string_view::npos) end = s_.size();
        i_ = end;
        return s_.substr(start, end - start);
    }

    static double number(std::string_view v) {
        return std::strtod(std::string(v).c_str(), nullptr);
    }

    void code(char c) {
        Level& level = levels_[depth_];
        switch (c) {
            case 'f':
            case 'F': {
                const std::string_view v = value();
                level.font = std::string(v.substr(0, v.find('|')));
                changed_ = true;
                break;
            }
            case 'H': {
                const std::string_view v = value();
                const double h = number(v);
                if (h > 0) level.height = v.ends_with('x') ? level.height * h : h;
                changed_ = true;
                break;
            }
            case 'W':
                level.widthFactor = number(value());
                changed_ = true;
                break;
            case 'Q':
                level.oblique = number(value());
                changed_ = true;
                break;
            case 'T':
                level.tracking = number(value());
                changed_ = true;
                break;
            case 'S':
                stacked(value());
                break;
            case 'P':
            case 'N':  // a column break starts a new line as well
                newLine();
                break;
            case 'p':
            case 'A':
            case 'C':
            case 'c':
                value();
                break;
            case 'L':
            case 'l':
            case 'O':
            case 'o':
            case 'K':
            case 'k':
                break;
            case '~':
                put(' ');
                break;
            default:
                put(c);
                break;
        }
    }

    // Stacked text (a fraction) as a run of its own, drawn as "upper/lower".
    void stacked(std::string_view v) {
        flush();
        std::string text(v);
        for (char& ch : text)
            if (ch == '^' || ch == '#') ch = '/';
        start();
        current_.text = std::move(text);
        current_.stacked = true;
        flush();
        changed_ = true;
    }

    void newLine() {
        flush();
        ++line_;
        changed_ = true;
    }

    void start() {
        const Level& level = levels_[depth_];
        current_ = {};
        current_.font = level.font;
        current_.height = level.height;
        current_.widthFactor = level.widthFactor;
        current_.oblique = level.oblique;
        current_.tracking = level.tracking;
        current_.line = line_;
        open_ = true;
    }

    void put(char c) {
        if (!open_ || changed_) {
            flush();
            start();
            changed_ = false;
        }
        current_.text += c;
    }

    void flush() {
        if (open_ && !current_.text.empty()) runs_.push_back(std::move(current_));
        open_ = false;
        current_ = {};
    }

    std::string_view s_;
    size_t i_ = 0;
    std::array<Level, 10> levels_{};
    int depth_ = 0;
    double base_ = 0;
    int line_ = 0;
    bool changed_ = true;
    bool open_ = false;
    MTextRun current_;
    std::vector<MTextRun> runs_;
};

}  // namespace

std::vector<MTextRun> splitMText(std::string_view text, double height) {
    return Splitter(text, height).run();
}

std::string runFontName(const MTextRun& run) {
    if (run.tracking == 1.0) return run.font;
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ";\\T%lf", run.tracking);
    return run.font + suffix;
}

}  // namespace lintrel::fonts
