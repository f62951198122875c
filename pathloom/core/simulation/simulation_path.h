// The simulated tool path: the points the tool visits in cutting order, each reached by a travel
// or by a cut, and the stepping rule that moves the tool along them tick by tick. The desktop
// program animates these; nothing here draws.
#pragma once

#include <lintrel/lintrel.h>

#include <span>
#include <vector>

#include "core/controller/controller_link.h"
#include "core/presets/process.h"

namespace pathloom {

struct SimulationPoint {
    double x = 0;
    double y = 0;
    bool travel = false;  // reached by a travel (not painted) rather than by a cut
    bool operator==(const SimulationPoint&) const = default;
};

enum class SimulationStatus { Ok, NoDrawing, FlattenFailed };

struct SimulationPath {
    SimulationStatus status = SimulationStatus::Ok;
    int code = 0;  // the library's code when flattening failed
    std::vector<SimulationPoint> points;
};

// The texts of the simulation commands are in the text table (core/text/texts.h).

// The path from the controller's measured X-Y position through every vect in chain order, along
// working chains (arcs along their flattened chains, which are built when missing) of the cut
// paths the groups' presets shape (core/codegen/cut_paths.h).
SimulationPath buildSimulationPath(VectGroup* groups, const ProcessSettings& settings,
                                   ControllerLink* link);

// Period of the animation timer, and the share of a second one tick simulates per unit of the
// "Simulation speed" setting (100 is real time).
inline constexpr int kTickMilliseconds = 50;
inline constexpr double kSecondsPerSpeedUnit = 0.0005;

struct SimulationState {
    size_t next = 0;  // index of the point the tool is heading for
    double x = 0;     // tool position
    double y = 0;
};

struct SimulationTick {
    // Where the tool went during the tick: the position it started from (as a travel), then every
    // point it reached and the position it stopped at, each flagged as in the path.
    std::vector<SimulationPoint> trace;
    bool finished = false;  // the last point was reached; `state.next` is back at 0
};

// Moves the tool for one tick at `travelSpeed` (drawing units per second) for
// simulationSpeed * 0.0005 seconds. A zero or negative speed leaves the tool where it is.
SimulationTick advanceSimulation(std::span<const SimulationPoint> points, SimulationState& state,
                                 int simulationSpeed, double travelSpeed);

}  // namespace pathloom
