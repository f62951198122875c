// The G-code reader: words of a letter and a number, modal motion (G00 to G03) and distance
// mode (G90, G91), U V W as relative X Y Z, arcs with their centre relative to the start.
#include <array>
#include <map>

#include "interp/readers.h"
#include "interp/text.h"

namespace varnix::interp {
namespace {

struct Word {
    char letter;
    double value;
};

std::string stripComments(std::string_view line) {
    std::string text;
    int depth = 0;
    for (const char c : line) {
        if (c == ';' && depth == 0) break;
        if (c == '(') ++depth;
        if (depth == 0) text += c;
        if (c == ')' && depth > 0) --depth;
    }
    return text;
}

// Splits "G01 X1.5 Y-2" into words; nullopt when the text is not a word list.
std::optional<std::vector<Word>> lexWords(std::string_view text) {
    std::vector<Word> words;
    size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(text[i]))) return std::nullopt;
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        size_t end = ++i;
        while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                     text[end] == '.' || text[end] == '-' || text[end] == '+')) {
            ++end;
        }
        const auto value = parseNumber(text.substr(i, end - i));
        if (!value) return std::nullopt;
        words.push_back({letter, *value});
        i = end;
    }
    return words;
}

bool isMotionCode(double g) {
    return g == 0 || g == 1 || g == 2 || g == 3;
}

class GCodeReader : public LineReader {
  public:
    LineOutcome read(std::string_view line, int number, Machine& machine) override {
        const std::string text(trim(stripComments(line)));
        if (text.empty() || text == "%") return {};  // '%' marks the start and end of a tape
        const auto words = lexWords(text);
        if (!words) return notWords(text);
        std::map<char, double> axes;
        std::optional<double> motion;
        bool other = false, moves = false;
        for (const Word& word : *words) {
            if (word.letter == 'G' && isMotionCode(word.value)) {
                motion = word.value;
            } else if (word.letter == 'G' && (word.value == 90 || word.value == 91)) {
                relative_ = word.value == 91;
            } else if (word.letter == 'F') {
                feed_ = word.value;
            } else if (std::string_view("XYZUVWIJK").find(word.letter) != std::string_view::npos) {
                if (axes.count(word.letter))
                    return error("word " + std::string(1, word.letter) + " given twice");
                axes[word.letter] = word.value;
                moves = true;
            } else if (word.letter != 'N') {
                other = true;
            }
        }
        if (motion) mode_ = static_cast<int>(*motion);
        if (!motion && !moves) {
            if (other) return {LineOutcome::kWarning, "action passed over: " + text};
            return {};
        }
        if (other) return error("unexpected word in a motion line: " + text);
        if (mode_ < 0) return error("no motion mode (G00 to G03) before this move");
        if (!moves) return {};  // a bare motion code only sets the mode
        return execute(axes, number, machine);
    }

  private:
    static LineOutcome error(std::string message) {
        return {LineOutcome::kError, std::move(message)};
    }

    static LineOutcome notWords(const std::string& text) {
        // A broken motion line must not pass for an action text.
        const auto first = lexWords(text.substr(0, text.find_first_of(" \t")));
        if (first && first->size() == 1 && first->front().letter == 'G') {
            const double g = first->front().value;
            if (isMotionCode(g) || g == 90 || g == 91) return error("malformed line: " + text);
        }
        if (actionStart(text.front())) {
            return {LineOutcome::kWarning, "action passed over: " + text};
        }
        return error("malformed line: " + text);
    }

    LineOutcome execute(const std::map<char, double>& words, int number, Machine& machine) {
        std::vector<double> target = machine.position();
        if (target.size() < 3) return error("the machine has fewer than three axes");
        constexpr std::array<char, 3> kAbsolute = {'X', 'Y', 'Z'};
        constexpr std::array<char, 3> kRelative = {'U', 'V', 'W'};
        for (size_t axis = 0; axis < 3; ++axis) {
            if (const auto found = words.find(kAbsolute[axis]); found != words.end()) {
                target[axis] = relative_ ? target[axis] + found->second : found->second;
            }
            if (const auto found = words.find(kRelative[axis]); found != words.end()) {
                target[axis] += found->second;
            }
        }
        std::optional<std::string> failure;
        if (mode_ == 0) {
            failure = machine.line(target, true, machine.options().rapidSpeed, number);
        } else if (mode_ == 1) {
            failure = machine.line(target, false, feed_, number);
        } else {
            const auto i = words.find('I'), j = words.find('J');
            if (i == words.end() && j == words.end()) return error("arc without I or J centre");
            const std::vector<double>& from = machine.position();
            ArcMove arc;
            arc.endA = target[0];
            arc.endB = target[1];
            arc.centreA = from[0] + (i == words.end() ? 0.0 : i->second);
            arc.centreB = from[1] + (j == words.end() ? 0.0 : j->second);
            arc.clockwise = mode_ == 2;
            arc.target = target;
            failure = machine.arc(arc, false, feed_, number);
        }
        if (failure) return error(*failure);
        return {};
    }

    bool relative_ = false;
    int mode_ = -1;
    double feed_ = 0;
};

}  // namespace

bool looksLikeGCode(std::string_view line) {
    const auto words = lexWords(trim(stripComments(line)));
    if (!words) return false;
    for (const Word& word : *words) {
        if (word.letter == 'G' &&
            (isMotionCode(word.value) || word.value == 90 || word.value == 91)) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<LineReader> makeGCodeReader() {
    return std::make_unique<GCodeReader>();
}

}  // namespace varnix::interp
