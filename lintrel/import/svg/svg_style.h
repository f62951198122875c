// Styles: the properties this reader uses (fill, stroke, color, display, visibility, markers,
// and for text font-family, font-size and text-anchor),
// their declarations in presentation attributes, style attributes and <style> sheets, and the
// cascade with CSS inheritance. Sheets understand type, class, id and universal selectors,
// compound selectors of them, and descendant and child combinators.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

#include "import/svg/svg_colour.h"

namespace lintrel::svg {

// The element's local name: "svg:rect" and "rect" are both "rect"; other prefixes keep theirs.
inline std::string_view localName(const pugi::xml_node& element) {
    std::string_view name = element.name();
    if (name.starts_with("svg:")) name.remove_prefix(4);
    return name;
}

struct Declaration {
    std::string name, value;
    bool important = false;
};

// The declarations of a block "name: value; ..." (names lower-cased, values trimmed).
std::vector<Declaration> declarationsOf(std::string_view block);

// The computed values of one element.
struct Style {
    Paint fill{Paint::kColour, kBlack, {}};
    Paint stroke{Paint::kNone, kBlack, {}};
    uint32_t color = kBlack;
    bool visible = true;    // visibility (inherited)
    bool displayed = true;  // display (not inherited: none hides the whole subtree)
    bool markers = false;   // marker properties name markers (which are not drawn)
    // Text (all inherited): the family list as written, the em size in user units, and where
    // a chunk of text stands against its position.
    std::string fontFamily;
    double fontSize = 16;
    enum Anchor : unsigned char { kStart, kMiddle, kEnd } anchor = kStart;
};

// A font-size value against the parent's size: a length (em and % of the parent's size), or a
// keyword. False for anything else.
bool parseFontSize(std::string_view value, double parentSize, double& size);

class StyleSheet {
  public:
    // Adds the rules of a style sheet's text; returns how many rules were skipped for their
    // selectors (attribute selectors, pseudo-classes, at-rules).
    long add(std::string_view css);
    bool empty() const { return rules_.empty(); }

    // The style of `element` given its parent's computed style.
    Style computed(const pugi::xml_node& element, const Style& parent) const;

  private:
    struct Compound {
        std::string type;  // empty for any
        std::string id;
        std::vector<std::string> classes;
        bool child = false;  // joined to the compound before it by ">", not by a space
    };
    struct Rule {
        std::vector<Compound> compounds;  // the subject last
        int specificity = 0;
        size_t order = 0;
        std::vector<Declaration> declarations;
    };

    static bool parseSelector(std::string_view text, Rule& rule);
    static bool matches(const Compound& c, const pugi::xml_node& element);
    static bool matches(const Rule& rule, const pugi::xml_node& element);

    std::vector<Rule> rules_;
};

}  // namespace lintrel::svg
