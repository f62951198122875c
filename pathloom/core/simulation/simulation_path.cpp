// Building the simulated path and stepping along it.
#include "core/simulation/simulation_path.h"

#include <lintrel/lintrel.hpp>

#include <cmath>

#include "core/codegen/cut_paths.h"
#include "core/codegen/vect_path.h"

namespace pathloom {

SimulationPath buildSimulationPath(VectGroup* drawing, const ProcessSettings& settings,
                                   ControllerLink* link) {
    SimulationPath path;
    if (!drawing) {
        path.status = SimulationStatus::NoDrawing;
        return path;
    }
    // The tool runs where the programs cut: along the paths the presets shape.
    const CutPaths cuts = buildCutPaths(drawing, writableSettings(settings).presets);
    VectGroup* groups = cuts.cut(drawing);
    Point current{measuredPosition(link, settings.machine.xAxis),
                  measuredPosition(link, settings.machine.yAxis)};
    path.points.push_back({current.x, current.y, true});
    for (VectGroup* group : lintrel::ring(groups)) {
        const ProcessPreset& preset = presetFor(settings.presets, *group);
        for (Vect* vect : lintrel::ring(group->vects)) {
            if (const int code = ensureFlatChain(*vect, preset)) {
                path.status = SimulationStatus::FlattenFailed;
                path.code = code;
                path.points.clear();
                return path;
            }
            Seg* chain = lintrel::workingChain(*vect);
            if (!chain) continue;
            const Point entry = lintrel::segStart(*chain);
            if (travelNeeded(entry, current)) path.points.push_back({entry.x, entry.y, true});
            for (const Seg* seg : lintrel::ring(chain))
                path.points.push_back({seg->x1, seg->y1, false});
            current = lintrel::segEnd(*chain->prev);
        }
    }
    return path;
}

SimulationTick advanceSimulation(std::span<const SimulationPoint> points, SimulationState& state,
                                 int simulationSpeed, double travelSpeed) {
    SimulationTick tick;
    tick.trace.push_back({state.x, state.y, true});
    if (state.next >= points.size()) {  // nothing left (or a state from another path)
        state.next = 0;
        tick.finished = true;
        return tick;
    }
    double seconds = simulationSpeed * kSecondsPerSpeedUnit;
    if (!(seconds > 0) || !(travelSpeed > 0) || !std::isfinite(travelSpeed)) return tick;
    while (state.next < points.size()) {
        const SimulationPoint& target = points[state.next];
        const double dx = target.x - state.x, dy = target.y - state.y;
        const double distance = std::sqrt(dx * dx + dy * dy);
        const double reach = travelSpeed * seconds;
        if (reach <= distance) {
            const double heading = lintrel::directionAngle(dx, dy);
            state.x += reach * std::cos(heading);
            state.y += reach * std::sin(heading);
            tick.trace.push_back({state.x, state.y, target.travel});
            return tick;
        }
        seconds -= distance / travelSpeed;
        state.x = target.x;
        state.y = target.y;
        tick.trace.push_back(target);
        if (++state.next == points.size()) {
            state.next = 0;
            tick.finished = true;
            return tick;
        }
    }
    return tick;
}

}  // namespace pathloom
