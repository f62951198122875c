// The walk over the element tree. The root's width, height and view box fix the page: user
// units become CSS pixels and then millimetres, and y is turned to point up with the page's
// lower edge at y = 0. Uses are followed with their nesting bounded, and the whole walk draws
// at most a fixed number of elements and segs, so that no file can make it run without end.
#include "import/svg/svg_document.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "import/svg/svg_diagnostics.h"
#include "import/svg/svg_numbers.h"

#ifndef LINTREL_SVG_SEG_LIMIT_LOG2
#define LINTREL_SVG_SEG_LIMIT_LOG2 23
#endif

namespace lintrel::svg {

namespace {

// The budget of one drawing: segs built, and elements visited (uses may visit an element
// many times over).
constexpr long kMaxSegs = 1L << LINTREL_SVG_SEG_LIMIT_LOG2;
constexpr long kMaxVisits = kMaxSegs / 2;
constexpr size_t kMaxUseDepth = 16;
constexpr int kMaxNesting = 200;

bool isShape(std::string_view name) {
    return name == "path" || name == "rect" || name == "circle" || name == "ellipse" ||
           name == "line" || name == "polyline" || name == "polygon";
}

// Clip paths and masks only hide parts of what they apply to; the shapes are drawn whole.
bool isClipped(const pugi::xml_node& element) {
    for (const char* name : {"clip-path", "mask"}) {
        const std::string_view value = element.attribute(name).value();
        if (!value.empty() && value != "none") return true;
    }
    const std::string_view style = element.attribute("style").value();
    return style.find("clip-path:") != std::string_view::npos ||
           style.find("mask:") != std::string_view::npos;
}

std::string_view hrefOf(const pugi::xml_node& use) {
    std::string_view href = use.attribute("href").value();
    if (href.empty()) href = use.attribute("xlink:href").value();
    return href;
}

// The text of a <style> element, which may be split into text and CDATA parts.
std::string styleText(const pugi::xml_node& style) {
    std::string text;
    for (const pugi::xml_node& part : style.children())
        if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata)
            text += part.value();
    return text;
}

}  // namespace

DocumentWalker::DocumentWalker(const pugi::xml_node& root, ImportContext& context,
                               ShapeBuilder& builder)
    : root_(root), context_(context), builder_(builder) {}

// Ids, style sheets and layers, in document order, without recursion (documents may nest
// deeper than the stack would allow).
void DocumentWalker::collect(const pugi::xml_node& top) {
    long layers = 0, skippedRules = 0;
    pugi::xml_node node = top;
    while (node) {
        if (node.type() == pugi::node_element) {
            const std::string_view id = node.attribute("id").value();
            if (!id.empty()) ids_.emplace(id, node);
            const std::string_view type = node.attribute("type").value();
            if (localName(node) == "style" && (type.empty() || type == "text/css"))
                skippedRules += sheet_.add(styleText(node));
            if (std::strcmp(node.attribute("inkscape:groupmode").value(), "layer") == 0) ++layers;
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != top && !node.next_sibling())
            node = node.parent();
        node = node && node != top ? node.next_sibling() : pugi::xml_node();
    }
    if (skippedRules) note(diag::kSvgSelectorSkipped, skippedRules);
    if (layers) note(diag::kSvgLayersMerged, layers);
}

void DocumentWalker::walk() {
    walkRoot();
    text_.finish(context_.diagnostics);
}

void DocumentWalker::walkRoot() {
    collect(root_);
    ViewBox box;
    const bool hasBox = parseViewBox(root_.attribute("viewBox").value(), box);
    const LengthBase boxBase{hasBox ? box.width : 0, hasBox ? box.height : 0};
    double width = 0, height = 0;
    pageSize(hasBox ? &box : nullptr, width, height);
    State state;
    const double k = kMillimetresPerPixel;
    state.toOutput = {k, 0, 0, -k, 0, height * k};
    Matrix own;
    if (parseTransform(root_.attribute("transform").value(), own))
        state.toOutput = state.toOutput * own;
    if (hasBox && width > 0 && height > 0)
        state.toOutput =
            state.toOutput *
            viewBoxTransform(box, parseAspectRatio(root_.attribute("preserveAspectRatio").value()),
                             0, 0, width, height);
    state.base = hasBox ? boxBase : LengthBase{width, height};
    state.style = sheet_.computed(root_, Style{});
    if (!state.style.displayed) return;
    visitChildren(root_, state);
}

// The page in pixels: width and height as written; a missing one follows the view box's
// proportions, and without either the page is the view box's own size.
void DocumentWalker::pageSize(const ViewBox* box, double& width, double& height) {
    const LengthBase base{box ? box->width : 0, box ? box->height : 0};
    auto written = [&](const char* name, Axis axis) {
        Length l;
        const char* text = root_.attribute(name).value();
        const LengthStatus status = parseLength(text, base, axis, l);
        if (status == LengthStatus::kAbsolute && l.value > 0) return l.value;
        if (status == LengthStatus::kBad && *text) note(diag::kSvgBadValue);
        return 0.0;
    };
    width = written("width", Axis::kX);
    height = written("height", Axis::kY);
    if (!box) return;
    if (width > 0 && !(height > 0))
        height = width * box->height / box->width;
    else if (height > 0 && !(width > 0))
        width = height * box->width / box->height;
    else if (!(width > 0))
        width = box->width, height = box->height;
}

bool DocumentWalker::budgetLeft() {
    if (!stopped_ &&
        (++visits_ > kMaxVisits || builder_.segCount() + text_.segCount() > kMaxSegs)) {
        stopped_ = true;
        note(diag::kSvgInstanceLimit);
    }
    return !stopped_;
}

void DocumentWalker::visitChildren(const pugi::xml_node& element, const State& state) {
    for (const pugi::xml_node& child : element.children())
        if (child.type() == pugi::node_element) visit(child, state);
}

void DocumentWalker::visit(const pugi::xml_node& element, const State& parent) {
    const std::string_view name = localName(element);
    const bool container = name == "g" || name == "a" || name == "svg" || name == "switch";
    const bool notDrawn = name == "image" || name == "foreignObject";
    if (!container && !notDrawn && !isShape(name) && name != "use" && name != "text") return;
    if (!budgetLeft()) return;
    if (nesting_ >= kMaxNesting) {
        note(diag::kSvgUseBounded);
        return;
    }
    State state = parent;
    state.style = sheet_.computed(element, parent.style);
    if (!state.style.displayed) {
        note(diag::kSvgHidden);
        return;
    }
    if (isClipped(element)) note(diag::kSvgClipNotApplied);
    const char* transform = element.attribute("transform").value();
    Matrix local;
    if (!parseTransform(transform, local)) note(diag::kSvgBadValue);
    state.toOutput = parent.toOutput * local;
    ++nesting_;
    if (name == "g" || name == "a")
        visitChildren(element, state);
    else if (name == "switch")
        visitSwitch(element, state);
    else if (name == "svg")
        visitViewport(element, state, length(element, "x", Axis::kX, state, 0),
                      length(element, "y", Axis::kY, state, 0),
                      length(element, "width", Axis::kX, state, state.base.viewportWidth),
                      length(element, "height", Axis::kY, state, state.base.viewportHeight));
    else if (name == "use")
        visitUse(element, state);
    else if (isShape(name))
        drawShape(element, name, state);
    else if (name == "text")
        drawText(element, state);
    else if (state.style.visible)
        noteNotDrawn(name);
    --nesting_;
}

void DocumentWalker::noteNotDrawn(std::string_view name) {
    if (name == "image")
        note(diag::kSvgImageNotConverted);
    else
        note(diag::kSvgForeignSkipped);
}

// The first child whose conditions hold; extensions are never supported here.
void DocumentWalker::visitSwitch(const pugi::xml_node& element, const State& state) {
    for (const pugi::xml_node& child : element.children())
        if (child.type() == pugi::node_element && !child.attribute("requiredExtensions") &&
            localName(child) != "foreignObject") {
            visit(child, state);
            return;
        }
}

void DocumentWalker::visitUse(const pugi::xml_node& use, const State& state) {
    const std::string_view href = hrefOf(use);
    const auto found = href.starts_with("#") ? ids_.find(href.substr(1)) : ids_.end();
    if (found == ids_.end()) {
        note(diag::kSvgUseUnresolved);
        return;
    }
    const pugi::xml_node target = found->second;
    if (useTargets_.size() >= kMaxUseDepth ||
        std::find(useTargets_.begin(), useTargets_.end(), target) != useTargets_.end()) {
        note(diag::kSvgUseBounded);
        return;
    }
    State inner = state;
    inner.toOutput = state.toOutput * translation(length(use, "x", Axis::kX, state, 0),
                                                  length(use, "y", Axis::kY, state, 0));
    useTargets_.push_back(target);
    const std::string_view name = localName(target);
    if (name == "symbol" || name == "svg") {
        inner.style = sheet_.computed(target, state.style);
        // The use's size replaces the viewport's; a symbol without one fills the viewport.
        const double fallbackWidth =
            name == "svg" ? length(target, "width", Axis::kX, state, state.base.viewportWidth)
                          : state.base.viewportWidth;
        const double fallbackHeight =
            name == "svg" ? length(target, "height", Axis::kY, state, state.base.viewportHeight)
                          : state.base.viewportHeight;
        if (inner.style.displayed)
            visitViewport(target, inner, 0, 0, length(use, "width", Axis::kX, state, fallbackWidth),
                          length(use, "height", Axis::kY, state, fallbackHeight));
    } else {
        visit(target, inner);
    }
    useTargets_.pop_back();
}

void DocumentWalker::visitViewport(const pugi::xml_node& element, const State& state, double x,
                                   double y, double width, double height) {
    State inner = state;
    ViewBox box;
    if (parseViewBox(element.attribute("viewBox").value(), box)) {
        if (!(width > 0 && height > 0)) return;
        inner.toOutput =
            state.toOutput *
            viewBoxTransform(box,
                             parseAspectRatio(element.attribute("preserveAspectRatio").value()), x,
                             y, width, height);
        inner.base = {box.width, box.height, state.base.fontSize};
    } else {
        inner.toOutput = state.toOutput * translation(x, y);
        inner.base = {width, height, state.base.fontSize};
    }
    visitChildren(element, inner);
}

bool DocumentWalker::paintColour(const Style& style, uint32_t& colour) {
    const Paint& paint = style.stroke.kind != Paint::kNone ? style.stroke : style.fill;
    switch (paint.kind) {
        case Paint::kNone:
            return false;
        case Paint::kColour:
            colour = paint.colour;
            return true;
        case Paint::kCurrentColour:
            colour = style.color;
            return true;
        case Paint::kServer:
            note(diag::kSvgPaintServer);
            colour = gradientColour(paint.server, paint.colour);
            return true;
    }
    return false;
}

// The colour of a gradient's first stop, following the references by which gradients take
// their stops from others; `fallback` for patterns and unknown references.
uint32_t DocumentWalker::gradientColour(std::string_view id, uint32_t fallback) const {
    for (int hops = 0; hops < 8; ++hops) {
        const auto found = ids_.find(id);
        if (found == ids_.end()) return fallback;
        const pugi::xml_node gradient = found->second;
        const std::string_view name = localName(gradient);
        if (name != "linearGradient" && name != "radialGradient") return fallback;
        for (const pugi::xml_node& stop : gradient.children()) {
            if (localName(stop) != "stop") continue;
            std::string value = stop.attribute("stop-color").value();
            for (const Declaration& d : declarationsOf(stop.attribute("style").value()))
                if (d.name == "stop-color") value = d.value;
            uint32_t colour = kBlack;
            return parseColour(value, colour) ? colour : kBlack;
        }
        id = hrefOf(gradient);
        if (!id.starts_with("#")) return fallback;
        id.remove_prefix(1);
    }
    return fallback;
}

double DocumentWalker::length(const pugi::xml_node& element, const char* attribute, Axis axis,
                              const State& state, double fallback) {
    const char* text = element.attribute(attribute).value();
    if (!*text) return fallback;
    Length l;
    switch (parseLength(text, state.base, axis, l)) {
        case LengthStatus::kAbsolute:
            return l.value;
        case LengthStatus::kRelative:
            if (!l.percent || !(state.base.viewportWidth > 0 && state.base.viewportHeight > 0))
                note(diag::kSvgRelativeLength);
            return l.value;
        case LengthStatus::kBad:
            break;
    }
    note(diag::kSvgBadValue);
    return fallback;
}

void DocumentWalker::drawShape(const pugi::xml_node& shape, std::string_view name,
                               const State& state) {
    if (!state.style.visible) {
        note(diag::kSvgHidden);
        return;
    }
    uint32_t colour = kBlack;
    if (!paintColour(state.style, colour)) {
        note(diag::kSvgUnpainted);
        return;
    }
    if (state.style.markers) note(diag::kSvgMarkersNotDrawn);
    builder_.begin(state.toOutput, colour);
    bool complete = true;
    auto at = [&](const char* x, const char* y) {
        return Point{length(shape, x, Axis::kX, state, 0), length(shape, y, Axis::kY, state, 0)};
    };
    if (name == "path") {
        complete = parsePathData(shape.attribute("d").value(), builder_);
    } else if (name == "rect") {
        drawRect(shape, state);
    } else if (name == "circle") {
        const double r = length(shape, "r", Axis::kOther, state, 0);
        builder_.circle(at("cx", "cy"), r, r);
    } else if (name == "ellipse") {
        // A missing radius takes the other's value.
        double rx = length(shape, "rx", Axis::kX, state, -1);
        double ry = length(shape, "ry", Axis::kY, state, -1);
        if (rx < 0) rx = ry;
        if (ry < 0) ry = rx;
        builder_.circle(at("cx", "cy"), rx, ry);
    } else if (name == "line") {
        builder_.moveTo(at("x1", "y1"));
        builder_.lineTo(at("x2", "y2"));
    } else {
        complete = parsePointList(shape.attribute("points").value(), name == "polygon", builder_);
    }
    builder_.end();
    if (const long dropped = builder_.takeDropped()) note(diag::kSvgOutOfRange, dropped);
    if (!complete) note(diag::kSvgPathDataError);
}

// A rect, rounded when rx or ry is given (a missing one takes the other's value), with radii
// limited to half the sides.
void DocumentWalker::drawRect(const pugi::xml_node& rect, const State& state) {
    const double x = length(rect, "x", Axis::kX, state, 0),
                 y = length(rect, "y", Axis::kY, state, 0);
    const double w = length(rect, "width", Axis::kX, state, 0);
    const double h = length(rect, "height", Axis::kY, state, 0);
    if (!(w > 0 && h > 0)) return;
    double rx = length(rect, "rx", Axis::kX, state, -1),
           ry = length(rect, "ry", Axis::kY, state, -1);
    if (rx < 0) rx = ry;
    if (ry < 0) ry = rx;
    rx = std::clamp(rx, 0.0, w / 2);
    ry = std::clamp(ry, 0.0, h / 2);
    const bool round = rx > 0 && ry > 0;
    if (!round) rx = ry = 0;
    const Point corners[8] = {{x + rx, y},         {x + w - rx, y},     {x + w, y + ry},
                              {x + w, y + h - ry}, {x + w - rx, y + h}, {x + rx, y + h},
                              {x, y + h - ry},     {x, y + ry}};
    builder_.moveTo(corners[0]);
    for (int i = 1; i <= 8; ++i) {
        const Point p = corners[i % 8];
        if (i % 2 == 0)
            builder_.arcTo(rx, ry, 0, false, true, p);  // a zero radius draws a line, or nothing
        else if (p.x != corners[i - 1].x || p.y != corners[i - 1].y)
            builder_.lineTo(p);
    }
    builder_.closePath();
}

void DocumentWalker::drawText(const pugi::xml_node& text, const State& state) {
    std::vector<TextRun> runs;
    collectRuns(text, state, runs);
    // The text element starts the first chunk, at 0, 0 when it sets no position.
    if (!runs.empty()) runs[0].hasX = runs[0].hasY = true;
    collapseWhiteSpace(runs);
    text_.draw(runs, state.toOutput, builder_.groups());
}

void DocumentWalker::collectRuns(const pugi::xml_node& element, const State& state,
                                 std::vector<TextRun>& runs) {
    TextRun run;
    run.style = state.style;
    run.hasX = firstCoordinate(element, "x", Axis::kX, state, run.x);
    run.hasY = firstCoordinate(element, "y", Axis::kY, state, run.y);
    run.drawn = state.style.visible && paintColour(state.style, run.colour);
    if (!state.style.visible) note(diag::kSvgHidden);
    bool unpaintedNoted = false;
    // Characters after a child tspan continue in this element's style, in a run of their own.
    auto flush = [&] {
        if (run.text.empty()) return;
        if (!run.drawn && state.style.visible && !unpaintedNoted) {
            note(diag::kSvgUnpainted);
            unpaintedNoted = true;
        }
        runs.push_back(run);
        run.text.clear();
        run.hasX = run.hasY = false;
    };
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            run.text += child.value();
            continue;
        }
        if (child.type() != pugi::node_element) continue;
        const std::string_view name = localName(child);
        if (name != "tspan" && name != "a") {
            // Text on a path, and the old tref and altGlyph, are not drawn.
            if (name == "textPath" || name == "tref" || name == "altGlyph")
                note(diag::kSvgTextNotConverted);
            continue;
        }
        flush();
        if (run.hasX || run.hasY) {
            runs.push_back(run);  // an empty run that only places the pen
            run.hasX = run.hasY = false;
        }
        State inner = state;
        inner.style = sheet_.computed(child, state.style);
        if (!inner.style.displayed) {
            note(diag::kSvgHidden);
            continue;
        }
        collectRuns(child, inner, runs);
    }
    flush();
    if (run.hasX || run.hasY) runs.push_back(run);
}

bool DocumentWalker::firstCoordinate(const pugi::xml_node& element, const char* attribute,
                                     Axis axis, const State& state, double& value) {
    std::string_view list = trimmed(element.attribute(attribute).value());
    if (list.empty()) return false;
    size_t end = 0;
    while (end < list.size() && !isSvgSpace(list[end]) && list[end] != ',')
        ++end;
    const std::string first(list.substr(0, end));
    Length l;
    if (parseLength(first, state.base, axis, l) == LengthStatus::kBad) {
        note(diag::kSvgBadValue);
        return false;
    }
    value = l.value;
    return true;
}

}  // namespace lintrel::svg
