// Turning Illustrator paths into vects. Straight runs become polylines and runs of curves
// become Bezier vects (three segs per curve: P0-P1, P1-P2, P2-P3); a path that mixes them
// gives alternating vects that join end to start. A polyline starts with a placeholder seg
// from its first point to itself, which the first line replaces.
#include "import/ai/ai_paths.h"

#include <algorithm>
#include <cmath>

#include "base/diagnostics.h"
#include "import/ai/ai_diagnostics.h"
#include "model/geometry.h"

namespace lintrel::ai {

namespace {

bool isPlaceholder(const Seg& s) {
    return s.x0 == s.x1 && s.y0 == s.y1;
}

int component(double v) {
    return static_cast<int>(v * 255);
}

}  // namespace

PathBuilder::~PathBuilder() {
    if (current_) deleteLoneVect(current_);
}

void PathBuilder::setColour(double red, double green, double blue) {
    for (double c : {red, green, blue})
        if (!(c >= 0 && c <= 1)) return;
    const uint32_t value = static_cast<uint32_t>(component(red)) |
                           static_cast<uint32_t>(component(green)) << 8 |
                           static_cast<uint32_t>(component(blue)) << 16;
    const auto found = std::find(palette_.begin(), palette_.end(), value);
    if (found != palette_.end()) {
        colour_ = static_cast<int>(found - palette_.begin());
    } else if (palette_.size() < kPaletteSize) {
        palette_.push_back(value);
        colour_ = static_cast<int>(palette_.size()) - 1;
    } else {
        diagnostics_.note(diag::kAiPaletteFull,
                          "colours beyond the 300-entry palette share one group");
        colour_ = kPaletteSize;
    }
}

void PathBuilder::moveTo(Point p) {
    subpathStart_ = elements_.size();
    elements_.push_back({kMove, 1, {p}});
}

void PathBuilder::lineTo(Point p) {
    if (elements_.empty()) return;
    elements_.push_back({kLine, 1, {p}});
}

void PathBuilder::curveTo(Point p1, Point p2, Point p3) {
    if (elements_.empty()) return;
    elements_.push_back({kCurve, 4, {currentPoint(), p1, p2, p3}});
}

void PathBuilder::closeSubpath() {
    if (elements_.empty() || subpathStart_ >= elements_.size()) return;
    const Point start = elements_[subpathStart_].points[0];
    const Point end = currentPoint();
    if (start.x != end.x || start.y != end.y) lineTo(start);
}

// Every subpath that does not end at its start gets a line back to it.
void PathBuilder::closeAll() {
    std::vector<Element> closed;
    closed.reserve(elements_.size() + 4);
    long added = 0;
    Point start{}, end{};
    auto closeHere = [&] {
        if (closed.empty() || (start.x == end.x && start.y == end.y)) return;
        closed.push_back({kLine, 1, {start}});
        ++added;
    };
    for (const Element& e : elements_) {
        if (e.kind == kMove) {
            closeHere();
            start = e.points[0];
        }
        closed.push_back(e);
        end = e.points[e.count - 1];
    }
    closeHere();
    elements_.swap(closed);
    if (added)
        diagnostics_.note(diag::kAiPathClosed,
                          "closing paint joined open subpaths back to their start", added);
}

void PathBuilder::startVect(int type, Point from, Point to) {
    fileCurrent();
    current_ = newVect();
    current_->type = type;
    current_->segs = newLine(from.x, from.y, to.x, to.y);
    currentColour_ = colour_;
}

void PathBuilder::addLine(Point to) {
    if (!current_) {
        startVect(LINTREL_POLYLINE, to, to);
        return;
    }
    Seg* last = lastOf(current_->segs);
    if (current_->type == LINTREL_BEZIER) {
        startVect(LINTREL_POLYLINE, segEnd(*last), to);
    } else if (isPlaceholder(*last)) {
        last->x1 = to.x;
        last->y1 = to.y;
    } else {
        append(current_->segs, newLine(last->x1, last->y1, to.x, to.y));
    }
}

void PathBuilder::addCurve(const Element& e) {
    const Point* p = e.points;
    if (!current_ || current_->type != LINTREL_BEZIER) {
        if (current_) {
            Seg* last = lastOf(current_->segs);
            if (isPlaceholder(*last)) {
                last->x1 = p[0].x;
                last->y1 = p[0].y;
            } else if (last->x1 != p[0].x || last->y1 != p[0].y) {
                append(current_->segs, newLine(last->x1, last->y1, p[0].x, p[0].y));
            }
        }
        startVect(LINTREL_BEZIER, p[0], p[1]);
    } else {
        append(current_->segs, newLine(p[0].x, p[0].y, p[1].x, p[1].y));
    }
    append(current_->segs, newLine(p[1].x, p[1].y, p[2].x, p[2].y));
    append(current_->segs, newLine(p[2].x, p[2].y, p[3].x, p[3].y));
}

// A polyline loses a trailing placeholder; a vect left without segs is dropped.
void PathBuilder::fileCurrent() {
    Vect* v = std::exchange(current_, nullptr);
    if (!v) return;
    if (v->type == LINTREL_POLYLINE && v->segs && isPlaceholder(*lastOf(v->segs)))
        eraseFrom(v->segs, lastOf(v->segs));
    if (!v->segs) {
        deleteLoneVect(v);
        return;
    }
    cacheSegBox(*v);
    if (groupOfColour_.size() <= static_cast<size_t>(currentColour_))
        groupOfColour_.resize(static_cast<size_t>(currentColour_) + 1, nullptr);
    VectGroup*& group = groupOfColour_[static_cast<size_t>(currentColour_)];
    if (!group) {
        group = newGroup();
        group->number = currentColour_;
        groups_.append(group);
    }
    append(group->vects, v);
}

void PathBuilder::build() {
    for (const Element& e : elements_) {
        if (e.kind == kMove)
            startVect(LINTREL_POLYLINE, e.points[0], e.points[0]);
        else if (e.kind == kLine)
            addLine(e.points[0]);
        else
            addCurve(e);
    }
    elements_.clear();
    subpathStart_ = 0;
}

void PathBuilder::paint(bool close) {
    if (close) closeAll();
    build();
}

void PathBuilder::discard() {
    if (elements_.empty()) return;
    diagnostics_.note(diag::kAiPathDiscarded, "unpainted paths (clipping, guides) dropped");
    elements_.clear();
    subpathStart_ = 0;
}

VectGroup* PathBuilder::finish() {
    build();
    fileCurrent();
    for (VectGroup* g : ring(groups_.get()))
        g->colour = static_cast<size_t>(g->number) < palette_.size() ? palette_[g->number] : 0;
    groupOfColour_.clear();
    return groups_.release();
}

}  // namespace lintrel::ai
