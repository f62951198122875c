// Following HPGL drawing instructions: pen moves (PU, PD, PA, PR) visit every coordinate pair in
// order, absolute or relative; circles (CI), arcs (AA, AR), Bezier curves (BZ, BR), edged
// rectangles (EA, ER) and encoded polylines (PE) become line segs at the import precision; user
// units (SC) are fitted to the input window (IP). Everything else is counted in the
// diagnostics and otherwise ignored: labels and text settings (LB, SI, DI ...), fills and
// polygon mode (PM, FP, EP, FT, RA, RR, WG ...; a polygon's outline is drawn as it is given),
// windows, rotation and page size (IW, RO, PS, IR), pen, line and device setup (LT, PW, PC,
// VS ...) and unknown instructions.
#include "import/plt/hpgl_plotter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>
#include <vector>

#include "base/diagnostics.h"
#include "import/plt/hpgl_encoded.h"
#include "import/plt/plt_diagnostics.h"

namespace lintrel::hpgl {

namespace {

constexpr const char* kScalingSkippedText =
    "window, rotation and page size ignored, or user units without an input window";

// Flattened segs of one curve at most; the file's whole budget is in the plotter.
constexpr int kMaxStepsPerCurve = 1 << 16;

int clampToInt(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

bool finite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void widen(Vect& v, Point p) {
    v.xMin = std::min(v.xMin, p.x);
    v.yMin = std::min(v.yMin, p.y);
    v.xMax = std::max(v.xMax, p.x);
    v.yMax = std::max(v.yMax, p.y);
}

bool listed(const char name[2], std::string_view names) {
    for (size_t i = 0; i + 1 < names.size(); i += 3)
        if (names[i] == name[0] && names[i + 1] == name[1]) return true;
    return false;
}

}  // namespace

Plotter::~Plotter() {
    if (stroke_) deleteLoneVect(stroke_);
}

void Plotter::initialise() {
    endStroke();
    down_ = relative_ = false;
    position_ = {};
    window_ = {};
    userScale_.clear();
    scaling_ = {};
}

Point Plotter::target(double x, double y, bool relative) const {
    if (relative) return {position_.x + scaling_.sx * x, position_.y + scaling_.sy * y};
    return {scaling_.ox + scaling_.sx * x, scaling_.oy + scaling_.sy * y};
}

// IP x1,y1[,x2,y2]: the input window P1-P2 that user units are fitted to. Without numbers it
// returns to its default, which is unknown here: user units then keep the size of plotter units.
void Plotter::inputWindow(const Instruction& in) {
    const std::vector<double>& n = in.numbers;
    if (n.size() >= 2) {
        const Point p1{n[0], n[1]};
        const Point p2 = n.size() >= 4 ? Point{n[2], n[3]}
                                       : Point{n[0] + window_.p2.x - window_.p1.x,
                                               n[1] + window_.p2.y - window_.p1.y};
        window_ = {p1, p2, true};
    } else {
        window_ = {};
    }
    applyScale();
}

// SC xmin,xmax,ymin,ymax[,type[,left,bottom]]: user units. Type 0 fits the window in both
// directions, type 1 keeps one factor for both (the spare room split by left and bottom, in
// percent), type 2 gives the factors directly (SC xmin,xfactor,ymin,yfactor,2).
void Plotter::applyScale() {
    const std::vector<double>& n = userScale_;
    scaling_ = {};
    if (n.size() < 4) return;
    const int type = n.size() >= 5 ? clampToInt(n[4]) : 0;
    Scaling s;
    if (type == 2) {
        s.sx = n[1];
        s.sy = n[3];
    } else if (!window_.known) {
        diagnostics_.note(diag::kPltScalingSkipped, kScalingSkippedText);
    } else {
        s.sx = (window_.p2.x - window_.p1.x) / (n[1] - n[0]);
        s.sy = (window_.p2.y - window_.p1.y) / (n[3] - n[2]);
    }
    double extraX = 0, extraY = 0;
    if (type == 1 && window_.known) {
        const double f = std::min(std::fabs(s.sx), std::fabs(s.sy));
        s.sx = std::copysign(f, s.sx);
        s.sy = std::copysign(f, s.sy);
        const double left = n.size() >= 6 ? n[5] : 50, bottom = n.size() >= 7 ? n[6] : 50;
        extraX = (window_.p2.x - window_.p1.x - s.sx * (n[1] - n[0])) * left / 100;
        extraY = (window_.p2.y - window_.p1.y - s.sy * (n[3] - n[2])) * bottom / 100;
    }
    const double xMin = n[0], yMin = n[2];
    s.ox = window_.p1.x + extraX - s.sx * xMin;
    s.oy = window_.p1.y + extraY - s.sy * yMin;
    if (std::isfinite(s.sx) && std::isfinite(s.sy) && std::isfinite(s.ox) && std::isfinite(s.oy) &&
        s.sx != 0 && s.sy != 0)
        scaling_ = s;
    else
        diagnostics_.note(diag::kPltBadParameters,
                          "unreadable or unpaired coordinates passed over");
}

void Plotter::noteSkipped(const Instruction& in) {
    ImportDiagnostics& d = diagnostics_;
    if (listed(in.name, "LB BL WD CO DT SM SI SR SL SA SS CS CA DI DR DV ES LO TD SD AD CP LM FN"))
        d.note(diag::kPltLabelSkipped, "labels and text settings ignored: text is not drawn");
    else if (listed(in.name, "PM FP EP FT RA RR WG EW PT FI FR TR AC RF UF SV"))
        d.note(diag::kPltFillSkipped, "fill, polygon and shading instructions ignored");
    else if (listed(in.name, "IR IW RO PS"))
        d.note(diag::kPltScalingSkipped, kScalingSkippedText);
    else if (listed(in.name,
                    "LT LA PW PC NP VS WU BP PG AF AH CT MC PP OP OS OC OE OH OI OW NR "
                    "QL MG BF TL XT YT IV KY EC CR"))
        d.note(diag::kPltSetupSkipped, "pen, line and device setup instructions ignored");
    else
        d.note(diag::kPltUnknownSkipped, "unknown instructions ignored");
}

void Plotter::execute(const Instruction& in) {
    if (in.is('P', 'U')) {
        endStroke();
        down_ = false;
        visitPairs(in, false);
    } else if (in.is('P', 'D')) {
        down_ = true;
        visitPairs(in, true);
    } else if (in.is('P', 'A') || in.is('P', 'R')) {
        relative_ = in.is('P', 'R');
        visitPairs(in, down_);
    } else if (in.is('S', 'P')) {
        selectPen(in.numbers.empty() ? 0 : clampToInt(in.numbers[0]));
    } else if (in.is('I', 'N')) {
        initialise();
    } else if (in.is('D', 'F')) {
        relative_ = false;
        userScale_.clear();
        scaling_ = {};
    } else if (in.is('I', 'P')) {
        inputWindow(in);
    } else if (in.is('S', 'C')) {
        userScale_ = in.numbers;
        applyScale();
    } else if (in.is('C', 'I')) {
        circle(in);
    } else if (in.is('A', 'A') || in.is('A', 'R')) {
        arc(in, in.is('A', 'R'));
    } else if (in.is('B', 'Z') || in.is('B', 'R')) {
        bezier(in, in.is('B', 'R'));
    } else if (in.is('E', 'A') || in.is('E', 'R')) {
        rectangle(in, in.is('E', 'R'));
    } else if (in.is('P', 'E')) {
        encoded(in);
    } else {
        noteSkipped(in);
    }
}

void Plotter::visitPairs(const Instruction& in, bool draw) {
    const std::vector<double>& n = in.numbers;
    if (in.badParameters || n.size() % 2)
        diagnostics_.note(diag::kPltBadParameters,
                          "unreadable or unpaired coordinates passed over");
    for (size_t i = 0; i + 1 < n.size(); i += 2) {
        const Point p = target(n[i], n[i + 1], relative_);
        if (!finite(p)) continue;
        if (draw)
            moveTo(p);
        else
            position_ = p;
    }
}

// A move with the pen as it stands: down, it extends the current stroke (starting one at the
// current position when there is none).
void Plotter::moveTo(Point p) {
    if (down_) {
        if (!stroke_) {
            stroke_ = newVect();
            stroke_->xMin = stroke_->xMax = position_.x;
            stroke_->yMin = stroke_->yMax = position_.y;
        }
        append(stroke_->segs, newLine(position_.x, position_.y, p.x, p.y));
        widen(*stroke_, p);
    }
    position_ = p;
}

void Plotter::endStroke() {
    Vect* v = std::exchange(stroke_, nullptr);
    if (!v) return;
    if (v->segs)
        fileVect(v);
    else
        deleteLoneVect(v);
}

void Plotter::selectPen(int pen) {
    if (pen == pen_) return;
    endStroke();
    pen_ = pen;
}

// Groups follow the order in which pens first completed a stroke.
void Plotter::fileVect(Vect* v) {
    VectGroup*& group = groupOfPen_[pen_];
    if (!group) {
        group = newGroup();
        group->number = pen_;
        groups_.append(group);
    }
    append(group->vects, v);
}

// A closed shape drawn on its own (circle, rectangle): the current stroke ends before it, and
// a pen that stays down starts a new stroke after it.
void Plotter::fileOutline(const Point* points, size_t count) {
    endStroke();
    Seg* segs = chainThrough(std::span<const Point>(points, count));
    if (!segs) return;
    Vect* v = newVect();
    v->segs = segs;
    v->xMin = v->xMax = points[0].x;
    v->yMin = v->yMax = points[0].y;
    for (size_t i = 1; i < count; ++i)
        widen(*v, points[i]);
    fileVect(v);
}

int Plotter::curveSteps(double length, double radius) {
    int steps = stepCount(length, radius, precision_);
    if (steps > kMaxStepsPerCurve || steps > curveSegsLeft_) {
        diagnostics_.note(diag::kPltCurveStepsLimited,
                          "circles or arcs too large to flatten at the precision");
        steps = steps > curveSegsLeft_ ? 8 : kMaxStepsPerCurve;
    }
    curveSegsLeft_ = std::max(0L, curveSegsLeft_ - steps);
    return steps;
}

// CI radius: a full circle around the current position, starting at angle 0 (180 degrees for
// a negative radius), counterclockwise. The pen returns to the centre.
void Plotter::circle(const Instruction& in) {
    if (in.numbers.empty()) return;
    const double r = in.numbers[0] * std::fabs(scaling_.sx);
    if (r == 0 || !std::isfinite(r * kTwoPi)) return;
    const int steps = curveSteps(std::fabs(r) * kTwoPi, std::fabs(r));
    std::vector<Point> points(static_cast<size_t>(steps) + 1);
    for (int i = 0; i < steps; ++i) {
        const double a = kTwoPi * i / steps;
        points[i] = {position_.x + r * std::cos(a), position_.y + r * std::sin(a)};
    }
    points[steps] = points[0];
    if (!finite(points[0])) return;
    fileOutline(points.data(), points.size());
}

// AA x,y,sweep / AR dx,dy,sweep: an arc from the current position around a centre, the sweep
// in degrees, counterclockwise when positive; drawn with the pen as it stands.
void Plotter::arc(const Instruction& in, bool relative) {
    if (in.numbers.size() < 3) {
        diagnostics_.note(diag::kPltBadParameters,
                          "unreadable or unpaired coordinates passed over");
        return;
    }
    const Point c = target(in.numbers[0], in.numbers[1], relative);
    const double sweep = in.numbers[2] * kPi / 180;
    const double r = distance(c, position_);
    if (!finite(c) || !std::isfinite(sweep) || !std::isfinite(r) || r == 0 || sweep == 0) return;
    const double start = std::atan2(position_.y - c.y, position_.x - c.x);
    const int steps = curveSteps(std::fabs(sweep) * r, r);
    for (int i = 1; i <= steps; ++i) {
        const double a = start + sweep * i / steps;
        moveTo({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
}

// BZ x1,y1,x2,y2,x3,y3,...: cubic curves from the current position; with BR every curve's
// points are relative to its own start.
void Plotter::bezier(const Instruction& in, bool relative) {
    const std::vector<double>& n = in.numbers;
    if (n.size() % 6 || in.badParameters)
        diagnostics_.note(diag::kPltBadParameters,
                          "unreadable or unpaired coordinates passed over");
    for (size_t i = 0; i + 5 < n.size(); i += 6) {
        // Relative points are taken from the curve's start, which is the current position.
        const std::array<Point, 4> p{position_, target(n[i], n[i + 1], relative),
                                     target(n[i + 2], n[i + 3], relative),
                                     target(n[i + 4], n[i + 5], relative)};
        if (!finite(p[1]) || !finite(p[2]) || !finite(p[3])) continue;
        const double hull = distance(p[0], p[1]) + distance(p[1], p[2]) + distance(p[2], p[3]);
        const int steps = curveSteps(hull, std::max(hull / 4, precision_));
        for (int k = 1; k <= steps; ++k) {
            const double t = static_cast<double>(k) / steps, u = 1 - t;
            const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
            moveTo({b0 * p[0].x + b1 * p[1].x + b2 * p[2].x + b3 * p[3].x,
                    b0 * p[0].y + b1 * p[1].y + b2 * p[2].y + b3 * p[3].y});
        }
    }
}

// EA x,y / ER dx,dy: the outline of the rectangle between the current position and a corner.
void Plotter::rectangle(const Instruction& in, bool relative) {
    if (in.numbers.size() < 2) return;
    const Point q = target(in.numbers[0], in.numbers[1], relative);
    if (!finite(q)) return;
    const Point p = position_;
    const Point corners[] = {p, {q.x, p.y}, q, {p.x, q.y}, p};
    fileOutline(corners, 5);
}

void Plotter::encoded(const Instruction& in) {
    std::vector<EncodedStep> steps;
    if (!decodeEncoded(in.text, steps))
        diagnostics_.note(diag::kPltEncodedDamaged, "encoded polyline data breaks off");
    for (const EncodedStep& s : steps) {
        if (s.selectsPen) {
            selectPen(s.pen);
            continue;
        }
        const Point p = target(s.x, s.y, !s.absolute);
        if (!finite(p)) continue;
        if (s.penUp) endStroke();
        down_ = !s.penUp;
        moveTo(p);
    }
}

VectGroup* Plotter::finish() {
    endStroke();
    groupOfPen_.clear();
    return groups_.release();
}

}  // namespace lintrel::hpgl
