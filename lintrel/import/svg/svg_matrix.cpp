// The transform list grammar and the matrix products behind nested groups and uses.
#include "import/svg/svg_matrix.h"

#include <cmath>
#include <string>

#include "import/svg/svg_numbers.h"

namespace lintrel::svg {

namespace {

constexpr double kDegree = kPi / 180;

// Reads "(n, n, ...)" into `values`; false for a missing parenthesis or too many numbers.
bool arguments(NumberScanner& scan, double* values, int capacity, int& count) {
    scan.skipSpace();
    if (scan.peek() != '(') return false;
    scan.advance();
    count = 0;
    scan.skipSpace();
    double v;
    while (scan.peek() != ')') {
        if (count == capacity || !scan.number(v)) return false;
        values[count++] = v;
        scan.skipSpace();
    }
    scan.advance();
    return true;
}

bool oneTransform(std::string_view name, const double* v, int n, Matrix& out) {
    if (name == "matrix" && n == 6) {
        out = {v[0], v[1], v[2], v[3], v[4], v[5]};
    } else if (name == "translate" && (n == 1 || n == 2)) {
        out = translation(v[0], n == 2 ? v[1] : 0);
    } else if (name == "scale" && (n == 1 || n == 2)) {
        out = scaling(v[0], n == 2 ? v[1] : v[0]);
    } else if (name == "rotate" && (n == 1 || n == 3)) {
        out = rotation(v[0]);
        if (n == 3) out = translation(v[1], v[2]) * out * translation(-v[1], -v[2]);
    } else if (name == "skewX" && n == 1) {
        out = {1, 0, std::tan(v[0] * kDegree), 1, 0, 0};
    } else if (name == "skewY" && n == 1) {
        out = {1, std::tan(v[0] * kDegree), 0, 1, 0, 0};
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool Matrix::isSimilarity() const {
    // Columns of equal length and perpendicular, to the relative tolerance of numbers written
    // with seven significant digits: the circles drawn through it stay true to 1e-6.
    const double lengthX = a * a + b * b, lengthY = c * c + d * d;
    const double scale = std::max(lengthX, lengthY);
    if (!(scale > 0)) return false;
    return std::fabs(lengthX - lengthY) <= kRoundness * scale &&
           std::fabs(a * c + b * d) <= kRoundness * scale;
}

double Matrix::uniformScale() const {
    return std::sqrt(std::fabs(determinant()));
}

bool Matrix::isFinite() const {
    for (double v : {a, b, c, d, e, f})
        if (!std::isfinite(v)) return false;
    return true;
}

Matrix operator*(const Matrix& o, const Matrix& i) {
    return {o.a * i.a + o.c * i.b, o.b * i.a + o.d * i.b,       o.a * i.c + o.c * i.d,
            o.b * i.c + o.d * i.d, o.a * i.e + o.c * i.f + o.e, o.b * i.e + o.d * i.f + o.f};
}

Matrix translation(double x, double y) {
    return {1, 0, 0, 1, x, y};
}

Matrix scaling(double x, double y) {
    return {x, 0, 0, y, 0, 0};
}

Matrix rotation(double degrees) {
    const double r = degrees * kDegree;
    const double cs = std::cos(r), sn = std::sin(r);
    return {cs, sn, -sn, cs, 0, 0};
}

bool parseTransform(std::string_view text, Matrix& out) {
    out = Matrix{};
    NumberScanner scan(text);
    Matrix result;
    while (!scan.atEnd()) {
        const std::string_view rest = scan.rest();
        size_t n = 0;
        while (n < rest.size() && std::isalpha(static_cast<unsigned char>(rest[n])))
            ++n;
        for (size_t i = 0; i < n; ++i)
            scan.advance();
        double values[6];
        int count = 0;
        Matrix one;
        if (n == 0 || !arguments(scan, values, 6, count) ||
            !oneTransform(rest.substr(0, n), values, count, one))
            return false;
        result = result * one;
        scan.skipSeparator();
    }
    if (!result.isFinite()) return false;
    out = result;
    return true;
}

}  // namespace lintrel::svg
