// The native Illustrator text: lines end in CR, LF or CR LF; the operator is the last word of
// a line and the words before it are its numeric operands. Path, paint and colour operators
// are followed; a token of the document unit sets the source unit; everything else is passed
// over.
#include "import/ai/ai_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "import/ai/ai_diagnostics.h"
#include "import/ai/ai_paths.h"
#include "import/ai/pdf_reader.h"
#include "model/frame.h"

namespace lintrel {

namespace {

constexpr size_t kMaxOperands = 8;  // more than any operator here takes

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads an operand as a decimal number; malformed text reads as 0.
double operandValue(std::string_view word) {
    char buffer[64];
    const size_t n = std::min(word.size(), sizeof buffer - 1);
    std::copy_n(word.data(), n, buffer);
    buffer[n] = '\0';
    char* end = nullptr;
    const double v = std::strtod(buffer, &end);
    return end == buffer || !std::isfinite(v) ? 0 : v;  // "1e999" is malformed too
}

int unitCode(std::string_view unit) {
    if (unit == "Points") return 8011;
    if (unit == "Centimeters") return 8003;
    if (unit == "Picas") return 8012;
    if (unit == "Inches") return 8001;
    return 8000;  // Millimeters, Pixels and anything else
}

// A long token holding the unit element sets the source unit.
void readUnitToken(std::string_view token) {
    if (token.size() < 26) return;
    const size_t open = token.find('>');
    const size_t close = token.find("</stDim:unit>");
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
    frame::setSourceUnit(unitCode(token.substr(open + 1, close - open - 1)));
}

struct Line {
    std::string_view op;
    double operands[kMaxOperands];
    size_t count = 0;  // operands found (may exceed kMaxOperands; then none are kept beyond)
};

Line splitLine(std::string_view text) {
    Line line;
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    size_t lastBlank = text.size();
    while (lastBlank > 0 && !isBlank(text[lastBlank - 1]))
        --lastBlank;
    line.op = text.substr(lastBlank);
    std::string_view rest = text.substr(0, lastBlank);
    const size_t first = rest.find_first_not_of(" \t");
    if (first == std::string_view::npos || rest[first] == '%') return line;
    size_t i = first;
    while (i < rest.size()) {
        const size_t end = std::min(rest.find_first_of(" \t", i), rest.size());
        if (line.count < kMaxOperands)
            line.operands[line.count] = operandValue(rest.substr(i, end - i));
        ++line.count;
        i = rest.find_first_not_of(" \t", end);
        if (i == std::string_view::npos) break;
    }
    return line;
}

bool isOneOf(std::string_view op, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), op) != names.end();
}

// Follows one line; false when its operator is not one of the reader's.
bool followLine(const Line& l, ai::PathBuilder& paths) {
    const double* a = l.operands;
    const size_t n = l.count;
    const std::string_view op = l.op;
    if (op == "G" || op == "g") {
        if (n == 1) paths.setColour(a[0], a[0], a[0]);
    } else if (op == "K" || op == "k") {
        if (n == 4)
            paths.setColour(1 - std::min(1.0, a[0] + a[3]), 1 - std::min(1.0, a[1] + a[3]),
                            1 - std::min(1.0, a[2] + a[3]));
    } else if (op == "XA" || op == "Xa") {
        if (n == 3) paths.setColour(a[0], a[1], a[2]);
    } else if (isOneOf(op, {"X", "x", "XX", "P"})) {
    } else if (op == "m") {
        if (n == 2) paths.moveTo({a[0], a[1]});
    } else if (op == "l" || op == "L") {
        if (n == 2) paths.lineTo({a[0], a[1]});
    } else if (op == "c" || op == "C") {
        if (n == 6) paths.curveTo({a[0], a[1]}, {a[2], a[3]}, {a[4], a[5]});
    } else if (op == "v" || op == "V") {
        if (n == 4 && paths.hasCurrentPoint())
            paths.curveTo(paths.currentPoint(), {a[0], a[1]}, {a[2], a[3]});
    } else if (op == "y" || op == "Y") {
        if (n == 4) paths.curveTo({a[0], a[1]}, {a[2], a[3]}, {a[2], a[3]});
    } else if (isOneOf(op, {"s", "S", "b", "B", "f", "F"})) {
        if (n != 0) return false;  // a paint operator with operands may still carry the unit
        paths.paint(op == "s" || op == "b" || op == "f");
    } else if (op == "n" || op == "N" || op == "*") {
        // Unpainted: clipping paths and, ended with "(N) *", guides.
        if (n == 0 || op == "*") paths.discard();
    } else {
        return false;
    }
    return true;
}

// Calls `visit` for every line; CR, LF and CR LF all end a line.
template <class Visit>
void forEachLine(std::string_view text, Visit visit) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        visit(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

}  // namespace

// The setup section and the non-printing sections define patterns, brushes, symbols and
// swatches: their paths are not artwork, so they are passed over (their unit text still counts).
void VxAi::parseText(std::string_view text, ai::PathBuilder& paths,
                     ImportDiagnostics& diagnostics) {
    std::string_view sectionEnd;
    long sections = 0;
    forEachLine(text, [&](std::string_view raw) {
        if (!sectionEnd.empty()) {
            if (raw.starts_with(sectionEnd)) sectionEnd = {};
            readUnitToken(splitLine(raw).op);
            return;
        }
        if (raw.starts_with("%%BeginSetup")) {
            sectionEnd = "%%EndSetup";
        } else if (raw.starts_with("%AI5_Begin_NonPrinting")) {
            sectionEnd = "%AI5_End_NonPrinting";
        }
        if (!sectionEnd.empty()) {
            ++sections;
            return;
        }
        const Line line = splitLine(raw);
        if (!followLine(line, paths)) readUnitToken(line.op);
    });
    if (sections)
        diagnostics.note(diag::kAiDefinitionsSkipped,
                         "setup and non-printing sections (patterns, brushes) skipped", sections);
}

void VxAi::readUnit(std::string_view text) {
    forEachLine(text, [](std::string_view raw) { readUnitToken(splitLine(raw).op); });
}

VectGroup* VxAi::read(std::string_view bytes, ImportDiagnostics& diagnostics) {
    // Some writers put a few bytes before the PDF header.
    if (bytes.substr(0, 1024).find("%PDF-") != std::string_view::npos)
        return ai::readPdfContainer(bytes, diagnostics);
    ai::PathBuilder paths(diagnostics);
    parseText(bytes, paths, diagnostics);
    return paths.finish();
}

// Illustrator groups are numbered by colour index from 0; the drawing numbers them from 1.
VectGroup* readAi(std::string_view bytes, ImportContext& context) {
    VectGroup* groups = VxAi().read(bytes, context.diagnostics);
    for (VectGroup* g : ring(groups))
        g->number += 1;
    return groups;
}

}  // namespace lintrel
