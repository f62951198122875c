// The shape builder. Points are transformed as they arrive; a polyline or Bezier vect grows
// until the kind of piece changes or the subpath ends, so that a path mixing lines and curves
// gives vects that join end to start. A closed subpath made of one vect is marked closed.
#include "import/svg/svg_shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/geometry.h"

namespace lintrel::svg {

namespace {

// Arcs whose sweep the arc record would take for a full circle are drawn as lines: their
// sagitta is far below any flattening precision.
constexpr double kShortestArcSweep = 4 * kSame;

}  // namespace

void ColourGroups::add(uint32_t colour, Vect* vect) {
    cacheSegBox(*vect);
    VectGroup*& group = byColour_[colour];
    if (!group) {
        group = newGroup();
        group->colour = colour;
        group->number = static_cast<int32_t>(byColour_.size());
        groups_.append(group);
    }
    append(group->vects, vect);
}

ShapeBuilder::~ShapeBuilder() {
    if (current_) deleteLoneVect(current_);
}

void ShapeBuilder::begin(const Matrix& toOutput, uint32_t colour) {
    file();
    toOutput_ = toOutput;
    similar_ = toOutput.isSimilarity();
    colour_ = colour;
    hasPoint_ = false;
}

void ShapeBuilder::end() {
    file();
    hasPoint_ = false;
}

void ShapeBuilder::file() {
    Vect* v = std::exchange(current_, nullptr);
    if (v) groups_.add(colour_, v);
}

Vect* ShapeBuilder::startVect(int type) {
    file();
    current_ = newVect();
    current_->type = type;
    firstOfSubpath_ = ++subpathVects_ == 1 ? current_ : nullptr;
    return current_;
}

void ShapeBuilder::appendSeg(Point from, Point to) {
    append(current_->segs, newLine(from.x, from.y, to.x, to.y));
    ++segs_;
}

bool ShapeBuilder::usable(std::initializer_list<Point> points) {
    for (const Point p : points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            ++dropped_;
            file();
            hasPoint_ = false;
            return false;
        }
    return true;
}

void ShapeBuilder::moveTo(Point p) {
    file();
    userPoint_ = userStart_ = p;
    outPoint_ = outStart_ = toOutput_.apply(p);
    hasPoint_ = usable({outPoint_});
    subpathVects_ = 0;
    firstOfSubpath_ = nullptr;
}

void ShapeBuilder::lineTo(Point p) {
    if (!hasPoint_) return moveTo(p);
    const Point out = toOutput_.apply(p);
    if (!usable({out})) return;
    if (!current_ || current_->type != LINTREL_POLYLINE) startVect(LINTREL_POLYLINE);
    appendSeg(outPoint_, out);
    userPoint_ = p;
    outPoint_ = out;
}

void ShapeBuilder::cubicTo(Point c1, Point c2, Point p) {
    if (!hasPoint_) return moveTo(p);
    const Point o1 = toOutput_.apply(c1), o2 = toOutput_.apply(c2), out = toOutput_.apply(p);
    if (!usable({o1, o2, out})) return;
    if (!current_ || current_->type != LINTREL_BEZIER) startVect(LINTREL_BEZIER);
    appendSeg(outPoint_, o1);
    appendSeg(o1, o2);
    appendSeg(o2, out);
    userPoint_ = p;
    outPoint_ = out;
}

void ShapeBuilder::arcTo(double rx, double ry, double xAxisRotation, bool largeArc, bool sweep,
                         Point p) {
    if (!hasPoint_) return moveTo(p);
    CentreArc arc;
    const ArcForm form = centreArc(userPoint_, rx, ry, xAxisRotation, largeArc, sweep, p, arc);
    if (form == ArcForm::kNothing) return;
    if (form == ArcForm::kLine || std::fabs(arc.sweep) <= kShortestArcSweep) return lineTo(p);
    if (similar_ && std::fabs(arc.rx - arc.ry) <= kRoundness * arc.rx) return fileArc(arc, p);
    std::vector<Point> pieces;
    arcToCubics(arc, [&](Point c1, Point c2, Point to) {
        pieces.insert(pieces.end(), {c1, c2, to});
    });
    // The last piece ends exactly where the path data said.
    pieces.back() = p;
    for (size_t i = 0; i < pieces.size(); i += 3)
        cubicTo(pieces[i], pieces[i + 1], pieces[i + 2]);
}

// An arc record in the output frame: the transform may turn and mirror the arc, so its start
// angle is measured on the transformed start point and a mirroring reverses its sweep.
void ShapeBuilder::fileArc(const CentreArc& arc, Point endUser) {
    const Point centre = toOutput_.apply(arc.centre);
    const Point start = outPoint_;
    const double r = arc.rx * toOutput_.uniformScale();
    const double sweep = toOutput_.determinant() < 0 ? -arc.sweep : arc.sweep;
    const double startAngle = std::atan2(start.y - centre.y, start.x - centre.x);
    if (!usable({centre, {r, sweep}})) return;
    Vect* v = startVect(LINTREL_ARC);
    Seg* d = newLine(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    d->z0 = wrapAngle(kTwoPi - startAngle);
    d->z1 = -sweep;
    v->segs = d;
    ++segs_;
    file();
    userPoint_ = endUser;
    outPoint_ = toOutput_.apply(endUser);
}

void ShapeBuilder::circle(Point centre, double rx, double ry) {
    if (!(rx > 0 && ry > 0)) return;
    if (similar_ && std::fabs(rx - ry) <= kRoundness * rx) {
        file();
        const Point c = toOutput_.apply(centre);
        const double r = (rx + ry) / 2 * toOutput_.uniformScale();
        if (!usable({c, {r, r}})) return;
        // A circle runs the way its path would: towards +y in user space first.
        const double side = toOutput_.determinant() < 0 ? -r : r;
        Vect* v = startVect(LINTREL_ARC);
        v->closed = 1;
        v->segs = newLine(c.x - side, c.y - side, c.x + side, c.y + side);
        ++segs_;
        file();
        hasPoint_ = false;
        return;
    }
    const Point quarter[4] = {{centre.x + rx, centre.y},
                              {centre.x, centre.y + ry},
                              {centre.x - rx, centre.y},
                              {centre.x, centre.y - ry}};
    moveTo(quarter[0]);
    for (int i = 1; i <= 4; ++i)
        arcTo(rx, ry, 0, false, true, quarter[i % 4]);
    closePath();
}

void ShapeBuilder::closePath() {
    if (!hasPoint_) return;
    if (outPoint_.x != outStart_.x || outPoint_.y != outStart_.y) lineTo(userStart_);
    if (current_ && current_ == firstOfSubpath_) current_->closed = 1;
    file();
    userPoint_ = userStart_;
    outPoint_ = outStart_;
}

}  // namespace lintrel::svg
