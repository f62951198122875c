// The simulated path and its stepping: start at the controller's position, travel points only
// where the tool must move, arcs along their flattened chains, distance per tick from the two
// speeds, and the trace that tells cuts from travels.
#include <gtest/gtest.h>

#include "core/simulation/simulation_path.h"
#include "pathloom/fake_controller.h"
#include "support/builders.h"

using namespace pathloom;
using namespace lintrel::test;
using lintrel::ChainOwner;
using pathloom::test::FakeController;

namespace {

Vect* squareAt(double x, double y, double side) {
    return polyline({{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}, {x, y}}, true);
}

int ticksToFinish(const std::vector<SimulationPoint>& points, int speed, double travel) {
    SimulationState state;
    for (int tick = 1; tick < 10000; ++tick)
        if (advanceSimulation(points, state, speed, travel).finished) return tick;
    return -1;
}

}  // namespace

TEST(Simulation, PathStartsAtTheControllerAndTravelsOnlyWhenNeeded) {
    ChainOwner<VectGroup> drawing(groupOf({squareAt(0, 0, 100), squareAt(0, 0, 10)}));
    drawing.append(groupOf({polyline({{50, 50}, {60, 50}})}, 2));
    const SimulationPath path = buildSimulationPath(drawing.get(), ProcessSettings{}, nullptr);
    ASSERT_EQ(path.status, SimulationStatus::Ok);
    const std::vector<SimulationPoint> expected{{0, 0, true},    {100, 0, false}, {100, 100, false},
                                                {0, 100, false}, {0, 0, false},   {10, 0, false},
                                                {10, 10, false}, {0, 10, false},  {0, 0, false},
                                                {50, 50, true},  {60, 50, false}};
    EXPECT_EQ(path.points, expected);

    FakeController controller;
    controller.replies = {{"?MPOS(0)", "-7"}, {"?MPOS(1)", "3.5"}};
    const SimulationPath measured =
        buildSimulationPath(drawing.get(), ProcessSettings{}, &controller);
    EXPECT_EQ(measured.points[0], (SimulationPoint{-7, 3.5, true}));
    EXPECT_EQ(measured.points[1], (SimulationPoint{0, 0, true}));

    EXPECT_EQ(buildSimulationPath(nullptr, ProcessSettings{}, nullptr).status,
              SimulationStatus::NoDrawing);
}

TEST(Simulation, ArcsFollowTheirFlattenedChain) {
    ChainOwner<VectGroup> drawing(groupOf({circle(20, 20, 5)}));
    const SimulationPath path = buildSimulationPath(drawing.get(), ProcessSettings{}, nullptr);
    const Seg* flat = drawing.get()->vects->flatSegs;
    ASSERT_NE(flat, nullptr);
    ASSERT_EQ(path.points.size(), 2u + static_cast<size_t>(lintrel::ringCount(flat)));
    EXPECT_TRUE(path.points[1].travel);
    for (size_t i = 2; i < path.points.size(); ++i) {
        EXPECT_FALSE(path.points[i].travel);
        EXPECT_NEAR(std::hypot(path.points[i].x - 20, path.points[i].y - 20), 5, 1e-3);
    }
}

TEST(Simulation, DistancePerTickFollowsBothSpeeds) {
    ChainOwner<VectGroup> drawing(groupOf({squareAt(0, 0, 100)}));
    const std::vector<SimulationPoint> points =
        buildSimulationPath(drawing.get(), ProcessSettings{}, nullptr).points;
    // 25 units a tick at travel speed 500 and simulation speed 100: 400 units in 16 ticks; the
    // tick after them notices the end.
    SimulationState state;
    for (int i = 0; i < 16; ++i)
        ASSERT_FALSE(advanceSimulation(points, state, 100, 500).finished) << i;
    EXPECT_NEAR(state.x, 0, 1e-9);
    EXPECT_NEAR(state.y, 0, 1e-9);
    EXPECT_EQ(ticksToFinish(points, 100, 500), 17);
    EXPECT_EQ(ticksToFinish(points, 200, 500), 9);

    SimulationState first;
    const SimulationTick tick = advanceSimulation(points, first, 100, 500);
    EXPECT_NEAR(first.x, 25, 1e-9);
    EXPECT_NEAR(first.y, 0, 1e-9);
    EXPECT_EQ(first.next, 1u);
    ASSERT_EQ(tick.trace.size(), 3u);  // start, the start point (travel), the stop on a cut
    EXPECT_TRUE(tick.trace[1].travel);
    EXPECT_FALSE(tick.trace[2].travel);

    // Speed 0 freezes the tool; a negative travel speed never moves it backwards.
    for (auto [speed, travel] : {std::pair{0, 500.0}, std::pair{100, -500.0}}) {
        SimulationState frozen{1, 10, 0};
        advanceSimulation(points, frozen, speed, travel);
        EXPECT_EQ(frozen.x, 10);
        EXPECT_EQ(frozen.next, 1u);
    }
}

TEST(Simulation, TravelsInsideOneTickAreFlaggedAsTravels) {
    const std::vector<SimulationPoint> points{
        {0, 0, true}, {1, 0, false}, {5, 0, true}, {6, 0, false}};
    SimulationState state;
    const SimulationTick tick = advanceSimulation(points, state, 100, 500);
    ASSERT_TRUE(tick.finished);
    EXPECT_EQ(state.next, 0u);
    const std::vector<SimulationPoint> expected{
        {0, 0, true}, {0, 0, true}, {1, 0, false}, {5, 0, true}, {6, 0, false}};
    EXPECT_EQ(tick.trace, expected);

    // A state that points past the path ends the run instead of ticking forever.
    SimulationState stale{9, 0, 0};
    EXPECT_TRUE(advanceSimulation(points, stale, 100, 500).finished);
    EXPECT_EQ(stale.next, 0u);
    EXPECT_TRUE(advanceSimulation({}, state, 100, 500).finished);
}
