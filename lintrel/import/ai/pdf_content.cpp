// The content stream interpreter. Operands collect on a stack until an operator takes them;
// points are mapped through the current transformation matrix as they are given. Forms are
// drawn through the hooks when there are any; text, images and shading draw nothing.
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

// Forms drawing forms at most this deep; a form that draws itself stops here.
constexpr int kMaxFormDepth = 8;

using Matrix = ContentMatrix;

struct Rgb {
    double red = 0, green = 0, blue = 0;
};

// The part of the graphics state that shapes the drawing; q and Q save and restore it.
struct GraphicsState {
    Matrix ctm;
    Rgb stroke, fill;
};

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}
bool isDelimiter(char c) {
    return std::string_view("()<>[]{}/%").find(c) != std::string_view::npos;
}

class ContentReader {
  public:
    ContentReader(std::string_view in, PathBuilder& paths, ImportDiagnostics& diagnostics,
                  const ContentHooks* hooks, const GraphicsState& state, std::string_view resources,
                  int depth)
        : in_(in),
          paths_(paths),
          diagnostics_(diagnostics),
          hooks_(hooks),
          resources_(resources),
          depth_(depth),
          state_(state) {}

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
                const size_t end = tokenEnd(pos_ + 1);
                name_ = in_.substr(pos_, end - pos_);
                pos_ = end;
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

    Point point(size_t i) const { return state_.ctm.apply(numbers_[i], numbers_[i + 1]); }

    bool operands(size_t n) const { return !hasOther_ && numbers_.size() == n; }

    // The operands as a colour of 1 (gray), 3 (RGB) or 4 (CMYK) components; other counts
    // (patterns, separations by name) leave the colour as it was.
    void colour(Rgb& target) const {
        const std::vector<double>& a = numbers_;
        if (a.size() == 1) target = {a[0], a[0], a[0]};
        if (a.size() == 3) target = {a[0], a[1], a[2]};
        if (a.size() == 4)
            target = {1 - std::min(1.0, a[0] + a[3]), 1 - std::min(1.0, a[1] + a[3]),
                      1 - std::min(1.0, a[2] + a[3])};
    }
    // A new colour space starts black in the device spaces, which is every one read here.
    static void resetColour(Rgb& target) { target = Rgb{}; }

    // A stroke paints in the stroke colour, a fill in the fill colour, both in the stroke's.
    void paint(bool stroke, bool close) {
        const Rgb& c = stroke ? state_.stroke : state_.fill;
        paths_.setColour(c.red, c.green, c.blue);
        paths_.paint(close);
    }

    void drawXObject() {
        ContentForm form;
        if (!hooks_ || !hooks_->form) {
            diagnostics_.note(diag::kAiFormsSkipped,
                              "forms and images in the page content not drawn");
        } else if (depth_ >= kMaxFormDepth || !hooks_->form(resources_, name_, form)) {
            if (hooks_->skipped) hooks_->skipped();
        } else {
            GraphicsState inner = state_;
            inner.ctm = form.matrix.then(state_.ctm);
            // A path under construction is not part of the form's.
            ContentReader(form.content, paths_, diagnostics_, hooks_, inner, form.resources,
                          depth_ + 1)
                .run();
        }
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
            const Matrix& m = state_.ctm;
            paths_.moveTo(m.apply(x, y));
            paths_.lineTo(m.apply(x + w, y));
            paths_.lineTo(m.apply(x + w, y + h));
            paths_.lineTo(m.apply(x, y + h));
            paths_.closeSubpath();
        }
    }

    void operate(std::string_view op) {
        if (op == "S") {
            paint(true, false);
        } else if (op == "s") {
            paths_.closeSubpath();
            paint(true, false);
        } else if (op == "f" || op == "F" || op == "f*") {
            paint(false, true);  // a filled region is closed
        } else if (op == "B" || op == "B*" || op == "b" || op == "b*") {
            paint(true, true);
        } else if (op == "n") {
            paths_.discard();
        } else if (op == "q") {
            if (saved_.size() < kMaxSaves)
                saved_.push_back(state_);
            else
                diagnostics_.note(diag::kAiNestingLimited, "graphics state saves nested too deep");
        } else if (op == "Q") {
            if (!saved_.empty()) {
                state_ = saved_.back();
                saved_.pop_back();
            }
        } else if (op == "cm" && operands(6)) {
            const std::vector<double>& a = numbers_;
            state_.ctm = Matrix{a[0], a[1], a[2], a[3], a[4], a[5]}.then(state_.ctm);
        } else if ((op == "G" && operands(1)) || (op == "RG" && operands(3)) ||
                   (op == "K" && operands(4)) || ((op == "SC" || op == "SCN") && !hasOther_)) {
            colour(state_.stroke);
        } else if ((op == "g" && operands(1)) || (op == "rg" && operands(3)) ||
                   (op == "k" && operands(4)) || ((op == "sc" || op == "scn") && !hasOther_)) {
            colour(state_.fill);
        } else if (op == "CS") {
            resetColour(state_.stroke);
        } else if (op == "cs") {
            resetColour(state_.fill);
        } else if (op == "Do") {
            drawXObject();
        } else if (op == "BT") {
            if (hooks_ && hooks_->text) hooks_->text();
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
    const ContentHooks* hooks_;
    std::string_view resources_;
    int depth_;
    std::vector<double> numbers_;
    bool hasOther_ = false;  // an operand that is not a number stands on the stack
    std::string_view name_;  // the last name operand
    GraphicsState state_;
    std::vector<GraphicsState> saved_;
};

}  // namespace

void readPageContent(std::string_view content, PathBuilder& paths, ImportDiagnostics& diagnostics,
                     const ContentHooks* hooks) {
    GraphicsState start;
    if (hooks) start.ctm = hooks->start;
    ContentReader(content, paths, diagnostics, hooks, start, hooks ? hooks->resources : "", 0)
        .run();
}

}  // namespace lintrel::ai
