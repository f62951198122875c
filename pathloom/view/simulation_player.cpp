// Ticks of the simulation clock.
#include "view/simulation_player.h"

namespace pathloom::view {

SimulationPlayer::SimulationPlayer(Speeds speeds, QObject* parent)
    : QObject(parent), speeds_(std::move(speeds)) {
    timer_.setInterval(kTickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &SimulationPlayer::tick);
}

void SimulationPlayer::start(std::vector<SimulationPoint> points) {
    points_ = std::move(points);
    state_ = {};
    timer_.start();
}

void SimulationPlayer::tick() {
    const auto [simulationSpeed, travelSpeed] = speeds_();
    const SimulationTick step = advanceSimulation(points_, state_, simulationSpeed, travelSpeed);
    if (step.finished) timer_.stop();
    emit moved(step);
}

}  // namespace pathloom::view
