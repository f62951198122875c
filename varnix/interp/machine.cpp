// Straight moves and sampled arcs of the interpreted machine.
#include "interp/machine.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varnix::interp {
namespace {

// Bounds that keep a hostile program from exhausting memory.
constexpr size_t kMaxMoves = 5'000'000;
constexpr double kMaxArcSamples = 1'000'000;

double distance(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += (b[i] - a[i]) * (b[i] - a[i]);
    return std::sqrt(sum);
}

// Sweep of the arc from angle a0 to a1 in its direction, in (0, 2π]; a closed arc is a circle.
double sweepOf(double a0, double a1, bool clockwise, bool closed) {
    constexpr double kTurn = 2 * std::numbers::pi;
    if (closed) return kTurn;
    double sweep = clockwise ? a0 - a1 : a1 - a0;
    while (sweep <= 0)
        sweep += kTurn;
    while (sweep > kTurn)
        sweep -= kTurn;
    return sweep;
}

}  // namespace

Machine::Machine(const Options& options, std::span<const double> start)
    : options_(options), position_(static_cast<size_t>(std::max(options.axisCount, 1)), 0.0) {
    options_.axisCount = static_cast<int>(position_.size());
    for (size_t i = 0; i < start.size() && i < position_.size(); ++i)
        position_[i] = start[i];
    result_.path.start = position_;
}

std::optional<std::string> Machine::append(const std::vector<double>& target, bool travel,
                                           double speed, double length, int sourceLine) {
    if (result_.path.moves.size() >= kMaxMoves) return "program makes too many moves";
    result_.path.moves.push_back({target, travel, speed, length, sourceLine});
    position_ = target;
    return std::nullopt;
}

std::optional<std::string> Machine::line(const std::vector<double>& target, bool travel,
                                         double speed, int sourceLine) {
    return append(target, travel, speed, distance(position_, target), sourceLine);
}

std::optional<std::string> Machine::arc(const ArcMove& arc, bool travel, double speed,
                                        int sourceLine) {
    const std::vector<double> from = position_;
    const double startA = from[arc.axisA] - arc.centreA, startB = from[arc.axisB] - arc.centreB;
    const double endA = arc.endA - arc.centreA, endB = arc.endB - arc.centreB;
    const double r0 = std::hypot(startA, startB), r1 = std::hypot(endA, endB);
    if (r0 < 1e-9 || r1 < 1e-9) return "arc centre lies on its start or end";
    // Programs carry four decimals, so start and end radii differ by rounding; a larger gap is
    // an arc that does not exist.
    if (std::fabs(r0 - r1) > 0.001 + 1e-4 * r0) return "arc end is not on the arc's circle";
    const bool closed = std::hypot(arc.endA - from[arc.axisA], arc.endB - from[arc.axisB]) < 1e-7;
    const double a0 = std::atan2(startB, startA);
    const double sweep = sweepOf(a0, std::atan2(endB, endA), arc.clockwise, closed);
    const double radius = std::max(r0, r1);
    const double tolerance = std::max(options_.tolerance, 1e-6);
    const double maxStep =
        tolerance >= radius ? std::numbers::pi / 2
                            : std::min(std::numbers::pi / 2, 2 * std::acos(1 - tolerance / radius));
    const double count = std::ceil(sweep / maxStep);
    if (count > kMaxArcSamples) return "arc needs too many samples at this tolerance";
    const int samples = std::max(1, static_cast<int>(count));
    const double sign = arc.clockwise ? -1.0 : 1.0;
    std::vector<double> point = from;
    for (int k = 1; k <= samples; ++k) {
        const double t = static_cast<double>(k) / samples;
        for (size_t axis = 0; axis < point.size(); ++axis) {
            point[axis] = from[axis] + (arc.target[axis] - from[axis]) * t;
        }
        if (k < samples) {
            const double angle = a0 + sign * sweep * t;
            const double r = r0 + (r1 - r0) * t;
            point[arc.axisA] = arc.centreA + r * std::cos(angle);
            point[arc.axisB] = arc.centreB + r * std::sin(angle);
        } else {
            point[arc.axisA] = arc.endA;
            point[arc.axisB] = arc.endB;
        }
        double length = 0;
        if (arc.planarLength) {
            length = std::hypot(point[arc.axisA] - position_[arc.axisA],
                                point[arc.axisB] - position_[arc.axisB]);
        } else {
            length = distance(position_, point);
        }
        if (auto error = append(point, travel, speed, length, sourceLine)) return error;
    }
    return std::nullopt;
}

}  // namespace varnix::interp
