/*
 * lintrel.hpp - a header-only C++ layer over the records of lintrel.h.
 *
 * Ring ranges (const and non-const), relinking, a scoped owner of a chain, the drawing constants
 * and the point helpers: the library itself is written with these, so a C++ host reads the
 * records by the same rules. Everything here is inline and needs only the exports of lintrel.h.
 */
#ifndef LINTREL_LINTREL_HPP
#define LINTREL_LINTREL_HPP

#include <lintrel/lintrel.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace lintrel {

// ---- Type codes ----

inline int baseType(int type) {
    return type / 1000 * 1000;
}
inline int typeOf(const void* item) {
    return *static_cast<const int32_t*>(item);
}
inline int baseTypeOf(const void* item) {
    return baseType(typeOf(item));
}
inline bool isKnownBase(int base) {
    return base == LINTREL_BASE_SEG || base == LINTREL_BASE_VECT || base == LINTREL_BASE_GROUP ||
           base == LINTREL_BASE_IMAGE || base == LINTREL_BASE_GRAPH;
}

namespace detail {
template <class Record, class Item>
auto recordCast(Item* item) {
    if constexpr (std::is_const_v<Item>)
        return static_cast<const Record*>(item);
    else
        return static_cast<Record*>(item);
}
}  // namespace detail

// Calls `visit` with `item` cast to the record of its base type (Seg, Vect, VectGroup, Image or
// Graph; const when `item` is) and returns what it returns; `otherwise` for an unknown base type.
// The one dispatch by record type: a visitor handles each kind with `if constexpr` or overloads.
template <class Item, class Result, class Visit>
Result visitRecord(Item* item, Result otherwise, Visit&& visit) {
    static_assert(std::is_void_v<Item>, "visitRecord takes an untyped item pointer");
    switch (baseTypeOf(item)) {
        case LINTREL_BASE_SEG:
            return visit(detail::recordCast<Seg>(item));
        case LINTREL_BASE_VECT:
            return visit(detail::recordCast<Vect>(item));
        case LINTREL_BASE_GROUP:
            return visit(detail::recordCast<VectGroup>(item));
        case LINTREL_BASE_IMAGE:
            return visit(detail::recordCast<Image>(item));
        case LINTREL_BASE_GRAPH:
            return visit(detail::recordCast<Graph>(item));
        default:
            return otherwise;
    }
}

// ---- Walking rings ----

// Iterates a ring from its first item to the item that was last when the walk began, stopping
// early at a null `next`. The successor is read before an item is visited, so the visitor may
// unlink or delete the item it is given (but no other item of the ring). `T` may be const: a
// ring of const records is walked without casting the constness away.
template <class T>
class Ring {
  public:
    explicit Ring(T* first) : first_(first) {}

    class iterator {
      public:
        iterator(T* item, T* last) : item_(item), last_(last), next_(advance(item)) {}
        T* operator*() const { return item_; }
        iterator& operator++() {
            item_ = next_;
            next_ = advance(item_);
            return *this;
        }
        bool operator!=(const iterator& other) const { return item_ != other.item_; }

      private:
        T* advance(T* item) const { return !item || item == last_ ? nullptr : item->next; }
        T* item_;
        T* last_;
        T* next_;
    };

    iterator begin() const { return iterator(first_, first_ ? first_->prev : nullptr); }
    iterator end() const { return iterator(nullptr, nullptr); }

  private:
    T* first_;
};

template <class T>
Ring<T> ring(T* first) {
    return Ring<T>(first);
}

// Number of items in the ring that holds `item`; 0 for null.
template <class T>
int ringCount(const T* item) {
    int n = 0;
    for (const T* p : ring(item)) {
        (void)p;
        ++n;
    }
    return n;
}

// The vects of a group chain in drawing order: group by group, each list in its order.
inline std::vector<Vect*> vectsOfDrawing(VectGroup* first) {
    std::vector<Vect*> vects;
    for (VectGroup* group : ring(first))
        for (Vect* v : ring(group->vects))
            vects.push_back(v);
    return vects;
}

template <class T>
T* lastOf(T* first) {
    return first ? first->prev : nullptr;
}

// ---- Relinking ----

// Makes `item` a lone ring, joining its neighbours.
template <class T>
void unlink(T* item) {
    item->prev->next = item->next;
    item->next->prev = item->prev;
    item->prev = item;
    item->next = item;
}

// Splices the whole ring of `items` in before `position`, keeping its order.
template <class T>
void spliceBefore(T* position, T* items) {
    T* last = items->prev;
    T* before = position->prev;
    before->next = items;
    items->prev = before;
    last->next = position;
    position->prev = last;
}

// Splices the whole ring of `items` in after `position`, keeping its order.
template <class T>
void spliceAfter(T* position, T* items) {
    spliceBefore(position->next, items);
}

// Cuts the ring of `head` in two before `from` (another member): `head` keeps the items before
// `from`, and the items from `from` to the last form a ring of their own, headed by `from`.
template <class T>
T* cutRingBefore(T* head, T* from) {
    // The two rings exchange the items before `head` and before `from`.
    head->prev->next = from;
    from->prev->next = head;
    std::swap(head->prev, from->prev);
    return from;
}

// Appends the ring of `items` at the end of the chain `head` (which may be empty).
template <class T>
void append(T*& head, T* items) {
    if (!head)
        head = items;
    else
        spliceBefore(head, items);
}

// Removes `item` from the chain `head`, moving or clearing the head as needed. The item
// becomes a lone ring owned by the caller.
template <class T>
void detach(T*& head, T* item) {
    if (item == head) head = item->next == item ? nullptr : item->next;
    unlink(item);
}

// Deletes `item` (and everything it owns) from the chain `head`, moving or clearing the head.
template <class T>
void eraseFrom(T*& head, T* item) {
    detach(head, item);
    VarnixCad3_DeleteChain(item);
}

// ---- Scoped ownership of a chain ----

// Owns a chain (or a graph) until it is released; deletes it with everything it owns otherwise.
template <class T>
class ChainOwner {
  public:
    ChainOwner() = default;
    explicit ChainOwner(T* head) : head_(head) {}
    ChainOwner(const ChainOwner&) = delete;
    ChainOwner& operator=(const ChainOwner&) = delete;
    ChainOwner(ChainOwner&& other) noexcept : head_(other.release()) {}
    ChainOwner& operator=(ChainOwner&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~ChainOwner() { reset(); }

    T* get() const { return head_; }
    T*& head() { return head_; }
    T* release() { return std::exchange(head_, nullptr); }
    void reset(T* head = nullptr) {
        if (head_) VarnixCad3_DeleteChain(head_);
        head_ = head;
    }
    void append(T* items) { lintrel::append(head_, items); }
    explicit operator bool() const { return head_ != nullptr; }

  private:
    T* head_ = nullptr;
};

// ---- Constants, as the library has always written them; stored results depend on them ----

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2 * kPi;
inline constexpr double kHalfPi = 1.570796326794895;
inline constexpr double kThreeHalfPi = 4.712388980384685;
// Two points or angles closer than this count as equal.
inline constexpr double kSame = 1e-4;
// Precision used where curves are flattened only to be measured.
inline constexpr double kMeasurePrecision = 0.05;

// ---- Points ----

struct Point {
    double x = 0;
    double y = 0;
};

inline Point segStart(const Seg& s) {
    return {s.x0, s.y0};
}
inline Point segEnd(const Seg& s) {
    return {s.x1, s.y1};
}
inline double distanceSquared(Point a, Point b) {
    const double dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}
inline double distance(Point a, Point b) {
    return std::sqrt(distanceSquared(a, b));
}
// True when both coordinates agree within `tolerance` (inclusive).
inline bool samePoint(Point a, Point b, double tolerance = kSame) {
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

// Nearest point of the segment a-b to p (projection clamped to the ends), and the distance.
inline Point footOnSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0) return a;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return {a.x + t * dx, a.y + t * dy};
}
inline double distanceToSegment(Point p, Point a, Point b) {
    return distance(p, footOnSegment(p, a, b));
}
inline double distanceToSeg(Point p, const Seg& s) {
    return distanceToSegment(p, segStart(s), segEnd(s));
}

// ---- Directions ----

namespace detail {
template <class T>
T directionAngleOf(T dx, T dy) {
    const T eps = static_cast<T>(kSame);
    if (std::fabs(dx) < eps) {
        if (std::fabs(dy) < eps) return 0;
        return dy < 0 ? static_cast<T>(kThreeHalfPi) : static_cast<T>(kHalfPi);
    }
    T a = std::atan(dy / dx);
    if (dx < 0) a += static_cast<T>(kPi);
    if (a < 0) a += static_cast<T>(kTwoPi);
    while (a > static_cast<T>(kTwoPi))
        a -= static_cast<T>(kTwoPi);
    while (a < 0)
        a += static_cast<T>(kTwoPi);
    return a;
}
}  // namespace detail

// Direction angle of the vector (dx, dy) in [0, 2pi]: 0 for a vector shorter than 1e-4 in both
// coordinates, 3pi/2 or pi/2 for a vertical one, otherwise from the arc tangent. The single
// precision form is the one curve flattening uses.
inline double directionAngle(double dx, double dy) {
    return detail::directionAngleOf(dx, dy);
}
inline float directionAngle(float dx, float dy) {
    return detail::directionAngleOf(dx, dy);
}
inline double directionAngle(const Seg& s) {
    return directionAngle(s.x1 - s.x0, s.y1 - s.y0);
}
// Angle of `p` seen from `centre`, by the same rule.
inline double angleFrom(Point centre, Point p) {
    return directionAngle(p.x - centre.x, p.y - centre.y);
}

// ---- Arcs: one defining seg whose points are opposite corners of the bounding square ----

struct ArcGeometry {
    Point centre;
    double radius = 0;
    double start = 0;  // stored start angle, clockwise from +x
    double sweep = 0;  // signed, clockwise positive
    bool fullCircle() const { return std::fabs(sweep) <= kSame; }
};

inline ArcGeometry arcGeometry(const Seg& s) {
    ArcGeometry arc;
    const double xLow = std::min(s.x0, s.x1), yLow = std::min(s.y0, s.y1);
    arc.radius = std::fabs(s.x1 - s.x0) / 2;
    arc.centre = {xLow + arc.radius, yLow + arc.radius};
    arc.start = s.z0;
    arc.sweep = s.z1;
    return arc;
}

namespace detail {
inline Point onCircle(const ArcGeometry& arc, double mathAngle) {
    return {arc.centre.x + arc.radius * std::cos(mathAngle),
            arc.centre.y + arc.radius * std::sin(mathAngle)};
}
}  // namespace detail

// Start and end points of an arc in mathematical orientation (a stored angle a is 2pi - a).
inline Point arcStartPoint(const ArcGeometry& arc) {
    if (arc.fullCircle()) return {arc.centre.x + arc.radius, arc.centre.y};
    return detail::onCircle(arc, kTwoPi - arc.start);
}
inline Point arcEndPoint(const ArcGeometry& arc) {
    if (arc.fullCircle()) return {arc.centre.x + arc.radius, arc.centre.y};
    return detail::onCircle(arc, kTwoPi - arc.start - arc.sweep);
}

// ---- Working chains ----

// The chain a vect is cut along: its flattened copy when it has one, else its definition.
inline Seg* workingChain(const Vect& v) {
    return v.flatSegs ? v.flatSegs : v.segs;
}

// Start and end of a vect's working chain; an arc without a flattened copy answers from its
// definition. False for a vect without segs.
inline bool vectStartPoint(const Vect& v, Point& out) {
    if (!v.flatSegs && v.type == LINTREL_ARC && v.segs) {
        out = arcStartPoint(arcGeometry(*v.segs));
        return true;
    }
    const Seg* chain = workingChain(v);
    if (!chain) return false;
    out = segStart(*chain);
    return true;
}
inline bool vectEndPoint(const Vect& v, Point& out) {
    if (!v.flatSegs && v.type == LINTREL_ARC && v.segs) {
        out = arcEndPoint(arcGeometry(*v.segs));
        return true;
    }
    const Seg* chain = workingChain(v);
    if (!chain) return false;
    out = segEnd(*chain->prev);
    return true;
}

}  // namespace lintrel

#endif /* LINTREL_LINTREL_HPP */
