// Start points and cut directions of closed shapes, through the change-start-point and reverse
// edits the clean-up operations use.
#include "cutting/start_direction.h"

#include <cmath>

#include "curves/flatten.h"
#include "cutting/containment.h"
#include "cutting/outline.h"
#include "model/chain_edit.h"
#include "model/geometry.h"

namespace lintrel {

namespace {

// Turns of less than this are no corner to hide a mark in.
constexpr double kCornerTurn = 10 * kPi / 180;

Point nearestOnRing(const std::vector<Point>& ring, Point p) {
    Point best = ring[0];
    double bestDistance = distance(p, best);
    for (size_t k = 0; k < ring.size(); ++k) {
        const Point foot = footOnSegment(p, ring[k], ring[(k + 1) % ring.size()]);
        const double d = distance(p, foot);
        if (d < bestDistance) {
            bestDistance = d;
            best = foot;
        }
    }
    return best;
}

// The vertex where the path turns most (sharpest corner), if it turns by a corner's worth.
bool sharpestCorner(const std::vector<Point>& ring, Point& corner) {
    const size_t n = ring.size();
    double most = kCornerTurn;
    bool found = false;
    for (size_t k = 0; k < n; ++k) {
        const Point a = ring[(k + n - 1) % n], b = ring[k], c = ring[(k + 1) % n];
        const double in = std::atan2(b.y - a.y, b.x - a.x), out = std::atan2(c.y - b.y, c.x - b.x);
        const double turn = std::fabs(std::remainder(out - in, kTwoPi));
        if (turn > most + 1e-12) {
            most = turn;
            corner = b;
            found = true;
        }
    }
    return found;
}

}  // namespace

int setStartPoints(void* list, StartRule rule, const std::vector<char>& wanted, double precision) {
    if (rule == StartRule::AsDrawn) return 0;
    int moved = 0;
    Point at{0, 0};
    const std::vector<Vect*> vects = drawingVects(list);
    OutlineReader reader;
    for (size_t k = 0; k < vects.size(); ++k) {
        Vect& v = *vects[k];
        const Outline o = reader.read(v, precision);
        if (wanted[k] && o.closed) {
            Point start;
            const bool found = rule == StartRule::Nearest
                                   ? (start = nearestOnRing(o.points, at), true)
                                   : sharpestCorner(o.points, start);
            if (found && !samePoint(start, o.points[0]) && moveStartPoint(v, start, kSame, true))
                ++moved;
        }
        vectEndPoint(v, at);
    }
    return moved;
}

int setDirections(void* list, DirectionRule rule, const std::vector<char>& wanted,
                  double precision) {
    if (rule == DirectionRule::AsDrawn) return 0;
    const std::vector<Vect*> vects = drawingVects(list);
    const std::vector<Outline> outlines = outlinesOf(vects, precision);
    const Containment nesting = findContainment(outlines, precision);
    int turned = 0;
    for (size_t k = 0; k < vects.size(); ++k) {
        if (!wanted[k] || !outlines[k].closed) continue;
        const bool outer = nesting.depth[k] % 2 == 0;
        const bool clockwise = outlines[k].area < 0;
        const bool wantClockwise = outer == (rule == DirectionRule::OuterClockwise);
        if (clockwise == wantClockwise) continue;
        // A full circle's definition has no direction: it turns through its flattened copy.
        if (vects[k]->type == LINTREL_ARC && !vects[k]->flatSegs)
            buildFlatSegs(vects[k], precision);
        if (reverseVect(*vects[k])) ++turned;
    }
    return turned;
}

}  // namespace lintrel
