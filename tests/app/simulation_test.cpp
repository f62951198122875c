// The simulation in the main window: its checks and texts at the start, the number of ticks a
// square takes at the slider's speed, the orange trace and the marker, pause, continue and stop
// with their commands' states, modes frozen while it runs, and a lost controller ending it.
#include <gtest/gtest.h>

#include <QAction>
#include <QSlider>
#include <QTest>

#include "app/app_support.h"
#include "app/commands.h"
#include "support/builders.h"
#include "varnix/simulator.h"
#include "view/canvas.h"
#include "view/code_pane.h"
#include "view/simulation_player.h"

namespace pathloom::app::testing {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;

class Simulation : public ::testing::Test {
  protected:
    void SetUp() override {
        // Empty speed 500 with the slider at 100: 25 units per tick.
        writeFile(settingsFile, "[Process parameters]\r\nEmpty speed=500\r\n");
        window = makeWindow(prompter, settingsFile);
        window->resize(1000, 700);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        player = window->simulation();
    }
    void squareAt(double x, double y) {
        window->document().adopt(groupOf(
            {polyline({{x, y}, {x + 100, y}, {x + 100, y + 100}, {x, y + 100}, {x, y}}, true)}));
        window->canvas()->resetView();
    }
    bool enabled(Command id) { return window->action(id)->isEnabled(); }
    // Ticks by hand until the simulation ends; the timer is paused so the test sets the pace.
    int ticksToEnd() {
        int ticks = 0;
        while (window->document().busy() && ticks < 1000) {
            player->tick();
            ++ticks;
        }
        return ticks;
    }

    TempFolder folder;
    std::string settingsFile = folder.file("Setting.ini");
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
    view::SimulationPlayer* player = nullptr;
};

TEST_F(Simulation, ChecksBeforeItStarts) {
    window->action(Command::Simulate)->trigger();
    EXPECT_EQ(prompter.warnings, QStringList{"数据为空"});
    EXPECT_EQ(window->paneText(0), "就绪");
    EXPECT_FALSE(window->document().busy());

    squareAt(0, 0);
    window->action(Command::ShowCode)->trigger();  // code pane hidden: the program may be outdated
    window->action(Command::Simulate)->trigger();
    // The message's own words, then how to bring the program up to date.
    EXPECT_EQ(prompter.warnings.back(),
              "代码未更新，请更新后再进行此操作（打开“视图 > 代码”即可更新代码）");
    EXPECT_EQ(window->document().mode(), ViewMode::Select);
}

TEST_F(Simulation, ASquareTakesTheTicksOfItsLengthAtTheSlidersSpeed) {
    squareAt(0, 0);
    window->action(Command::Simulate)->trigger();
    ASSERT_TRUE(window->document().busy());
    EXPECT_EQ(player->timer().interval(), 50);
    player->pause();
    // Not connected: the path starts at (0, 0), the square's corner; 400 units at 25 per tick
    // bring the tool round in 16 ticks, and the 17th finds it at the last point.
    for (int i = 0; i < 16; ++i)
        player->tick();
    EXPECT_EQ(player->state().next, player->points().size() - 1);
    EXPECT_NEAR(player->state().x, 0, 1e-9);
    EXPECT_NEAR(player->state().y, 0, 1e-9);
    EXPECT_EQ(ticksToEnd(), 1);
    EXPECT_EQ(window->document().mode(), ViewMode::Select);
    EXPECT_EQ(window->paneText(0), "就绪");
    ASSERT_TRUE(window->canvas()->marker());
    EXPECT_EQ(window->canvas()->marker()->x, 0);

    // Twice the slider, half the ticks.
    window->speedSlider()->setValue(200);
    window->action(Command::Simulate)->trigger();
    player->pause();
    EXPECT_EQ(ticksToEnd(), 9);
}

TEST_F(Simulation, TraceAndMarkerShowOnTheCanvas) {
    squareAt(0, 0);
    window->action(Command::Simulate)->trigger();
    player->pause();
    for (int i = 0; i < 6; ++i)
        player->tick();  // 150 units: along the bottom and up the right
    view::Canvas* canvas = window->canvas();
    const QPointF mid = canvas->pixelOf(50, 0);
    EXPECT_EQ(canvas->picture().pixelColor(mid.toPoint() + QPoint(0, 0)), QColor(255, 155, 0));
    // The marker is drawn in the not-xor mode: cyan over black shows as its complement.
    const QPointF tool = canvas->pixelOf(100, 50);
    const QImage shown = canvas->grab().toImage();
    EXPECT_EQ(shown.pixelColor(tool.toPoint() + QPoint(12, 0)), QColor(255, 0, 0));
    // A zoom during the simulation paints the covered path again.
    canvas->resetView();
    EXPECT_EQ(canvas->picture().pixelColor(canvas->pixelOf(50, 0).toPoint()), QColor(255, 155, 0));
}

TEST_F(Simulation, StopTakesTheCrossAwayAndNoRunLeavesItsPathBehind) {
    squareAt(0, 0);
    view::Canvas* canvas = window->canvas();
    const auto orangeAt = [&](double x, double y) {
        return canvas->picture().pixelColor(canvas->pixelOf(x, y).toPoint()) == QColor(255, 155, 0);
    };
    window->action(Command::Simulate)->trigger();
    player->pause();
    for (int i = 0; i < 6; ++i)
        player->tick();
    ASSERT_TRUE(canvas->marker());
    ASSERT_TRUE(orangeAt(50, 0));
    window->action(Command::StopSimulation)->trigger();
    EXPECT_FALSE(canvas->marker());
    EXPECT_FALSE(orangeAt(50, 0));

    // A run to its end leaves the cross at the last point and the square in its own colour.
    window->action(Command::Simulate)->trigger();
    player->pause();
    EXPECT_EQ(ticksToEnd(), 17);
    ASSERT_TRUE(canvas->marker());
    EXPECT_EQ(canvas->marker()->x, 0);
    EXPECT_FALSE(orangeAt(50, 0));
}

TEST_F(Simulation, PauseContinueStopAndFrozenModes) {
    EXPECT_FALSE(enabled(Command::PauseSimulation));
    EXPECT_FALSE(enabled(Command::ContinueSimulation));
    EXPECT_FALSE(enabled(Command::StopSimulation));
    window->action(Command::ContinueSimulation)->trigger();  // nothing runs: nothing starts
    EXPECT_FALSE(player->ticking());

    squareAt(0, 0);
    window->action(Command::Simulate)->trigger();
    EXPECT_TRUE(player->ticking());
    EXPECT_TRUE(enabled(Command::PauseSimulation));
    EXPECT_FALSE(enabled(Command::ContinueSimulation));
    EXPECT_FALSE(enabled(Command::Simulate));
    window->action(Command::PauseSimulation)->trigger();
    EXPECT_FALSE(player->ticking());
    EXPECT_TRUE(enabled(Command::ContinueSimulation));
    const SimulationState paused = player->state();
    window->action(Command::ContinueSimulation)->trigger();
    EXPECT_TRUE(player->ticking());
    EXPECT_EQ(player->state().next, paused.next);

    // Mode switches wait for the end of the simulation, its timer keeps running.
    window->action(Command::Split)->trigger();
    window->action(Command::Select)->trigger();
    EXPECT_EQ(window->document().mode(), ViewMode::Simulation);
    EXPECT_TRUE(player->ticking());

    window->codePane()->highlightLines(1, 2);
    window->action(Command::StopSimulation)->trigger();
    EXPECT_FALSE(player->ticking());
    EXPECT_EQ(window->document().mode(), ViewMode::Select);
    EXPECT_EQ(window->codePane()->highlightedLines().first, -1);
    EXPECT_FALSE(enabled(Command::StopSimulation));
}

TEST_F(Simulation, ALostControllerStopsIt) {
    varnix::testing::Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    window->connectTo(QString::fromStdString(simulator.address()));
    ASSERT_TRUE(window->session().connected());
    squareAt(10, 10);
    window->action(Command::Simulate)->trigger();
    ASSERT_TRUE(window->document().busy());
    simulator.kill();
    window->pollController();
    EXPECT_FALSE(window->document().busy());
    EXPECT_FALSE(player->ticking());
}

}  // namespace
}  // namespace pathloom::app::testing
