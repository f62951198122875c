// Reading the path operators of a PDF page content stream (m l c v y h re, the painting
// operators, gray, CMYK and RGB colours, cm, q and Q) into Illustrator paths: for PDF-based
// AI files that carry no readable native data, and for plain PDF drawings.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "import/ai/ai_paths.h"

namespace lintrel::ai {

struct ContentMatrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    Point apply(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
    // This matrix applied first, then `m`.
    ContentMatrix then(const ContentMatrix& m) const {
        return {a * m.a + b * m.c, a * m.b + b * m.d,       c * m.a + d * m.c,
                c * m.b + d * m.d, e * m.a + f * m.c + m.e, e * m.b + f * m.d + m.f};
    }
};

// A form XObject as `Do` draws it: its content, its matrix and the resources its names
// refer to.
struct ContentForm {
    std::string content;
    ContentMatrix matrix;
    std::string resources;
};

// What a whole PDF page needs beyond the operators; the AI reader runs without it.
struct ContentHooks {
    ContentMatrix start;    // page space to drawing space
    std::string resources;  // the page's resources dictionary text
    // Fills `form` with the form XObject `name` of `resources`; false for images and names
    // that are not there.
    std::function<bool(std::string_view resources, std::string_view name, ContentForm& form)> form;
    // Called once per text object (BT), which is not drawn.
    std::function<void()> text;
    // Called for XObjects that are not forms, and for forms nested too deep.
    std::function<void()> skipped;
};

// What the content holds but is not drawn is noted in `diagnostics`.
void readPageContent(std::string_view content, PathBuilder& paths, ImportDiagnostics& diagnostics,
                     const ContentHooks* hooks = nullptr);

}  // namespace lintrel::ai
