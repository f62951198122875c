// The main window's life: settings read at start and written at close, the display scale, the
// document commands through their actions and keys, and the link between selection and code.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <cstdio>

#include "app/app_support.h"
#include "app/commands.h"
#include "core/settings/profile_file.h"
#include "view/code_pane.h"
#include "view/code_view.h"

namespace pathloom::app::testing {
namespace {

class Window : public ::testing::Test {
  protected:
    std::unique_ptr<MainWindow> open(double dpi = 96) {
        return makeWindow(prompter, settingsFile, dpi);
    }
    // A window with the example drawing imported through the import command.
    std::unique_ptr<MainWindow> withDrawing() {
        auto window = open();
        prompter.openAnswer = QString::fromStdString(exampleDrawing());
        window->action(Command::Import)->trigger();
        waitForOptimisation(*window);
        return window;
    }

    // Shown and active, so that shortcuts reach it.
    static void activate(MainWindow& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    TempFolder folder;
    std::string settingsFile = folder.file("Setting.ini");
    ScriptedPrompter prompter;
};

TEST_F(Window, NoSettingsFileGivesACompleteFileAtClose) {
    auto window = open();
    EXPECT_EQ(window->windowTitle(), "Pathloom V2.04 - 未连接");
    EXPECT_EQ(window->ratioTimer().interval(), 50);
    EXPECT_TRUE(window->ratioTimer().isActive());
    EXPECT_EQ(window->paneText(0), "就绪");
    window->close();
    const ProfileFile saved = ProfileFile::load(settingsFile);
    EXPECT_EQ(saved.get("Auto optimize", "Smoothing accuracy"), "0.050000");
    EXPECT_EQ(saved.get("Auto connect", "Auto IP"), "127.0.0.1");
    EXPECT_EQ(saved.get("Process parameters", "Speed20"), "200.000000");
    EXPECT_EQ(saved.get("Simulation", "Simulation speed"), "100");
    EXPECT_EQ(saved.get("View", "Gcode width"), "400");
    EXPECT_EQ(saved.section("Auto optimize").size(), 16u);
    EXPECT_EQ(saved.section("View").size(), 10u);
}

TEST_F(Window, LoadedSettingsShapeTheWindowAndComeBackAtClose) {
    writeFile(settingsFile,
              "[Simulation]\r\nSimulation speed=250\r\n[View]\r\nShow StatusBar=0\r\n"
              "Show grids=0\r\nShow abs=1\r\nGcode width=300\r\n");
    auto window = open();
    EXPECT_EQ(window->speedSlider()->value(), 250);
    EXPECT_FALSE(window->statusBar()->isVisibleTo(window.get()));
    EXPECT_FALSE(window->action(Command::ShowGrid)->isChecked());
    EXPECT_TRUE(window->action(Command::ShowTravel)->isChecked());
    EXPECT_EQ(window->codePanelWidth(), 300);
    // The ratio box follows the slider at the next tick of its 50 ms timer.
    window->speedSlider()->setValue(320);
    QTRY_COMPARE_WITH_TIMEOUT(window->ratioBox()->text(), QStringLiteral("倍率320%"), 2000);
    window->action(Command::ShowGrid)->trigger();
    window->action(Command::StatusBar)->trigger();
    window->close();
    const ProfileFile saved = ProfileFile::load(settingsFile);
    EXPECT_EQ(saved.get("Simulation", "Simulation speed"), "320");
    EXPECT_EQ(saved.get("View", "Show grids"), "1");
    EXPECT_EQ(saved.get("View", "Show StatusBar"), "1");
    EXPECT_EQ(saved.get("View", "Gcode width"), "300");
}

TEST_F(Window, RefusedSettingsAreNamedOnceAndTheirDefaultsUsed) {
    writeFile(settingsFile,
              "[Process parameters]\r\nSpeed1=-5\r\nX-axis num=77\r\nSpeed2=120\r\n"
              "[Simulation]\r\nSimulation speed=250\r\n");
    auto window = open();
    QTRY_COMPARE_WITH_TIMEOUT(prompter.warnings.size(), 1, 2000);
    const QString warning = prompter.warnings.value(0);
    EXPECT_TRUE(warning.contains(QString::fromStdString(settingsFile))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("Speed1：-5"))) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("X-axis num：77"))) << warning.toStdString();
    EXPECT_FALSE(warning.contains(QStringLiteral("Speed2"))) << warning.toStdString();
    EXPECT_EQ(window->speedSlider()->value(), 250);
    window->close();
    const ProfileFile saved = ProfileFile::load(settingsFile);
    EXPECT_EQ(saved.get("Process parameters", "Speed1"), "200.000000");
    EXPECT_EQ(saved.get("Process parameters", "X-axis num"), "0");
    EXPECT_EQ(saved.get("Process parameters", "Speed2"), "120.000000");
    EXPECT_EQ(prompter.warnings.size(), 1);
}

TEST_F(Window, DisplayScaleSizesThePanesAndStoresThePanelIn96DpiPixels) {
    auto window = open(144);
    EXPECT_DOUBLE_EQ(window->displayScale(), 1.5);
    EXPECT_EQ(window->speedSlider()->width(), 375);
    EXPECT_EQ(window->ratioBox()->width(), 300);
    EXPECT_EQ(window->codePanelWidth(), 600);  // 400 from the defaults
    window->setCodePanelWidth(600);
    window->close();
    EXPECT_EQ(ProfileFile::load(settingsFile).get("View", "Gcode width"), "400");
}

TEST_F(Window, ReadOnlyProgramFolderKeepsTheSettingsInTheUserFolder) {
    const std::string config = folder.file("config");
    const SettingsLocation where =
        settingsLocation(folder.file("missing-install"), config.c_str(), folder.path().c_str());
    WindowOptions options;
    options.prompter = &prompter;
    options.dotsPerInch = 96;
    options.settings = where;
    {
        MainWindow window(options);
        window.speedSlider()->setValue(77);
        window.close();
    }
    const std::string userFile = config + "/pathloom/Setting.ini";
    EXPECT_EQ(where.writePath, userFile);
    EXPECT_EQ(ProfileFile::load(userFile).get("Simulation", "Simulation speed"), "77");
    MainWindow again(options);
    EXPECT_EQ(again.speedSlider()->value(), 77);
}

TEST_F(Window, ImportShowsTheProgramWithItsLineMapAndNewClearsBoth) {
    auto window = withDrawing();
    EXPECT_TRUE(prompter.warnings.isEmpty()) << prompter.warnings.join(' ').toStdString();
    // Every kind the import reads has its entry, all of them one more, and the last takes any file.
    const QStringList filters = prompter.openFilters.split(QStringLiteral(";;"));
    EXPECT_EQ(filters.value(0), "AutoCad File(*.dxf *.DXF)");
    EXPECT_EQ(filters.value(2), "Adobe Illustrator File(*.ai *.AI)");
    EXPECT_EQ(filters.value(3), "Tajima Stitch File(*.dst *.DST)");
    EXPECT_EQ(filters.value(4), "SVG File(*.svg *.SVG *.svgz *.SVGZ)");
    EXPECT_EQ(filters.value(5), "PDF File(*.pdf *.PDF)");
    EXPECT_EQ(filters.value(7), "All Files(*)");
    const QString drawings = filters.value(6);
    EXPECT_TRUE(drawings.startsWith("All Drawings(")) << drawings.toStdString();
    for (const char* name : {"a.dxf", "B.DXF", "c.plt", "d.hpgl", "e.HPG", "f.hgl", "g.ai", "h.dst",
                             "i.DST", "j.svg", "k.svgz", "l.pdf"}) {
        EXPECT_TRUE(QDir::match(drawings.section('(', 1).chopped(1).split(' '), name)) << name;
        EXPECT_TRUE(QDir::match(QStringLiteral("*"), name));
    }
    EXPECT_TRUE(QDir::match(filters.value(1).section('(', 1).chopped(1).split(' '), "x.hgl"));
    EXPECT_FALSE(QDir::match(drawings.section('(', 1).chopped(1).split(' '), "photo.png"));
    ASSERT_NE(window->document().drawing(), nullptr);
    EXPECT_FALSE(paneText(*window).empty());
    EXPECT_EQ(paneText(*window), window->document().code());
    EXPECT_EQ(window->codePane()->lineMap(), window->document().lineMap());
    EXPECT_EQ(window->paneText(0), "就绪");

    activate(*window);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->document().drawing(), nullptr);
    EXPECT_TRUE(paneText(*window).empty());
    EXPECT_TRUE(window->codePane()->lineMap().empty());
    // Nothing is highlighted from a map that no longer matches the text.
    window->showSelectionInCode();
    EXPECT_EQ(window->codePane()->highlightedLines(), std::make_pair(-1, -1));

    prompter.openAnswer.clear();  // a cancelled dialog changes nothing
    window->action(Command::Import)->trigger();
    EXPECT_EQ(window->document().drawing(), nullptr);
}

TEST_F(Window, ExportProposesTheNameByLanguageAndWritesThePaneText) {
    auto window = withDrawing();
    prompter.saveAnswer = QString::fromStdString(folder.file("part"));
    window->action(Command::Export)->trigger();
    EXPECT_EQ(prompter.proposedPath, "KORVEL.bas");
    EXPECT_EQ(prompter.selectedFilter, "Basic File(*.bas)");
    EXPECT_EQ(readFile(folder.file("part.bas")), paneText(*window));

    writeFile(settingsFile, "[Process parameters]\r\nShow code type=1\r\n");
    auto gcode = withDrawing();
    prompter.saveAnswer = QString::fromStdString(folder.path().string() + "/no/such/folder/x.nc");
    gcode->action(Command::Export)->trigger();
    EXPECT_EQ(prompter.proposedPath, "KORVEL.nc");
    EXPECT_EQ(prompter.selectedFilter, "NC File(*.nc)");
    ASSERT_EQ(prompter.warnings.size(), 1);
    EXPECT_TRUE(prompter.warnings[0].startsWith("导出代码失败："));
}

TEST_F(Window, OneSelectedVectHighlightsItsLinesAndTextSelectsVects) {
    auto window = withDrawing();
    VectGroup* drawing = window->document().drawing();
    ASSERT_NE(drawing, nullptr);
    Vect* first = drawing->vects;
    Vect* second = first->next != first ? first->next : drawing->next->vects;
    ASSERT_NE(second, first);
    second->selected = 1;
    window->showSelectionInCode();
    const std::vector<int>& map = window->codePane()->lineMap();
    const std::pair<int, int> expected{map[2], map[3]};
    EXPECT_EQ(window->codePane()->highlightedLines(), expected);
    EXPECT_EQ(window->codePane()->topLine(), expected.first);
    EXPECT_TRUE(window->action(Command::Reverse)->isEnabled());

    // Two selected vects: no highlight.
    first->selected = 1;
    window->showSelectionInCode();
    EXPECT_EQ(window->codePane()->highlightedLines(), std::make_pair(-1, -1));

    // Selecting the first vect's lines in the pane selects it alone.
    window->codePane()->selectLines(map[0], map[1]);
    EXPECT_EQ(first->selected, 1);
    EXPECT_EQ(second->selected, 0);
    window->codePane()->selectLines(map[0], map[3]);
    EXPECT_EQ(second->selected, 1);
}

TEST_F(Window, EditingCommandsRegenerateTheProgram) {
    auto window = withDrawing();
    EXPECT_FALSE(window->action(Command::Reverse)->isEnabled());  // nothing selected
    const std::string before = paneText(*window);
    VectGroup* drawing = window->document().drawing();
    drawing->vects->selected = 1;
    window->showSelectionInCode();
    ASSERT_TRUE(window->action(Command::Reverse)->isEnabled());
    window->action(Command::Reverse)->trigger();
    EXPECT_NE(paneText(*window), before);
    EXPECT_EQ(paneText(*window), window->document().code());
    window->action(Command::Reverse)->trigger();
    EXPECT_EQ(paneText(*window), before);

    // With the code pane off the text stays as it was; switching it on regenerates.
    window->action(Command::ShowCode)->trigger();
    EXPECT_FALSE(window->settings().view.showGcode);
    window->action(Command::Reverse)->trigger();
    EXPECT_EQ(paneText(*window), before);
    window->action(Command::ShowCode)->trigger();
    EXPECT_NE(paneText(*window), before);
}

TEST_F(Window, GroupPaletteSelectsAGroupOrMovesTheSelectionIntoIt) {
    auto window = withDrawing();
    VectGroup* drawing = window->document().drawing();
    auto* button = window->findChild<QPushButton*>(QStringLiteral("group%1").arg(drawing->number));
    ASSERT_NE(button, nullptr);
    button->click();
    int selected = 0, total = 0;
    Vect* v = drawing->vects;
    do {
        selected += v->selected ? 1 : 0;
        ++total;
        v = v->next;
    } while (v != drawing->vects);
    EXPECT_EQ(selected, total);
    EXPECT_TRUE(window->action(Command::Reverse)->isEnabled());

    // With a selection, a group button moves it into that group (created when missing).
    const std::string before = paneText(*window);
    window->findChild<QPushButton*>(QStringLiteral("group20"))->click();
    EXPECT_TRUE(prompter.warnings.isEmpty());
    VectGroup* last = window->document().drawing()->prev;
    EXPECT_EQ(last->number, 20);
    EXPECT_NE(paneText(*window), before);  // the moved vects now take preset 20's place
}

TEST_F(Window, ADroppedDrawingIsImported) {
    auto window = open();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(exampleDrawing()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    waitForOptimisation(*window);
    EXPECT_NE(window->document().drawing(), nullptr);
    EXPECT_FALSE(paneText(*window).empty());
}

TEST_F(Window, HelpOpensTheManualOnlyWhenItIsThere) {
    auto window = open();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.path().string()));
    window->action(Command::Manual)->trigger();
    EXPECT_TRUE(prompter.opened.isEmpty());
    writeFile(folder.file("Pathloom产品说明书.pdf"), "%PDF-1.4\n");
    activate(*window);
    QTest::keyClick(window.get(), Qt::Key_F1);
    QDir::setCurrent(previous);
    ASSERT_EQ(prompter.opened.size(), 1);
    EXPECT_TRUE(prompter.opened[0].endsWith("Pathloom产品说明书.pdf"));
    window->action(Command::About)->trigger();
    EXPECT_EQ(prompter.abouts, QStringList{"关于 Pathloom"});
}

TEST_F(Window, CodePaneHighlightsOnlyLinesThatExistAndEditsByHand) {
    auto window = open();
    view::CodePane* pane = window->codePane();
    pane->setProgram("A\r\nB\r\nC\r\n", {0, 1, 2, 7});
    EXPECT_EQ(pane->lineCount(), 3);
    pane->highlightLines(2, 7);
    EXPECT_EQ(pane->highlightedLines(), std::make_pair(2, 2));
    pane->highlightLines(5, 9);
    EXPECT_EQ(pane->highlightedLines(), std::make_pair(-1, -1));

    window->show();
    pane->view()->setFocus();
    QTest::keyClick(pane->view(), Qt::Key_X);
    ASSERT_TRUE(pane->editing());
    EXPECT_EQ(pane->text(), "xA\r\nB\r\nC\r\n");
    pane->setProgram("D\r\n", {0, 0});
    EXPECT_FALSE(pane->editing());
    EXPECT_EQ(pane->text(), "D\r\n");
}

}  // namespace
}  // namespace pathloom::app::testing
