// The canvas in the main window: pixels probed at computed places (origin cross, open, closed,
// selected and colour-0 vects, start dots, travel dashes), wheel zoom and middle-button pan,
// click and box selection with the code pane's highlight and the reverse link, the split tool,
// the origin pick hook, and the palette on an empty view.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "app/app_support.h"
#include "app/commands.h"
#include "app/dialog_commands.h"
#include "core/canvas/scene.h"
#include "core/canvas/svg.h"
#include "core/settings/profile_file.h"
#include "dialogs/origin_dialog.h"
#include "support/builders.h"
#include "view/canvas.h"
#include "view/code_pane.h"

namespace pathloom::app::testing {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;
using lintrel::test::vectsOf;

QColor colourOf(canvas::Colour c) {
    return QColor::fromRgb(c);
}

class CanvasWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window = makeWindow(prompter, settingsFile);
        window->resize(1200, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        canvas = window->canvas();
    }
    void adopt(VectGroup* drawing) {
        window->document().adopt(drawing);
        canvas->resetView();
    }
    QColor at(double x, double y) {
        const QPointF p = canvas->pixelOf(x, y);
        return canvas->picture().pixelColor(qRound(p.x()), qRound(p.y()));
    }
    // How many pixels of `colour` lie on the pixel row through drawing point y, from x0 to x1.
    int countOnRow(double y, double x0, double x1, QColor colour) {
        const QImage& image = canvas->picture();
        const int row = qRound(canvas->pixelOf(0, y).y());
        int n = 0;
        for (int x = qRound(canvas->pixelOf(x0, 0).x()); x <= qRound(canvas->pixelOf(x1, 0).x());
             ++x)
            n += image.pixelColor(x, row) == colour;
        return n;
    }
    QPoint pixel(double x, double y) { return canvas->pixelOf(x, y).toPoint(); }

    TempFolder folder;
    std::string settingsFile = folder.file("Setting.ini");
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
    view::Canvas* canvas = nullptr;
};

TEST_F(CanvasWindow, LayersShowInTheirColours) {
    VectGroup* drawing = groupOf({polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, true),
                                  polyline({{20, 20}, {80, 20}}), polyline({{20, 40}, {80, 40}})},
                                 2);
    vectsOf(drawing)[2]->selected = 1;
    VectGroup* stitches = groupOf({polyline({{20, 60}, {80, 60}}, true)}, 3);
    stitches->colour = 0;
    lintrel::append(drawing, stitches);
    adopt(drawing);

    EXPECT_EQ(at(50, 0), colourOf(canvas::groupColour(*drawing)));
    EXPECT_EQ(at(50, 20), colourOf(canvas::kOpenColour));
    EXPECT_EQ(at(50, 60), colourOf(canvas::groupColour(*stitches)));
    EXPECT_NE(at(50, 60), QColor(Qt::black));
    EXPECT_GT(countOnRow(40, 30, 70, colourOf(canvas::kSelectedColour)), 10);
    EXPECT_GT(countOnRow(40, 30, 70, QColor(Qt::black)), 10);  // dotted
    // The origin cross sits on the square's corner, red over the square's edges.
    const QPointF origin = canvas->pixelOf(0, 0);
    EXPECT_EQ(canvas->picture().pixelColor(qRound(origin.x()) - 5, qRound(origin.y())),
              colourOf(canvas::kOriginColour));
    // Start dots on the big vects, white.
    EXPECT_EQ(at(20, 20), QColor(Qt::white));
    // The first ruler bar along the top edge.
    EXPECT_EQ(canvas->picture().pixelColor(canvas->width() / 2, 2), QColor(192, 192, 192));

    // Travel: from the square's end (0, 0) to (20, 20), dashed red; with the layer on.
    ASSERT_FALSE(window->settings().view.showAbs);
    window->action(Command::ShowTravel)->trigger();
    ASSERT_TRUE(window->settings().view.showAbs);
    const QImage& image = canvas->picture();
    int red = 0, dark = 0;
    for (int i = 10; i < 90; ++i) {
        const QPointF p = canvas->pixelOf(20.0 * i / 100, 20.0 * i / 100);
        const QColor c = image.pixelColor(qRound(p.x()), qRound(p.y()));
        red += c == colourOf(canvas::kTravelColour);
        dark += c == QColor(Qt::black);
    }
    EXPECT_GT(red, 5);
    EXPECT_GT(dark, 5);
}

TEST_F(CanvasWindow, TheDepthSwitchTintsClosedShapesAndIsStored) {
    adopt(groupOf({polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, true),
                   polyline({{20, 20}, {80, 20}, {80, 80}, {20, 80}, {20, 20}}, true)}));
    QAction* depth = window->action(Command::ShowDepth);
    EXPECT_FALSE(depth->isChecked());
    EXPECT_EQ(at(7, 13), QColor(Qt::black));
    depth->trigger();
    EXPECT_TRUE(depth->isChecked());
    EXPECT_EQ(at(7, 13), colourOf(canvas::depthColour(0)));
    EXPECT_EQ(at(47, 53), colourOf(canvas::depthColour(1)));
    depth->trigger();
    EXPECT_EQ(at(47, 53), QColor(Qt::black));
    depth->trigger();
    window->close();
    EXPECT_EQ(ProfileFile::load(settingsFile).get("View", "Show depth"), "1");
}

TEST_F(CanvasWindow, WheelZoomsAboutTheCursorAndTheMiddleButtonPans) {
    adopt(groupOf({polyline({{0, 0}, {100, 100}})}));
    const QPoint cursor = pixel(50, 50);
    const canvas::PointD under = canvas->transform().toDrawing(cursor.x(), cursor.y());
    const double before = canvas->transform().zoom();
    QWheelEvent wheel(cursor, canvas->mapToGlobal(cursor), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    canvas->picture();
    EXPECT_NEAR(canvas->transform().zoom(), before * 1.1, 1e-9);
    EXPECT_NEAR(canvas->pixelOf(under.x, under.y).x(), cursor.x(), 1e-6);
    EXPECT_NEAR(canvas->pixelOf(under.x, under.y).y(), cursor.y(), 1e-6);

    QTest::mousePress(canvas, Qt::MiddleButton, {}, cursor);
    QTest::mouseRelease(canvas, Qt::MiddleButton, {}, cursor + QPoint(30, -20));
    canvas->picture();
    EXPECT_NEAR(canvas->pixelOf(under.x, under.y).x(), cursor.x() + 30, 1e-6);
    EXPECT_NEAR(canvas->pixelOf(under.x, under.y).y(), cursor.y() - 20, 1e-6);
    window->action(Command::ResetView)->trigger();
    canvas->picture();
    EXPECT_NEAR(canvas->transform().zoom(), before, 1e-9);
}

TEST_F(CanvasWindow, ClickAndBoxSelectionHighlightTheCode) {
    prompter.openAnswer = QString::fromStdString(exampleDrawing());
    window->action(Command::Import)->trigger();
    waitForOptimisation(*window);
    const std::vector<Vect*> vects = vectsOf(window->document().drawing());
    ASSERT_GE(vects.size(), 3u);
    // Click on the middle of the second vect's first seg.
    const Seg* seg = lintrel::workingChain(*vects[1]);
    const QPoint on = pixel((seg->x0 + seg->x1) / 2, (seg->y0 + seg->y1) / 2);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, on);
    ASSERT_EQ(vects[1]->selected, 1);
    const std::vector<int>& map = window->codePane()->lineMap();
    EXPECT_EQ(window->codePane()->highlightedLines(), std::pair(map[2], map[3]));
    EXPECT_EQ(window->codePane()->topLine(), map[2]);
    EXPECT_TRUE(window->action(Command::Reverse)->isEnabled());

    // A click on empty space clears the selection (the library's replace mode) and the
    // highlight with it.
    QTest::mouseClick(canvas, Qt::LeftButton, {},
                      QPoint(canvas->width() - 3, canvas->height() - 3));
    EXPECT_EQ(vects[1]->selected, 0);
    EXPECT_EQ(window->codePane()->highlightedLines().first, -1);

    // A window box around everything, left to right, selects all: no single highlight.
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(canvas, QPoint(400, 300));
    QTest::mouseRelease(canvas, Qt::LeftButton, {},
                        QPoint(canvas->width() - 2, canvas->height() - 2));
    for (const Vect* v : vects)
        EXPECT_EQ(v->selected, 1);
    EXPECT_EQ(window->codePane()->highlightedLines().first, -1);

    // Code lines select their vects.
    window->codePane()->selectLines(map[0], map[1]);
    EXPECT_EQ(vects[0]->selected, 1);
    EXPECT_EQ(vects[1]->selected, 0);
}

TEST_F(CanvasWindow, SplitToolAndOriginPickChangeTheDrawing) {
    adopt(groupOf({polyline({{0, 0}, {100, 0}, {100, 100}})}));
    window->action(Command::Split)->trigger();
    EXPECT_EQ(window->document().mode(), ViewMode::Split);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixel(50, 0));
    EXPECT_EQ(vectsOf(window->document().drawing()).size(), 2u);
    EXPECT_TRUE(prompter.warnings.isEmpty());

    // The origin dialog's pick button starts the pick; a click near (100, 100) snaps to the end
    // and moves it to (0, 0), the dialog's typed point starts again at 0, 0, and the pick ends.
    window->action(Command::Select)->trigger();
    window->action(Command::Origin)->trigger();
    dialogs::OriginDialog* origin = window->dialogs().originDialog();
    ASSERT_NE(origin, nullptr);
    origin->findChild<QLineEdit*>("originX")->setText("7");
    origin->findChild<QPushButton*>("pickOrigin")->click();
    EXPECT_EQ(window->document().mode(), ViewMode::Dialog);
    std::vector<QPointF> picked;
    QObject::connect(canvas, &view::Canvas::originPicked, [&](double x, double y) {
        picked.push_back({x, y});
    });
    const QPoint near = pixel(100, 100) + QPoint(3, -2);
    QTest::mouseMove(canvas, near);
    ASSERT_TRUE(canvas->snapPoint());
    const QPointF still = canvas->pixelOf(100, 100);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, near);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0], QPointF(100, 100));
    const Seg* last = lintrel::workingChain(*vectsOf(window->document().drawing()).back())->prev;
    EXPECT_EQ(last->x1, 0);
    EXPECT_EQ(last->y1, 0);
    EXPECT_NEAR(canvas->pixelOf(0, 0).x(), still.x(), 1e-9);  // the picture did not jump
    EXPECT_EQ(origin->findChild<QLineEdit*>("originX")->text(), "0.0");
    EXPECT_EQ(window->document().mode(), ViewMode::Select);

    // Closing the dialog in the middle of a pick ends it too.
    origin->findChild<QPushButton*>("pickOrigin")->click();
    origin->reject();
    EXPECT_EQ(window->document().mode(), ViewMode::Select);
}

TEST_F(CanvasWindow, StartPointToolMovesAClosedShapesStart) {
    adopt(groupOf({polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, true)}));
    window->action(Command::ChangeStart)->trigger();
    EXPECT_EQ(window->document().mode(), ViewMode::StartPoint);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixel(100, 50));
    const Seg* first = lintrel::workingChain(*vectsOf(window->document().drawing())[0]);
    EXPECT_NEAR(first->x0, 100, 1);
    EXPECT_NEAR(first->y0, 50, 1);
    EXPECT_TRUE(prompter.warnings.isEmpty());
    // Far from every shape: nothing happens and nothing is said.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixel(50, 50));
    EXPECT_NEAR(first->x0, 100, 1);
    EXPECT_TRUE(prompter.warnings.isEmpty());
}

TEST_F(CanvasWindow, PaletteAndToolsOnAnEmptyViewDoNothing) {
    window->groupCommand(4);
    window->action(Command::ChangeStart)->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    window->action(Command::Select)->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_TRUE(prompter.warnings.isEmpty()) << prompter.warnings.join('|').toStdString();
}

TEST_F(CanvasWindow, AStoredCodeWidthWiderThanTheWindowLeavesADrawingArea) {
    adopt(groupOf({polyline({{0, 0}, {100, 100}})}));
    window->setCodePanelWidth(5000);
    QApplication::processEvents();
    EXPECT_GE(canvas->width(), 1);
    canvas->picture();
    EXPECT_GT(canvas->transform().zoom(), 0);
    EXPECT_TRUE(std::isfinite(canvas->transform().zoom()));
    EXPECT_EQ(window->codePanelWidth(), 5000);  // the setting is kept for a wider screen

    // The cursor's drawing position in the status bar.
    window->setCodePanelWidth(300);
    QApplication::processEvents();
    canvas->picture();
    QTest::mouseMove(canvas, pixel(25, 75));
    const QStringList shown = window->paneText(1).split(", ");
    ASSERT_EQ(shown.size(), 2) << window->paneText(1).toStdString();
    EXPECT_NEAR(shown[0].mid(2).toDouble(), 25, 0.5);
    EXPECT_NEAR(shown[1].mid(2).toDouble(), 75, 0.5);
    EXPECT_EQ(shown[0].section('.', 1).size(), 4);  // four decimals
}

TEST_F(CanvasWindow, TheConvertersPreviewIsTheCanvasScene) {
    openAndWait(*window, exampleDrawing());
    view::Canvas same(window->document(), window->settings().view, 1.0);
    same.resize(1600, 1000);
    same.picture();
    QProcess cli;
    cli.start(PATHLOOM_CLI_PATH, {"preview", QString::fromStdString(exampleDrawing()), "--settings",
                                  "/dev/null", "-q"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0);
    const std::string svg = cli.readAllStandardOutput().toStdString();
    EXPECT_EQ(svg, canvas::sceneSvg(same.scene()));
    EXPECT_GT(same.scene().strokes.size(), 10u);
}

}  // namespace
}  // namespace pathloom::app::testing
