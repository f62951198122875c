// Affine matrices of SVG user space and the transform attribute's grammar: matrix, translate,
// scale, rotate (about a point), skewX and skewY, applied in the order written.
#pragma once

#include <lintrel/lintrel.hpp>

#include <string_view>

namespace lintrel::svg {

// Relative difference below which two radii, or a matrix's two scales, count as equal.
inline constexpr double kRoundness = 1e-6;

// x' = a x + c y + e, y' = b x + d y + f, as SVG writes matrix(a b c d e f).
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    Point apply(Point p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    Point applyVector(Point v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }
    double determinant() const { return a * d - b * c; }
    // True when the matrix keeps circles circles: a rotation, uniform scale and mirroring.
    bool isSimilarity() const;
    // The scale of a similarity (the factor lengths are multiplied by).
    double uniformScale() const;
    bool isFinite() const;
};

// The product: first `inner`, then `outer` (outer * inner).
Matrix operator*(const Matrix& outer, const Matrix& inner);

Matrix translation(double x, double y);
Matrix scaling(double x, double y);
Matrix rotation(double degrees);

// Reads a transform list; false for a malformed one, and `out` is then the identity (an
// invalid transform attribute is ignored as a whole).
bool parseTransform(std::string_view text, Matrix& out);

}  // namespace lintrel::svg
