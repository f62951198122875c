// The document walk: viewports (the root svg, nested svg, symbols), groups, uses and shapes,
// with the transform and style each element inherits. Text becomes glyph outlines. What is not
// drawn (definitions, clip paths, masks, patterns, markers, text on paths, images) is skipped
// and named in the diagnostics.
#pragma once

#include <pugixml.hpp>

#include <string_view>
#include <unordered_map>
#include <vector>

#include "import/import_context.h"
#include "import/svg/svg_diagnostics.h"
#include "import/svg/svg_length.h"
#include "import/svg/svg_shapes.h"
#include "import/svg/svg_style.h"
#include "import/svg/svg_text.h"

namespace lintrel::svg {

class DocumentWalker {
  public:
    DocumentWalker(const pugi::xml_node& root, ImportContext& context, ShapeBuilder& builder);
    // Walks the whole drawing from its root svg element.
    void walk();

  private:
    struct State {
        Matrix toOutput;  // user space of the element to millimetres, y up
        Style style;
        LengthBase base;
    };

    void collect(const pugi::xml_node& node);
    void walkRoot();
    void pageSize(const ViewBox* box, double& width, double& height);
    void visit(const pugi::xml_node& element, const State& parent);
    void visitChildren(const pugi::xml_node& element, const State& state);
    void visitSwitch(const pugi::xml_node& element, const State& state);
    void visitUse(const pugi::xml_node& use, const State& state);
    // A viewport (nested svg, or a symbol or svg instanced by a use) at x, y of the given size.
    void visitViewport(const pugi::xml_node& element, const State& state, double x, double y,
                       double width, double height);
    void drawShape(const pugi::xml_node& shape, std::string_view name, const State& state);
    void drawRect(const pugi::xml_node& rect, const State& state);
    void drawText(const pugi::xml_node& text, const State& state);
    // The runs of a text element or tspan and of the tspans within it.
    void collectRuns(const pugi::xml_node& element, const State& state, std::vector<TextRun>& runs);
    // The first of a list of coordinates (x="10 20 30" places each character; only the first
    // is used); false when the attribute is absent.
    bool firstCoordinate(const pugi::xml_node& element, const char* attribute, Axis axis,
                         const State& state, double& value);
    bool paintColour(const Style& style, uint32_t& colour);
    uint32_t gradientColour(std::string_view id, uint32_t fallback) const;
    double length(const pugi::xml_node& element, const char* attribute, Axis axis,
                  const State& state, double fallback);
    void noteNotDrawn(std::string_view name);
    void note(int code, long count = 1) { noteSvg(context_.diagnostics, code, count); }
    bool budgetLeft();

    pugi::xml_node root_;
    ImportContext& context_;
    ShapeBuilder& builder_;
    TextOutlines text_;
    StyleSheet sheet_;
    std::unordered_map<std::string_view, pugi::xml_node> ids_;
    std::vector<pugi::xml_node> useTargets_;  // elements being instanced, innermost last
    long visits_ = 0;
    int nesting_ = 0;
    bool stopped_ = false;
};

}  // namespace lintrel::svg
