// Colours and the cascade: colour syntaxes, paints, each selector kind of a style sheet,
// the order of presentation attributes, sheets, style attributes and !important, and
// inheritance from parent to child.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "import/svg/svg_style.h"

namespace lintrel::svg {
namespace {

uint32_t colourOf(std::string_view text) {
    uint32_t c = 0xDEADBEEF;
    EXPECT_TRUE(parseColour(text, c)) << text;
    return c;
}

TEST(SvgColour, EverySyntaxGivesBlueGreenRed) {
    EXPECT_EQ(colourOf("#f00"), 0x0000FFu);
    EXPECT_EQ(colourOf("#00FF0080"), 0x00FF00u);
    EXPECT_EQ(colourOf("#0000ff"), 0xFF0000u);
    EXPECT_EQ(colourOf("rgb(0,0,255)"), 0xFF0000u);
    EXPECT_EQ(colourOf("rgb(100%, 50%, 0%)"), 0x0080FFu);
    EXPECT_EQ(colourOf("rgba(255 0 0 / 0.5)"), 0x0000FFu);
    EXPECT_EQ(colourOf("hsl(120, 100%, 25%)"), 0x008000u);
    EXPECT_EQ(colourOf("Green"), 0x008000u);
    EXPECT_EQ(colourOf("rebeccapurple"), 0x993366u);
    EXPECT_EQ(colourOf(" yellowgreen "), 0x32CD9Au);
    uint32_t c;
    for (const char* bad :
         {"", "#12", "#ggg", "#12345", "#123456789abcdef", "rgb(1,2)", "notacolour", "url(#a)"})
        EXPECT_FALSE(parseColour(bad, c)) << bad;
}

TEST(SvgColour, Paints) {
    Paint p;
    ASSERT_TRUE(parsePaint("none", p));
    EXPECT_EQ(p.kind, Paint::kNone);
    ASSERT_TRUE(parsePaint("currentColor", p));
    EXPECT_EQ(p.kind, Paint::kCurrentColour);
    ASSERT_TRUE(parsePaint("url(#gradient) #00f", p));
    EXPECT_EQ(p.kind, Paint::kServer);
    EXPECT_EQ(p.colour, 0xFF0000u);
    EXPECT_FALSE(parsePaint("bogus", p));
}

class SvgCascade : public ::testing::Test {
  protected:
    // The computed style of the element with the given id, walking down from the root.
    Style styleOf(const char* id) {
        const pugi::xml_node target = document_.find_node([&](const pugi::xml_node& n) {
            return std::string_view(n.attribute("id").value()) == id;
        });
        EXPECT_TRUE(target) << id;
        std::vector<pugi::xml_node> path;
        for (pugi::xml_node n = target; n.type() == pugi::node_element; n = n.parent())
            path.insert(path.begin(), n);
        Style style;
        for (const pugi::xml_node& n : path)
            style = sheet_.computed(n, style);
        return style;
    }
    void load(const char* xml, const char* css) {
        ASSERT_TRUE(document_.load_string(xml));
        sheet_.add(css);
    }

    pugi::xml_document document_;
    StyleSheet sheet_;
};

TEST_F(SvgCascade, SelectorKinds) {
    load(R"~(<svg><g id="g" class="part"><rect id="r1" class="cut  hole"/><circle id="c1"/>
            <g><path id="p1"/></g></g><path id="p2" class="hole"/></svg>)~",
         R"~(rect { stroke: #010101 } .hole { stroke: #020202 } #c1 { stroke: #030303 }
            .part > path { stroke: #040404 } .part path { fill: #050505 }
            path.hole { stroke: #060606 } * { color: #070707 })~");
    EXPECT_EQ(styleOf("r1").stroke.colour, 0x020202u) << "a class outweighs a type";
    EXPECT_EQ(styleOf("c1").stroke.colour, 0x030303u);
    EXPECT_EQ(styleOf("p1").stroke.kind, Paint::kNone) << "not a child of .part";
    EXPECT_EQ(styleOf("p1").fill.colour, 0x050505u) << "but a descendant";
    EXPECT_EQ(styleOf("p2").stroke.colour, 0x060606u);
    EXPECT_EQ(styleOf("p2").fill.colour, kBlack);
    EXPECT_EQ(styleOf("c1").color, 0x070707u);
}

TEST_F(SvgCascade, OrderOfAttributesSheetsAndStyleAttributes) {
    load(R"~(<svg><rect id="a" stroke="#0000ff" class="k"/>
            <rect id="b" class="k" style="stroke: #00ff00"/>
            <rect id="c" class="imp" style="stroke: #00ff00"/>
            <rect id="d" class="k" style="stroke: #00ff00 !important"/></svg>)~",
         ".k { stroke: #ff0000 } .imp { stroke: #ffff00 !important } /* .k { stroke: #fff } */");
    EXPECT_EQ(styleOf("a").stroke.colour, 0x0000FFu) << "sheet over presentation attribute";
    EXPECT_EQ(styleOf("b").stroke.colour, 0x00FF00u) << "style attribute over sheet";
    EXPECT_EQ(styleOf("c").stroke.colour, 0x00FFFFu) << "important sheet over style attribute";
    EXPECT_EQ(styleOf("d").stroke.colour, 0x00FF00u);
}

TEST_F(SvgCascade, InheritanceAndDisplay) {
    load(R"~(<svg><g id="g" stroke="red" visibility="hidden" display="inline" color="blue">
              <path id="p" visibility="visible" fill="currentColor"/>
              <path id="q" stroke="inherit" fill="none"/>
              <g id="hidden" style="display:none"><path id="r"/></g></g></svg>)~",
         "");
    EXPECT_EQ(styleOf("p").stroke.colour, 0x0000FFu);
    EXPECT_TRUE(styleOf("p").visible);
    EXPECT_FALSE(styleOf("q").visible);
    EXPECT_EQ(styleOf("p").fill.kind, Paint::kCurrentColour);
    EXPECT_EQ(styleOf("p").color, 0xFF0000u);
    EXPECT_EQ(styleOf("q").fill.kind, Paint::kNone);
    EXPECT_FALSE(styleOf("hidden").displayed);
    EXPECT_TRUE(styleOf("r").displayed) << "display is not inherited; the walk skips subtrees";
}

TEST_F(SvgCascade, UnsupportedSelectorsAreCountedAndSkipped) {
    load(R"~(<svg><path id="p" class="ok"/></svg>)~", "");
    EXPECT_EQ(sheet_.add("@import url(other.css); @charset 'utf-8'; a:hover { fill: red } "
                         "[x] { fill: red } @media print { p { fill: red } } "
                         "g + g { fill: red } .ok { fill: blue }"),
              6);
    EXPECT_EQ(styleOf("p").fill.colour, 0xFF0000u) << "the rules after them still apply";
}

}  // namespace
}  // namespace lintrel::svg
