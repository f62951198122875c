// The cascade: presentation attributes first, then sheet rules by specificity and order, then
// the style attribute, then !important sheet rules and !important style declarations. Values
// that do not parse leave the property as it was, as CSS drops invalid declarations.
#include "import/svg/svg_style.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "import/svg/svg_length.h"
#include "import/svg/svg_numbers.h"

namespace lintrel::svg {

namespace {

// Drops /* comments */ and the <!-- --> markers sheets may be wrapped in.
std::string withoutComments(std::string_view css) {
    std::string out;
    out.reserve(css.size());
    for (size_t i = 0; i < css.size(); ++i) {
        if (css.compare(i, 2, "/*") == 0) {
            const size_t end = css.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 1;
            out += ' ';
        } else if (css.compare(i, 4, "<!--") == 0) {
            i += 3;
        } else if (css.compare(i, 3, "-->") == 0) {
            i += 2;
        } else {
            out += css[i];
        }
    }
    return out;
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// Applies one declaration to a style; the parent's style serves "inherit".
void applyDeclaration(std::string_view name, std::string_view value, const Style& parent,
                      Style& style) {
    const bool inherit = value == "inherit";
    if (name == "fill") {
        if (inherit)
            style.fill = parent.fill;
        else
            parsePaint(value, style.fill);
    } else if (name == "stroke") {
        if (inherit)
            style.stroke = parent.stroke;
        else
            parsePaint(value, style.stroke);
    } else if (name == "color") {
        if (inherit)
            style.color = parent.color;
        else
            parseColour(value, style.color);
    } else if (name == "display") {
        style.displayed = inherit ? parent.displayed : value != "none";
    } else if (name.starts_with("marker")) {
        style.markers = inherit ? parent.markers : value != "none";
    } else if (name == "visibility") {
        style.visible = inherit ? parent.visible : !(value == "hidden" || value == "collapse");
    } else if (name == "font-family") {
        style.fontFamily = inherit ? parent.fontFamily : std::string(value);
    } else if (name == "font-size") {
        double size = 0;
        if (inherit)
            style.fontSize = parent.fontSize;
        else if (parseFontSize(value, parent.fontSize, size))
            style.fontSize = size;
    } else if (name == "text-anchor") {
        if (inherit)
            style.anchor = parent.anchor;
        else if (value == "start")
            style.anchor = Style::kStart;
        else if (value == "middle")
            style.anchor = Style::kMiddle;
        else if (value == "end")
            style.anchor = Style::kEnd;
    }
}

bool isStyleProperty(std::string_view name) {
    return name == "fill" || name == "stroke" || name == "color" || name == "display" ||
           name == "visibility" || name.starts_with("marker") || name == "font-family" ||
           name == "font-size" || name == "text-anchor";
}

}  // namespace

bool parseFontSize(std::string_view value, double parentSize, double& size) {
    // The absolute keywords by CSS's scale from medium (16 px); larger and smaller step by 1.2.
    static constexpr std::pair<std::string_view, double> kKeywords[] = {
        {"xx-small", 9}, {"x-small", 10}, {"small", 13},    {"medium", 16},
        {"large", 18},   {"x-large", 24}, {"xx-large", 32}, {"xxx-large", 48}};
    for (const auto& [keyword, px] : kKeywords)
        if (value == keyword) {
            size = px;
            return true;
        }
    if (value == "larger" || value == "smaller") {
        size = value == "larger" ? parentSize * 1.2 : parentSize / 1.2;
        return true;
    }
    Length l;
    switch (parseLength(value, LengthBase{0, 0, parentSize}, Axis::kOther, l)) {
        case LengthStatus::kAbsolute:
            size = l.value;
            break;
        case LengthStatus::kRelative:
            size = l.percent ? parentSize * l.number / 100 : l.value;
            break;
        case LengthStatus::kBad:
            return false;
    }
    return size >= 0 && std::isfinite(size);
}

std::vector<Declaration> declarationsOf(std::string_view block) {
    std::vector<Declaration> out;
    while (!block.empty()) {
        const size_t end = std::min(block.find(';'), block.size());
        const std::string_view one = block.substr(0, end);
        block.remove_prefix(std::min(end + 1, block.size()));
        const size_t colon = one.find(':');
        if (colon == std::string_view::npos) continue;
        Declaration d;
        d.name = lowerCase(trimmed(one.substr(0, colon)));
        std::string_view value = trimmed(one.substr(colon + 1));
        const size_t bang = value.rfind('!');
        if (bang != std::string_view::npos &&
            lowerCase(trimmed(value.substr(bang + 1))) == "important") {
            d.important = true;
            value = trimmed(value.substr(0, bang));
        }
        d.value = std::string(value);
        if (!d.name.empty()) out.push_back(std::move(d));
    }
    return out;
}

bool StyleSheet::parseSelector(std::string_view text, Rule& rule) {
    text = trimmed(text);
    if (text.empty()) return false;
    int ids = 0, classes = 0, types = 0;
    bool child = false;
    size_t i = 0;
    while (i < text.size()) {
        if (isSvgSpace(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '>') {
            if (rule.compounds.empty() || child) return false;
            child = true;
            ++i;
            continue;
        }
        Compound c;
        c.child = child;
        child = false;
        bool any = false;
        while (i < text.size() && !isSvgSpace(text[i]) && text[i] != '>') {
            const char kind = text[i];
            if (kind == '*') {
                ++i;
                any = true;
                continue;
            }
            const bool prefixed = kind == '.' || kind == '#';
            if (!prefixed && !isNameChar(kind)) return false;  // [attr], :pseudo, +, ~ ...
            if (prefixed) ++i;
            const size_t from = i;
            while (i < text.size() && isNameChar(text[i]))
                ++i;
            if (i == from) return false;
            const std::string name(text.substr(from, i - from));
            if (kind == '.') {
                c.classes.push_back(name);
                ++classes;
            } else if (kind == '#') {
                c.id = name;
                ++ids;
            } else {
                c.type = name;
                ++types;
            }
            any = true;
        }
        if (!any) return false;
        rule.compounds.push_back(std::move(c));
    }
    if (child || rule.compounds.empty()) return false;
    rule.specificity = ids * 10000 + classes * 100 + types;
    return true;
}

long StyleSheet::add(std::string_view css) {
    const std::string text = withoutComments(css);
    std::string_view rest(text);
    long skipped = 0;
    while (true) {
        rest = trimmed(rest);
        const size_t open = rest.find('{');
        if (open == std::string_view::npos) break;
        // At-rules without a block (@import, @charset) end at their semicolon.
        const size_t semicolon = rest.find(';');
        if (rest.starts_with("@") && semicolon < open) {
            rest.remove_prefix(semicolon + 1);
            ++skipped;
            continue;
        }
        // Blocks nest only in at-rules (@media ...), which are skipped whole.
        int depth = 1;
        size_t close = open + 1;
        for (; close < rest.size() && depth > 0; ++close)
            depth += rest[close] == '{' ? 1 : rest[close] == '}' ? -1 : 0;
        const size_t blockEnd = depth == 0 ? close - 1 : rest.size();
        const std::string_view prelude = trimmed(rest.substr(0, open));
        const std::string_view block = rest.substr(open + 1, blockEnd - open - 1);
        rest.remove_prefix(close);
        if (prelude.starts_with("@")) {
            ++skipped;
            continue;
        }
        const std::vector<Declaration> declarations = declarationsOf(block);
        std::string_view selectors = prelude;
        while (!selectors.empty()) {
            const size_t comma = std::min(selectors.find(','), selectors.size());
            Rule rule;
            if (parseSelector(selectors.substr(0, comma), rule)) {
                rule.order = rules_.size();
                rule.declarations = declarations;
                rules_.push_back(std::move(rule));
            } else {
                ++skipped;
            }
            selectors.remove_prefix(std::min(comma + 1, selectors.size()));
        }
    }
    std::stable_sort(rules_.begin(), rules_.end(), [](const Rule& a, const Rule& b) {
        return a.specificity != b.specificity ? a.specificity < b.specificity : a.order < b.order;
    });
    return skipped;
}

bool StyleSheet::matches(const Compound& c, const pugi::xml_node& element) {
    if (!c.type.empty() && c.type != localName(element)) return false;
    if (!c.id.empty() && c.id != element.attribute("id").value()) return false;
    if (c.classes.empty()) return true;
    const std::string_view list = element.attribute("class").value();
    for (const std::string& wanted : c.classes) {
        bool found = false;
        for (size_t i = 0; i < list.size() && !found;) {
            while (i < list.size() && isSvgSpace(list[i]))
                ++i;
            size_t j = i;
            while (j < list.size() && !isSvgSpace(list[j]))
                ++j;
            found = list.substr(i, j - i) == wanted;
            i = j;
        }
        if (!found) return false;
    }
    return true;
}

bool StyleSheet::matches(const Rule& rule, const pugi::xml_node& element) {
    const std::vector<Compound>& cs = rule.compounds;
    if (!matches(cs.back(), element)) return false;
    // Right to left: each earlier compound must match the parent (">") or some ancestor.
    pugi::xml_node at = element;
    for (size_t k = cs.size() - 1; k-- > 0;) {
        const bool child = cs[k + 1].child;
        at = at.parent();
        while (at.type() == pugi::node_element && !matches(cs[k], at)) {
            if (child) return false;
            at = at.parent();
        }
        if (at.type() != pugi::node_element) return false;
    }
    return true;
}

Style StyleSheet::computed(const pugi::xml_node& element, const Style& parent) const {
    Style style = parent;
    style.displayed = true;
    for (const pugi::xml_attribute& a : element.attributes())
        if (isStyleProperty(a.name()))
            applyDeclaration(a.name(), trimmed(a.value()), parent, style);
    std::vector<const Rule*> matched;
    for (const Rule& rule : rules_)
        if (matches(rule, element)) matched.push_back(&rule);
    const std::vector<Declaration> inline_ = declarationsOf(element.attribute("style").value());
    for (const bool important : {false, true}) {
        for (const Rule* rule : matched)
            for (const Declaration& d : rule->declarations)
                if (d.important == important) applyDeclaration(d.name, d.value, parent, style);
        for (const Declaration& d : inline_)
            if (d.important == important) applyDeclaration(d.name, d.value, parent, style);
    }
    return style;
}

}  // namespace lintrel::svg
