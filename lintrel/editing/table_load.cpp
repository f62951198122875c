// Loading a motion table into a new group chain. A table is input from another program, so
// every count and coordinate is distrusted: reading never leaves the elements given, counts that
// run backwards or past the end stop the load, and curves may not flatten without bound.
#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "curves/flatten.h"
#include "editing/motion_table.h"
#include "model/chain_edit.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel {

namespace {

constexpr int kCoordinates = 16;
// An arc is accepted when its start and end lie within this of the flattened copy's ends, and
// when its end lies this close to the circle through its start.
constexpr double kArcTolerance = 0.05;
constexpr double kMinimumRadius = 0.001;
constexpr double kSamePosition = 0.001;
constexpr uint32_t kWhite = 0xFFFFFF;
// Arcs flatten into at most this many segs per table element, plus a fixed allowance, so that a
// short table of huge circles cannot exhaust memory. Real tables need a few segs per element.
constexpr size_t kFlatSegsPerElement = 256;
constexpr size_t kFlatSegsAllowance = size_t{1} << 20;

// Codes and counts: the integer part of value + 0.0001; -1 for what is not a number.
long long wholeNumber(double value) {
    const double v = std::trunc(value + 0.0001);
    if (!(v >= -1e15 && v <= 1e15)) return v > 0 ? (1LL << 50) : -1;
    return static_cast<long long>(v);
}

// A group number: the value to the nearest integer, kept within int.
int nearestInt(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::llround(std::clamp(value, -2147483648.0, 2147483647.0)));
}

// Elements to read: the smaller of the length and element 0 to the nearest integer.
size_t elementsToRead(std::span<const double> table) {
    const double stated = std::round(table[0]);
    if (!(stated > 0)) return 0;
    if (stated >= static_cast<double>(table.size())) return table.size();
    return static_cast<size_t>(stated);
}

bool finite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

class TableLoader {
  public:
    explicit TableLoader(size_t elements)
        : flatBudget_(kFlatSegsAllowance + kFlatSegsPerElement * elements) {
        VectGroup* group = newGroup();
        group->number = 1;
        group->colour = kWhite;
        chain_.reset(group);
        current_ = group;
        groups_.emplace(1, group);
    }

    void command(long long code, std::span<const double> p);
    VectGroup* finish() {
        closeShape();
        return chain_.release();
    }

  private:
    Point position() const { return {position_[0], position_[1]}; }
    void moveTo(std::span<const double> p);
    void selectGroup(std::span<const double> p);
    void openShape();
    void closeShape();
    Seg* addSeg(Point from, Point to, double z0, double z1);
    void line(std::span<const double> p);
    void spline(std::span<const double> p);
    void arc(std::span<const double> p);
    bool acceptArc(Point end, Point centre, bool clockwise);

    ChainOwner<VectGroup> chain_;
    VectGroup* current_ = nullptr;
    std::unordered_map<int, VectGroup*> groups_;
    ChainOwner<Vect> shape_;
    std::array<double, kCoordinates> position_{};
    bool relative_ = false;
    bool jumpPending_ = false;
    size_t flatBudget_;
};

void TableLoader::command(long long code, std::span<const double> p) {
    switch (code) {
        case table::kGroup:
            if (!p.empty()) selectGroup(p);
            break;
        case table::kShapeStart:
            openShape();
            break;
        case table::kShapeEnd:
            closeShape();
            break;
        case table::kMove:
            moveTo(p);
            jumpPending_ = true;
            break;
        case table::kLine:
            line(p);
            break;
        case table::kPoint:
            if (shape_) addSeg(position(), position(), position_[2], position_[2]);
            break;
        case table::kSpline:
            spline(p);
            break;
        case table::kArc:
            arc(p);
            break;
        case table::kCoordinateMode:
            if (!p.empty()) relative_ = p[0] > 0.0001;
            break;
        default:
            break;  // the range, the markers and codes of other programs
    }
}

void TableLoader::moveTo(std::span<const double> p) {
    const size_t n = std::min<size_t>(p.size(), kCoordinates);
    for (size_t k = 0; k < n; ++k)
        position_[k] = relative_ ? position_[k] + p[k] : p[k];
}

void TableLoader::selectGroup(std::span<const double> p) {
    const int number = nearestInt(p[0]);
    if (number == current_->number) return;
    auto [at, made] = groups_.try_emplace(number, nullptr);
    if (made) {
        VectGroup* group = newGroup();
        group->number = number;
        group->colour = kWhite;
        append(chain_.head(), group);
        at->second = group;
    }
    current_ = at->second;
}

void TableLoader::openShape() {
    // A shape left without its end command keeps what it drew.
    closeShape();
    shape_.reset(newVect());
}

void TableLoader::closeShape() {
    if (!shape_) return;
    if (shape_.get()->segs)
        append(current_->vects, shape_.release());
    else
        shape_.reset();
}

// Appends a seg to the open shape. Lines after an accepted arc continue its flattened path;
// points that are not numbers are left out (null), so that no later operation meets them.
Seg* TableLoader::addSeg(Point from, Point to, double z0, double z1) {
    if (!finite(from) || !finite(to)) return nullptr;
    Vect& v = *shape_.get();
    if (v.type == LINTREL_ARC) {
        replaceSegs(&v, std::exchange(v.flatSegs, nullptr));
        v.type = LINTREL_POLYLINE;
        v.closed = 0;
    }
    Seg* seg = newLine(from.x, from.y, to.x, to.y);
    seg->z0 = z0;
    seg->z1 = z1;
    append(v.segs, seg);
    return seg;
}

void TableLoader::line(std::span<const double> p) {
    if (!shape_) return;
    const Point from = position();
    const double fromZ = position_[2];
    const bool jump = jumpPending_;
    jumpPending_ = false;
    moveTo(p);
    Seg* seg = addSeg(from, position(), fromZ, position_[2]);
    if (seg && jump) seg->jump = 1;
}

void TableLoader::spline(std::span<const double> p) {
    const size_t points = p.size() / 2;
    if (!shape_ || points == 0) return;
    Vect& v = *shape_.get();
    replaceSegs(&v, nullptr);
    clearFlatSegs(&v);
    v.type = LINTREL_SPLINE;
    v.closed = 0;
    Point at = position();
    for (size_t k = 0; k < points; ++k) {
        const Point next =
            relative_ ? Point{at.x + p[2 * k], at.y + p[2 * k + 1]} : Point{p[2 * k], p[2 * k + 1]};
        addSeg(at, next, position_[2], position_[2]);
        at = next;
    }
    position_[0] = at.x;
    position_[1] = at.y;
}

void TableLoader::arc(std::span<const double> p) {
    if (!shape_ || p.size() < 5) return;
    const Point base = relative_ ? position() : Point{};
    const Point end{base.x + p[0], base.y + p[1]};
    const Point centre{base.x + p[2], base.y + p[3]};
    const bool clockwise = wholeNumber(p[4]) != 0;
    Vect& v = *shape_.get();
    replaceSegs(&v, newSeg());
    clearFlatSegs(&v);
    v.type = LINTREL_ARC;
    if (!acceptArc(end, centre, clockwise)) {
        replaceSegs(&v, nullptr);
        clearFlatSegs(&v);
        v.type = LINTREL_POLYLINE;
        v.closed = 0;
        return;
    }
    position_[0] = end.x;
    position_[1] = end.y;
    if (p.size() >= 6) position_[2] = relative_ ? position_[2] + p[5] : p[5];
}

bool TableLoader::acceptArc(Point end, Point centre, bool clockwise) {
    const Point start = position();
    const double r = distance(start, centre);
    // Comparisons are written so that coordinates that are not numbers reject the arc.
    if (!(std::fabs(r - distance(end, centre)) <= kArcTolerance)) return false;
    if (!(r >= kMinimumRadius) || !std::isfinite(r)) return false;
    const size_t steps = static_cast<size_t>(stepCount(kTwoPi * r, r, kArcTolerance));
    if (steps > flatBudget_) return false;
    flatBudget_ -= steps;

    Vect& v = *shape_.get();
    Seg& d = *v.segs;
    const double sign = clockwise ? 1 : -1;
    d.x0 = centre.x + sign * r;
    d.y0 = centre.y + sign * r;
    d.x1 = centre.x - sign * r;
    d.y1 = centre.y - sign * r;
    if (!samePoint(start, end, kSamePosition)) {
        double as = angleFrom(centre, start), ae = angleFrom(centre, end);
        d.z0 = kTwoPi - as;
        if (clockwise && ae > as) as += kTwoPi;
        if (!clockwise && ae < as) ae += kTwoPi;
        d.z1 = as - ae;
        buildFlatSegs(&v, kArcTolerance);
        const Seg* flat = v.flatSegs;
        return flat && samePoint(segStart(*flat), start, kArcTolerance) &&
               samePoint(segEnd(*flat->prev), end, kArcTolerance);
    }
    v.closed = 1;
    buildFlatSegs(&v, kArcTolerance);
    return moveStartPoint(v, start, kArcTolerance, true);
}

}  // namespace

VectGroup* loadTable(std::span<const double> table) {
    if (table.size() <= 1) return nullptr;
    const size_t count = elementsToRead(table);
    TableLoader loader(count);
    size_t i = 1;
    while (i + 1 < count) {
        const long long code = wholeNumber(table[i]);
        const long long n = wholeNumber(table[i + 1]);
        // A count that runs backwards or past the elements read ends the table.
        if (n < 0 || static_cast<unsigned long long>(n) > count - i - 2) break;
        if (code == table::kEnd) break;
        loader.command(code, table.subspan(i + 2, static_cast<size_t>(n)));
        i += 2 + static_cast<size_t>(n);
    }
    return loader.finish();
}

}  // namespace lintrel
