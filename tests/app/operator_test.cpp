// What an operator reads and sees: failures in words under a warning (a failed connection, a
// failed download, a lost controller with the title already updated, exports and the manual),
// the search of a typed address, the palette in the groups' own colours, a selection box that
// shows on black, and the window at the sizes of common shop screens.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>

#include "app/app_support.h"
#include "app/commands.h"
#include "dialogs/connect_dialog.h"
#include "support/builders.h"
#include "varnix/simulator.h"
#include "view/canvas.h"
#include "view/code_pane.h"
#include "view/group_palette.h"

namespace pathloom::app::testing {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;
using varnix::testing::ScopedEnvironment;
using varnix::testing::Simulator;

class Operator : public ::testing::Test {
  protected:
    std::unique_ptr<MainWindow> connectedTo(const std::string& address) {
        return autoConnectedWindow(prompter, settingsFile, address);
    }
    void importExample(MainWindow& window) { testing::importExample(window, prompter); }
    void showAt(MainWindow& window, int width, int height) {
        window.resize(width, height);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(20);  // the splitter takes its sizes on the next turn of the event loop
    }

    TempFolder folder;
    std::string settingsFile = folder.file("Setting.ini");
    ScriptedPrompter prompter;
};

TEST_F(Operator, AFailedConnectionAndAFailedDownloadSayWhy) {
    const std::string nobody = "127.0.0.1:" + std::to_string(varnix::testing::unusedLoopbackPort());
    auto window = connectedTo(nobody);
    EXPECT_EQ(prompter.warnings,
              QStringList{"连接控制器失败，21011（无法连接控制器，请检查地址并确认控制器已开启）"});
    EXPECT_TRUE(prompter.messages.isEmpty());  // no information box for a failure

    prompter.warnings.clear();
    window->action(Command::Download)->trigger();  // sent while not connected
    EXPECT_EQ(prompter.warnings, QStringList{"下载失败，1001（未连接控制器）"});

    Simulator refusing({"--refuse-downloads", "2008"});
    ASSERT_TRUE(refusing.ready());
    prompter.warnings.clear();
    auto connected = connectedTo(refusing.address());
    importExample(*connected);
    connected->action(Command::Download)->trigger();
    EXPECT_EQ(prompter.warnings, QStringList{"下载失败，2008（程序太大，控制器无法接收）"});
}

TEST_F(Operator, ALostControllerIsOffTheTitleBeforeItsMessageWaits) {
    // The prompter notes the title at the moment the warning would be on the screen.
    QStringList titles;
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    auto window = connectedTo(simulator.address());
    ASSERT_TRUE(window->session().connected());
    simulator.kill();
    prompter.onWarning = [&] { titles << window->windowTitle(); };
    window->pollController();
    ASSERT_EQ(prompter.warnings.size(), 1);
    EXPECT_TRUE(prompter.warnings[0].startsWith("连接出错，10"));
    EXPECT_TRUE(prompter.warnings[0].endsWith("）")) << prompter.warnings[0].toStdString();
    EXPECT_EQ(titles, QStringList{"Pathloom V2.04 - 未连接"});
}

TEST_F(Operator, SearchAsksATypedAddressAtItsPortAndKeepsIt) {
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    // The configured addresses find nobody; only the typed one reaches the simulator.
    const std::string configured =
        "127.0.0.1:" + std::to_string(varnix::testing::unusedLoopbackPort());
    ScopedEnvironment nobody("VARNIX_SEARCH_ADDRESSES", configured);
    ControllerSession session(varnixCalls());
    dialogs::ConnectDialog dialog(session);
    auto* list = dialog.findChild<QComboBox*>(QStringLiteral("addresses"));
    const QString typed = QStringLiteral("127.0.0.1:%1").arg(simulator.discoveryPort());
    list->setEditText(typed);
    dialog.findChild<QPushButton*>(QStringLiteral("search"))->click();
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    EXPECT_EQ(entries, (QStringList{"127.0.0.1", QString::fromStdString(simulator.address())}));
    EXPECT_EQ(dialog.address(), typed);
    // The variable the library reads holds what it held before the search.
    EXPECT_EQ(qgetenv("VARNIX_SEARCH_ADDRESSES").toStdString(), configured);
}

TEST_F(Operator, ExportsAreConfirmedOrRefusedWithThePathAndTheReasonInWords) {
    auto window = makeWindow(prompter, settingsFile);
    // Nothing to export: a word instead of an empty file, and no file dialog.
    prompter.saveAnswer = QString::fromStdString(folder.file("empty.bas"));
    window->action(Command::Export)->trigger();
    EXPECT_EQ(prompter.warnings, QStringList{"没有可导出的代码：请先导入图形"});
    EXPECT_TRUE(prompter.proposedPath.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(prompter.saveAnswer));

    importExample(*window);
    prompter.warnings.clear();
    const QString bad = QString::fromStdString(folder.file("part.bas")) + QStringLiteral("/x.bas");
    writeFile(folder.file("part.bas"), "not a folder");
    prompter.saveAnswer = bad;
    window->action(Command::Export)->trigger();
    ASSERT_EQ(prompter.warnings.size(), 1);
    EXPECT_EQ(prompter.warnings[0], "导出代码失败：“" + bad + "”：路径中的某一部分不是文件夹");

    prompter.saveAnswer = QString::fromStdString(folder.file("good.bas"));
    window->action(Command::Export)->trigger();
    EXPECT_EQ(prompter.warnings.size(), 1);
    EXPECT_EQ(window->paneText(0), "代码已导出到“" + prompter.saveAnswer + "”");
}

TEST_F(Operator, F1WithoutTheManualSaysWhereItIsExpected) {
    auto window = makeWindow(prompter, settingsFile);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.path().string()));
    window->action(Command::Manual)->trigger();
    QDir::setCurrent(previous);
    EXPECT_TRUE(prompter.opened.isEmpty());
    EXPECT_EQ(prompter.warnings,
              QStringList{"找不到帮助手册。它应位于：" +
                          QString::fromStdString(folder.file("Pathloom产品说明书.pdf"))});
}

TEST_F(Operator, PaletteButtonsWearTheColoursTheirGroupsAreDrawnIn) {
    auto window = makeWindow(prompter, settingsFile);
    VectGroup* drawing = groupOf({polyline({{0, 0}, {10, 0}, {10, 10}, {0, 0}}, true)}, 1);
    drawing->colour = 0x0000FF;  // red, as a DXF layer gives it (0x00BBGGRR)
    lintrel::append(drawing, groupOf({polyline({{0, 20}, {10, 20}})}, 3));
    window->document().adopt(drawing);
    window->drawingChanged();
    auto* palette = window->findChild<view::GroupPalette*>(QStringLiteral("groupPalette"));
    auto* one = palette->findChild<QPushButton*>(QStringLiteral("group1"));
    auto* three = palette->findChild<QPushButton*>(QStringLiteral("group3"));
    EXPECT_TRUE(one->styleSheet().contains(QStringLiteral("#ff0000")))
        << one->styleSheet().toStdString();
    EXPECT_TRUE(three->styleSheet().contains(view::GroupPalette::groupColour(3).name()));
    EXPECT_EQ(one->toolTip(), "图层 1：工艺1，速度 200 mm/s");
    EXPECT_EQ(three->toolTip(), "图层 3：工艺3，速度 200 mm/s");
}

TEST_F(Operator, TheSelectionBoxShowsOnBlackAndOpenShapesCarryEndMarks) {
    auto window = makeWindow(prompter, settingsFile);
    showAt(*window, 1000, 700);
    view::Canvas* canvas = window->canvas();
    window->document().adopt(groupOf({polyline({{0, 0}, {100, 0}, {100, 100}})}));
    canvas->resetView();
    // The open shape's ends wear hollow white squares that no closed outline has.
    const QPoint end = canvas->pixelOf(0, 0).toPoint();
    EXPECT_EQ(canvas->picture().pixelColor(end + QPoint(3, 3)), QColor(255, 255, 255));

    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mouseMove(canvas, QPoint(300, 200));
    const QImage shown = canvas->grab().toImage();
    int yellow = 0;
    for (int x = 60; x <= 300; ++x)
        yellow += shown.pixelColor(x, 60) == QColor(255, 255, 0);
    EXPECT_GT(yellow, 50);  // the dots of a box dragged to the right, in their own colour
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(300, 200));
}

TEST_F(Operator, SmallShopScreensKeepTheCanvasTheToolbarAndTheStatusReadable) {
    for (const QSize size : {QSize(800, 600), QSize(1024, 768)}) {
        SCOPED_TRACE(size.width());
        auto window = makeWindow(prompter, settingsFile);
        showAt(*window, size.width(), size.height());
        importExample(*window);
        const int canvasWidth = window->canvas()->width();
        const int codeWidth = window->codePane()->width();
        EXPECT_GT(canvasWidth, codeWidth);  // the code pane shares the width
        EXPECT_GT(codeWidth, 100);
        // The slider and the ratio box stay on the toolbar, not in its overflow menu.
        auto* bar = window->findChild<QToolBar*>(QStringLiteral("toolBar"));
        for (QWidget* box : {static_cast<QWidget*>(window->speedSlider()),
                             static_cast<QWidget*>(window->ratioBox())}) {
            EXPECT_TRUE(box->isVisible());
            EXPECT_LE(box->mapTo(bar, QPoint(box->width(), 0)).x(), bar->width());
        }
        EXPECT_TRUE(bar->widgetForAction(window->action(Command::ContinueSimulation))->isVisible());
        EXPECT_GE(window->findChild<QWidget*>(QStringLiteral("pane0"))->width(), 300);
    }
}

}  // namespace
}  // namespace pathloom::app::testing
