// The simulation's clock: the path of the current start, the tool's state on it, and the 50 ms
// timer that moves the tool at the speed the slider gives. Pausing stops the timer and keeps
// the state; each tick reports where the tool went.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "core/simulation/simulation_path.h"

namespace pathloom::view {

class SimulationPlayer : public QObject {
    Q_OBJECT
  public:
    // `speeds` gives the "Simulation speed" setting and the travel speed at each tick.
    using Speeds = std::function<std::pair<int, double>()>;
    explicit SimulationPlayer(Speeds speeds, QObject* parent = nullptr);

    void start(std::vector<SimulationPoint> points);
    void pause() { timer_.stop(); }
    void resume() { timer_.start(); }
    void stop() { timer_.stop(); }
    bool ticking() const { return timer_.isActive(); }
    const QTimer& timer() const { return timer_; }
    const SimulationState& state() const { return state_; }
    const std::vector<SimulationPoint>& points() const { return points_; }
    // One tick now, as the timer would run it.
    void tick();

  signals:
    void moved(const SimulationTick& tick);

  private:
    Speeds speeds_;
    QTimer timer_;
    std::vector<SimulationPoint> points_;
    SimulationState state_;
};

}  // namespace pathloom::view
