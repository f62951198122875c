// The machine state an interpreted program drives, and the two motions it knows: straight moves
// of any axes and arcs in the plane of two axes (with other axes following linearly, which makes a
// helix). Both readers build the tool path through it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interp/interpreter.h"

namespace varnix::interp {

struct ArcMove {
    int axisA = 0, axisB = 1;  // the plane of the arc
    double endA = 0, endB = 0;
    double centreA = 0, centreB = 0;
    bool clockwise = false;
    std::vector<double> target;  // end positions of all axes (the plane axes included)
    bool planarLength = false;   // the speed applies to the arc in the plane only
};

class Machine {
  public:
    Machine(const Options& options, std::span<const double> start);
    const Options& options() const { return options_; }
    std::vector<double>& position() { return position_; }
    // Appends a straight move to target; returns an error text on failure.
    std::optional<std::string> line(const std::vector<double>& target, bool travel, double speed,
                                    int sourceLine);
    std::optional<std::string> arc(const ArcMove& arc, bool travel, double speed, int sourceLine);
    Result& result() { return result_; }

  private:
    std::optional<std::string> append(const std::vector<double>& target, bool travel, double speed,
                                      double length, int sourceLine);

    Options options_;
    std::vector<double> position_;
    Result result_;
};

}  // namespace varnix::interp
