// Text runs laid out with lintrel/fonts: the font-size is the em square, so the layout height
// (capital A) comes from the font's own proportions. A family list is tried in order; generic
// families and families that are not installed give way to the next, and the default font
// stands in for a list without any installed family (named in the diagnostics).
#include "import/svg/svg_text.h"

#include <cmath>

#include "fonts/font_files.h"
#include "fonts/text_layout.h"
#include "fonts/text_vect.h"
#include "import/svg/svg_numbers.h"

namespace lintrel::svg {

namespace {

bool isGeneric(std::string_view family) {
    return family == "serif" || family == "sans-serif" || family == "monospace" ||
           family == "cursive" || family == "fantasy" || family == "system-ui";
}

// The names of a font-family list, quotes removed.
std::vector<std::string> familyNames(std::string_view list) {
    std::vector<std::string> out;
    while (!list.empty()) {
        const size_t comma = std::min(list.find(','), list.size());
        std::string_view name = trimmed(list.substr(0, comma));
        list.remove_prefix(std::min(comma + 1, list.size()));
        if (name.size() >= 2 && (name.front() == '\'' || name.front() == '"') &&
            name.back() == name.front())
            name = trimmed(name.substr(1, name.size() - 2));
        if (!name.empty()) out.emplace_back(name);
    }
    return out;
}

struct Laid {
    fonts::LaidText text;
    std::string fontName;
};

}  // namespace

void collapseWhiteSpace(std::vector<TextRun>& runs) {
    bool afterSpace = true;  // drops the leading spaces
    for (TextRun& run : runs) {
        std::string out;
        out.reserve(run.text.size());
        for (char c : run.text) {
            if (c == '\n' || c == '\r' || c == '\t') c = ' ';
            if (c == ' ' && afterSpace) continue;
            afterSpace = c == ' ';
            out += c;
        }
        run.text = std::move(out);
    }
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        if (it->text.empty()) continue;
        if (it->text.back() == ' ') it->text.pop_back();
        break;
    }
}

const TextOutlines::Family& TextOutlines::familyOf(const std::string& families) {
    const auto found = families_.find(families);
    if (found != families_.end()) return found->second;
    Family f;
    const std::vector<std::string> names = familyNames(families);
    for (const std::string& name : names)
        if (!isGeneric(name) && !fonts::findFontFamily(name).empty()) {
            f.font = cache_.trueType(name);
            f.name = name;
            break;
        }
    if (!f.font) {
        // The first named family, or the default font when the list names none: the cache
        // puts the default in its place and names the family in the diagnostics.
        std::string wanted;
        for (const std::string& name : names)
            if (!isGeneric(name)) {
                wanted = name;
                break;
            }
        f.font = wanted.empty() ? cache_.defaultTrueType() : cache_.trueType(wanted);
        f.name =
            wanted.empty() ? fonts::recordedFontName(fonts::fontSettings().defaultFile) : wanted;
    }
    return families_.emplace(families, std::move(f)).first->second;
}

void TextOutlines::draw(const std::vector<TextRun>& runs, const Matrix& toOutput,
                        ColourGroups& groups) {
    used_ = true;
    std::vector<Laid> laid(runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        const Family& family = familyOf(runs[i].style.fontFamily);
        laid[i].fontName = family.name;
        if (!family.font || runs[i].text.empty()) continue;
        fonts::TextFont font;
        font.trueType = family.font;
        const double height = family.font->heightForEm(runs[i].style.fontSize);
        laid[i].text = fonts::layoutText(runs[i].text, font, {height, 1, 1}, cache_);
    }
    const Point xAxis = toOutput.applyVector({1, 0});
    const double rotation = std::atan2(xAxis.y, xAxis.x);
    double penX = 0, penY = 0;
    for (size_t first = 0; first < runs.size();) {
        // A chunk: this run and those after it up to the next placed one.
        size_t end = first + 1;
        while (end < runs.size() && !runs[end].placed())
            ++end;
        if (runs[first].hasX) penX = runs[first].x;
        if (runs[first].hasY) penY = runs[first].y;
        double width = 0;
        for (size_t i = first; i < end; ++i)
            width += laid[i].text.width;
        const Style::Anchor anchor = runs[first].style.anchor;
        penX -= anchor == Style::kMiddle ? width / 2 : anchor == Style::kEnd ? width : 0;
        for (size_t i = first; i < end; ++i) {
            const TextRun& run = runs[i];
            ChainOwner<Seg> segs = std::move(laid[i].text.segs);
            // Text coordinates have y up from the baseline; user space has it down.
            for (Seg* s : ring(segs.get())) {
                const Point a = toOutput.apply({penX + s->x0, penY - s->y0});
                const Point b = toOutput.apply({penX + s->x1, penY - s->y1});
                s->x0 = a.x, s->y0 = a.y, s->x1 = b.x, s->y1 = b.y;
                ++segs_;
            }
            const Point at = toOutput.apply({penX, penY});
            penX += laid[i].text.width;
            if (!run.drawn || run.text.empty()) continue;
            fonts::TextFields fields;
            fields.text = run.text;
            fields.fontName = laid[i].fontName;
            fields.rotation = rotation;
            groups.add(run.colour, fonts::textVect(std::move(segs), fields, at.x, at.y));
        }
        first = end;
    }
}

void TextOutlines::finish(ImportDiagnostics& diagnostics) const {
    if (used_) cache_.reportDiagnostics(diagnostics);
}

}  // namespace lintrel::svg
