// Path data: a small state machine over the number scanner. The current point, the start of
// the subpath and the last control points (for S and T) live in the parser; the sink sees only
// absolute moves, lines, cubics, arcs and closes.
#include "import/svg/svg_path_data.h"

#include <cctype>
#include <cmath>

#include "import/svg/svg_numbers.h"

namespace lintrel::svg {

namespace {

int argumentCount(char upper) {
    switch (upper) {
        case 'M':
        case 'L':
        case 'T':
            return 2;
        case 'H':
        case 'V':
            return 1;
        case 'C':
            return 6;
        case 'S':
        case 'Q':
            return 4;
        case 'A':
            return 7;
        case 'Z':
            return 0;
        default:
            return -1;
    }
}

Point reflected(Point control, Point about) {
    return {2 * about.x - control.x, 2 * about.y - control.y};
}

class PathParser {
  public:
    PathParser(std::string_view d, PathSink& sink) : scan_(d), sink_(sink) {}
    bool run();

  private:
    bool readArguments(char upper, double* v);
    void execute(char command, const double* v);
    void drawCubic(Point c1, Point c2, Point p);
    // Drawing commands right after Z start a new subpath at the closed one's start.
    void reopen() {
        if (closed_) sink_.moveTo(current_);
        closed_ = false;
    }

    NumberScanner scan_;
    PathSink& sink_;
    Point current_{}, start_{};
    Point lastCubic_{}, lastQuad_{};  // second control point of the last C/S, control of Q/T
    char previous_ = 0;               // upper-case letter of the last command executed
    bool closed_ = false;
};

bool PathParser::readArguments(char upper, double* v) {
    const int n = argumentCount(upper);
    for (int i = 0; i < n; ++i) {
        bool f = false;
        if (upper == 'A' && (i == 3 || i == 4)) {
            if (!scan_.flag(f)) return false;
            v[i] = f ? 1 : 0;
        } else if (!scan_.number(v[i]) || !std::isfinite(v[i])) {
            return false;
        }
    }
    return true;
}

void PathParser::drawCubic(Point c1, Point c2, Point p) {
    reopen();
    sink_.cubicTo(c1, c2, p);
    lastCubic_ = c2;
    current_ = p;
}

void PathParser::execute(char command, const double* v) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
    const bool relative = command != upper;
    const Point o = relative ? current_ : Point{};
    auto at = [&](int i) { return Point{o.x + v[i], o.y + v[i + 1]}; };
    switch (upper) {
        case 'M':
            current_ = start_ = at(0);
            closed_ = false;
            sink_.moveTo(current_);
            break;
        case 'L':
        case 'H':
        case 'V': {
            Point p = upper == 'L' ? at(0) : current_;
            if (upper == 'H') p.x = o.x + v[0];
            if (upper == 'V') p.y = o.y + v[0];
            reopen();
            sink_.lineTo(p);
            current_ = p;
            break;
        }
        case 'C':
            drawCubic(at(0), at(2), at(4));
            break;
        case 'S': {
            const Point c1 =
                previous_ == 'C' || previous_ == 'S' ? reflected(lastCubic_, current_) : current_;
            drawCubic(c1, at(0), at(2));
            break;
        }
        case 'Q':
        case 'T': {
            const Point q = upper == 'Q'                           ? at(0)
                            : previous_ == 'Q' || previous_ == 'T' ? reflected(lastQuad_, current_)
                                                                   : current_;
            const Point p = upper == 'Q' ? at(2) : at(0);
            const Point p0 = current_;
            drawCubic({p0.x + 2.0 / 3 * (q.x - p0.x), p0.y + 2.0 / 3 * (q.y - p0.y)},
                      {p.x + 2.0 / 3 * (q.x - p.x), p.y + 2.0 / 3 * (q.y - p.y)}, p);
            lastQuad_ = q;
            break;
        }
        case 'A': {
            const Point p = at(5);
            reopen();
            sink_.arcTo(v[0], v[1], v[2], v[3] != 0, v[4] != 0, p);
            current_ = p;
            break;
        }
        case 'Z':
            if (!closed_) sink_.closePath();
            closed_ = true;
            current_ = start_;
            break;
    }
    previous_ = upper;
}

bool PathParser::run() {
    char command = 0;
    double v[7];
    while (!scan_.atEnd()) {
        const char c = scan_.peek();
        if (argumentCount(static_cast<char>(std::toupper(static_cast<unsigned char>(c)))) >= 0 &&
            std::isalpha(static_cast<unsigned char>(c))) {
            command = c;
            scan_.advance();
            if (previous_ == 0 && command != 'M' && command != 'm') return false;
        } else if (command == 0 || command == 'Z' || command == 'z' || !scan_.startsNumber()) {
            return false;
        } else if (command == 'M' || command == 'm') {
            // Pairs after a move are lines, relative after a relative move.
            command = command == 'M' ? 'L' : 'l';
        }
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
        if (!readArguments(upper, v)) return false;
        execute(command, v);
    }
    return true;
}

}  // namespace

bool parsePathData(std::string_view d, PathSink& sink) {
    return PathParser(d, sink).run();
}

bool parsePointList(std::string_view points, bool close, PathSink& sink) {
    NumberScanner scan(points);
    double x, y;
    bool first = true;
    while (scan.number(x)) {
        if (!scan.number(y) || !std::isfinite(x) || !std::isfinite(y)) return false;
        if (first)
            sink.moveTo({x, y});
        else
            sink.lineTo({x, y});
        first = false;
    }
    if (close && !first) sink.closePath();
    return scan.atEnd();
}

}  // namespace lintrel::svg
