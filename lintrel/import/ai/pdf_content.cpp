// The content stream interpreter. Operands collect on a stack until an operator takes them;
// points are mapped through the current transformation matrix as they are given. Text,
// images, forms and shading draw nothing here (forms are counted).
#include "import/ai/pdf_content.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "base/diagnostics.h"
#include "import/ai/ai_diagnostics.h"

namespace lintrel::ai {

namespace {

// Saved graphics states at most; deeper saves are counted and not kept.
constexpr size_t kMaxSaves = 4096;

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    Point apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
    // This matrix applied first, then `m`.
    Matrix then(const Matrix& m) const {
        return {a * m.a + b * m.c, a * m.b + b * m.d,       c * m.a + d * m.c,
                c * m.b + d * m.d, e * m.a + f * m.c + m.e, e * m.b + f * m.d + m.f};
    }
};

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}
bool isDelimiter(char c) {
    return std::string_view("()<>[]{}/%").find(c) != std::string_view::npos;
}

class ContentReader {
  public:
    ContentReader(std::string_view in, PathBuilder& paths, ImportDiagnostics& diagnostics)
        : in_(in), paths_(paths), diagnostics_(diagnostics) {}

    void run() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (isWhite(c)) {
                ++pos_;
            } else if (c == '%') {
                while (pos_ < in_.size() && in_[pos_] != '\n' && in_[pos_] != '\r')
                    ++pos_;
            } else if (c == '(') {
                skipString();
                otherOperand();
            } else if (c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}') {
                // Dictionaries, arrays and hex strings only matter as operands that are not
                // numbers; their contents are read as tokens and dropped with them.
                if (c == '<' && pos_ + 1 < in_.size() && in_[pos_ + 1] != '<')
                    skipHex();
                else
                    ++pos_;
                otherOperand();
            } else if (c == '/') {
                pos_ = tokenEnd(pos_ + 1);
                otherOperand();
            } else {
                const size_t end = tokenEnd(pos_);
                const std::string_view token = in_.substr(pos_, end - pos_);
                pos_ = end;
                double v = 0;
                const char* first = token.data() + (token[0] == '+' ? 1 : 0);
                const auto [p, error] = std::from_chars(first, token.data() + token.size(), v);
                if (error == std::errc() && p == token.data() + token.size())
                    numbers_.push_back(v);
                else
                    operate(token);
            }
        }
    }

  private:
    size_t tokenEnd(size_t i) const {
        while (i < in_.size() && !isWhite(in_[i]) && !isDelimiter(in_[i]))
            ++i;
        return i == pos_ ? i + 1 : i;
    }
    void skipString() {
        int depth = 0;
        for (; pos_ < in_.size(); ++pos_) {
            if (in_[pos_] == '\\')
                ++pos_;
            else if (in_[pos_] == '(')
                ++depth;
            else if (in_[pos_] == ')' && --depth == 0)
                break;
        }
        ++pos_;
    }
    void skipHex() {
        const size_t end = in_.find('>', pos_);
        pos_ = end == std::string_view::npos ? in_.size() : end + 1;
    }
    void otherOperand() { hasOther_ = true; }

    // Inline images: binary data from "ID" to "EI" between blanks.
    void skipInlineImage() {
        size_t id = in_.find("ID", pos_);
        if (id == std::string_view::npos) {
            pos_ = in_.size();
            return;
        }
        for (size_t i = id + 3; i + 2 <= in_.size(); ++i)
            if (in_.compare(i, 2, "EI") == 0 && isWhite(in_[i - 1]) &&
                (i + 2 == in_.size() || isWhite(in_[i + 2]))) {
                pos_ = i + 2;
                return;
            }
        pos_ = in_.size();
    }

    Point point(size_t i) const { return ctm_.apply(numbers_[i], numbers_[i + 1]); }

    bool operands(size_t n) const { return !hasOther_ && numbers_.size() == n; }

    void colour(size_t n) {
        const std::vector<double>& a = numbers_;
        if (n == 1) paths_.setColour(a[0], a[0], a[0]);
        if (n == 3) paths_.setColour(a[0], a[1], a[2]);
        if (n == 4)
            paths_.setColour(1 - std::min(1.0, a[0] + a[3]), 1 - std::min(1.0, a[1] + a[3]),
                             1 - std::min(1.0, a[2] + a[3]));
    }

    void pathOperator(std::string_view op) {
        if (op == "m" && operands(2)) {
            paths_.moveTo(point(0));
        } else if (op == "l" && operands(2)) {
            paths_.lineTo(point(0));
        } else if (op == "c" && operands(6)) {
            paths_.curveTo(point(0), point(2), point(4));
        } else if (op == "v" && operands(4) && paths_.hasCurrentPoint()) {
            paths_.curveTo(paths_.currentPoint(), point(0), point(2));
        } else if (op == "y" && operands(4)) {
            paths_.curveTo(point(0), point(2), point(2));
        } else if (op == "h") {
            paths_.closeSubpath();
        } else if (op == "re" && operands(4)) {
            const double x = numbers_[0], y = numbers_[1], w = numbers_[2], h = numbers_[3];
            paths_.moveTo(ctm_.apply(x, y));
            paths_.lineTo(ctm_.apply(x + w, y));
            paths_.lineTo(ctm_.apply(x + w, y + h));
            paths_.lineTo(ctm_.apply(x, y + h));
            paths_.closeSubpath();
        }
    }

    void operate(std::string_view op) {
        if (op == "S") {
            paths_.paint(false);
        } else if (op == "s") {
            paths_.closeSubpath();
            paths_.paint(false);
        } else if (op == "f" || op == "F" || op == "f*" || op == "B" || op == "B*" || op == "b" ||
                   op == "b*") {
            paths_.paint(true);  // a filled region is closed
        } else if (op == "n") {
            paths_.discard();
        } else if (op == "q") {
            if (saved_.size() < kMaxSaves)
                saved_.push_back(ctm_);
            else
                diagnostics_.note(diag::kAiNestingLimited, "graphics state saves nested too deep");
        } else if (op == "Q") {
            if (!saved_.empty()) {
                ctm_ = saved_.back();
                saved_.pop_back();
            }
        } else if (op == "cm" && operands(6)) {
            const std::vector<double>& a = numbers_;
            ctm_ = Matrix{a[0], a[1], a[2], a[3], a[4], a[5]}.then(ctm_);
        } else if ((op == "g" || op == "G") && operands(1)) {
            colour(1);
        } else if ((op == "rg" || op == "RG") && operands(3)) {
            colour(3);
        } else if ((op == "k" || op == "K") && operands(4)) {
            colour(4);
        } else if ((op == "sc" || op == "scn" || op == "SC" || op == "SCN") && !hasOther_) {
            colour(numbers_.size());
        } else if (op == "Do") {
            diagnostics_.note(diag::kAiFormsSkipped,
                              "forms and images in the page content not drawn");
        } else if (op == "BI") {
            skipInlineImage();
        } else {
            pathOperator(op);
        }
        numbers_.clear();
        hasOther_ = false;
    }

    std::string_view in_;
    size_t pos_ = 0;
    PathBuilder& paths_;
    ImportDiagnostics& diagnostics_;
    std::vector<double> numbers_;
    bool hasOther_ = false;  // an operand that is not a number stands on the stack
    Matrix ctm_;
    std::vector<Matrix> saved_;
};

}  // namespace

void readPageContent(std::string_view content, PathBuilder& paths, ImportDiagnostics& diagnostics) {
    ContentReader(content, paths, diagnostics).run();
}

}  // namespace lintrel::ai
