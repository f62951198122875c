// The HPGL lexer. Instructions need no separator: a letter ends the parameters of the one
// before. Line ends and blanks separate numbers like commas, since plotter software wraps long
// coordinate lists. Memory grows only with the parameters of the instruction being read.
#include "import/plt/hpgl_lexer.h"

#include <cctype>
#include <charconv>

namespace lintrel::hpgl {

namespace {

constexpr char kEscape = '\x1b';

bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
bool isSeparator(char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool Lexer::atLetter() const {
    return pos_ < in_.size() && isLetter(in_[pos_]);
}

// Escape sequences of the device ("ESC . x params :" and "ESC % n letter") carry no drawing.
void Lexer::skipDeviceControl() {
    ++deviceControls_;
    ++pos_;
    if (pos_ >= in_.size()) return;
    const char kind = in_[pos_++];
    if (kind == '.') {
        if (pos_ < in_.size()) ++pos_;
        while (pos_ < in_.size() && (isDigit(in_[pos_]) || in_[pos_] == ';'))
            ++pos_;
        if (pos_ < in_.size() && in_[pos_] == ':') ++pos_;
    } else if (kind == '%' || kind == 'E') {
        while (pos_ < in_.size() && (isDigit(in_[pos_]) || in_[pos_] == '-'))
            ++pos_;
        if (kind == '%' && atLetter()) ++pos_;
    }
}

void Lexer::readNumbers(Instruction& out) {
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        if (c == ';') {
            ++pos_;
            return;
        }
        if (isLetter(c) || c == kEscape) return;
        if (isSeparator(c)) {
            ++pos_;
            continue;
        }
        if (c == '"') {
            // A quoted parameter (a name in BP, say): its letters start no instruction.
            ++pos_;
            readUntil('"', true);
            continue;
        }
        size_t start = pos_;
        if (c == '+') ++start;
        double value = 0;
        const auto [end, error] =
            std::from_chars(in_.data() + start, in_.data() + in_.size(), value);
        if (error == std::errc() && end != in_.data() + start) {
            out.numbers.push_back(value);
            pos_ = static_cast<size_t>(end - in_.data());
        } else if (error == std::errc::result_out_of_range) {
            // A number beyond double range: pass over its characters and mark the instruction.
            out.badParameters = true;
            pos_ = start;
            while (pos_ < in_.size() &&
                   (isDigit(in_[pos_]) || in_[pos_] == '.' || in_[pos_] == '-'))
                ++pos_;
        } else {
            out.badParameters = true;
            ++pos_;
        }
    }
}

std::string_view Lexer::readUntil(char terminator, bool consumeTerminator) {
    const size_t start = pos_;
    const size_t end = in_.find(terminator, start);
    if (end == std::string_view::npos) {
        pos_ = in_.size();
        return in_.substr(start);
    }
    pos_ = end + (consumeTerminator ? 1 : 0);
    return in_.substr(start, end - start);
}

// DT sets the character that ends labels; "DT;" or a bare DT restores the default.
void Lexer::readTerminatorDefinition(Instruction& out) {
    if (pos_ >= in_.size() || in_[pos_] == ';') {
        labelEnd_ = '\x03';
    } else {
        labelEnd_ = in_[pos_++];
    }
    readNumbers(out);
}

bool Lexer::next(Instruction& out) {
    out.numbers.clear();
    out.text = {};
    out.badParameters = false;
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        if (c == kEscape) {
            skipDeviceControl();
            continue;
        }
        if (!isLetter(c) || pos_ + 1 >= in_.size() || !isLetter(in_[pos_ + 1])) {
            // Separators between instructions are normal; anything else is a stray byte.
            if (!isSeparator(c) && c != ';' && c != '\0') ++skippedBytes_;
            ++pos_;
            continue;
        }
        out.name[0] = upper(c);
        out.name[1] = upper(in_[pos_ + 1]);
        pos_ += 2;
        if (out.is('L', 'B') || out.is('B', 'L') || out.is('W', 'D')) {
            out.text = readUntil(labelEnd_, true);
        } else if (out.is('P', 'E')) {
            out.text = readUntil(';', true);
        } else if (out.is('C', 'O')) {
            // A comment is a quoted text.
            while (pos_ < in_.size() && isSeparator(in_[pos_]))
                ++pos_;
            if (pos_ < in_.size() && in_[pos_] == '"') {
                ++pos_;
                out.text = readUntil('"', true);
            }
            readNumbers(out);
        } else if (out.is('D', 'T')) {
            readTerminatorDefinition(out);
        } else if (out.is('S', 'M')) {
            // Symbol mode takes one character of any kind, letters included.
            if (pos_ < in_.size() && in_[pos_] != ';') out.text = in_.substr(pos_++, 1);
            readNumbers(out);
        } else {
            readNumbers(out);
        }
        return true;
    }
    return false;
}

}  // namespace lintrel::hpgl
