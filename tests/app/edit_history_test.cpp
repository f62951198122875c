// The Edit menu's undo and redo with the step's name, the question before unsaved edits are
// dropped, the automatic optimisation of an import off the interface thread (progress, editing
// held back, Escape keeps the drawing as imported) and the recent drawings of the File menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <random>

#include "app/app_support.h"
#include "app/commands.h"
#include "support/builders.h"
#include "support/dxf_builder.h"
#include "view/canvas.h"

#include <lintrel/lintrel.hpp>

namespace pathloom::app::testing {
namespace {

using lintrel::test::vectStarts;

// Enough scattered lines that sorting them takes a noticeable while.
std::string scatteredLines(int count) {
    lintrel::test::DxfText dxf;
    dxf.section("ENTITIES");
    std::mt19937 random(11);
    std::uniform_real_distribution<double> at(0, 1000);
    for (int i = 0; i < count; ++i) {
        const double x = at(random), y = at(random);
        dxf.line(x, y, x + 3, y + 2);
    }
    return dxf.endSection().eof().str();
}

class EditHistory : public ::testing::Test {
  protected:
    std::unique_ptr<MainWindow> shownWindow() {
        auto window = makeWindow(prompter, folder.file("Setting.ini"));
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }
    void reverseAll(MainWindow& window) {
        Lintrel_SelectAll(window.document().drawing());
        window.showSelectionInCode();
        window.action(Command::Reverse)->trigger();
    }

    TempFolder folder;
    ScriptedPrompter prompter;
};

TEST_F(EditHistory, ReverseIsUndoneByteForByteAndRedoneWithTheStepInTheMenu) {
    auto window = shownWindow();
    EXPECT_FALSE(window->action(Command::Undo)->isEnabled());
    openAndWait(*window, exampleDrawing());
    EXPECT_EQ(window->action(Command::Undo)->text(), QStringLiteral("撤销 导入(&U)"));
    const std::string opened = paneText(*window);
    reverseAll(*window);
    const std::string reversed = paneText(*window);
    ASSERT_NE(reversed, opened);
    EXPECT_EQ(window->action(Command::Undo)->text(), QStringLiteral("撤销 反向(&U)"));

    window->canvas()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(paneText(*window), opened);
    EXPECT_EQ(window->action(Command::Redo)->text(), QStringLiteral("重做 反向(&R)"));
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(paneText(*window), reversed);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(paneText(*window), reversed);  // nothing left to redo
    window->action(Command::Undo)->trigger();
    window->action(Command::Undo)->trigger();  // the import itself
    EXPECT_EQ(window->document().drawing(), nullptr);
    EXPECT_EQ(paneText(*window), "");
    window->action(Command::Redo)->trigger();
    EXPECT_EQ(paneText(*window), opened);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("bracket.dxf")));
}

TEST_F(EditHistory, NewOpenAndExitAskBeforeDroppingEditsAndNewCanBeTakenBack) {
    auto window = makeWindow(prompter, folder.file("Setting.ini"));
    openAndWait(*window, exampleDrawing());
    window->action(Command::New)->trigger();  // nothing edited: no question
    EXPECT_TRUE(prompter.unsavedQuestions.isEmpty());
    window->action(Command::Undo)->trigger();
    ASSERT_NE(window->document().drawing(), nullptr);

    reverseAll(*window);
    const std::string reversed = paneText(*window);
    prompter.unsavedAnswer = dialogs::Prompter::Unsaved::Cancel;
    window->action(Command::New)->trigger();
    EXPECT_EQ(prompter.unsavedQuestions.size(), 1);
    EXPECT_EQ(paneText(*window), reversed);  // cancelled: nothing happened
    prompter.openAnswer = QString::fromStdString(exampleDrawing());
    window->action(Command::Import)->trigger();
    EXPECT_EQ(prompter.unsavedQuestions.size(), 2);
    EXPECT_FALSE(window->optimising());
    EXPECT_FALSE(window->close());  // Exit asks too, and stays
    EXPECT_EQ(prompter.unsavedQuestions.size(), 3);

    // Export first: the program is written, and then the drawing is cleared.
    prompter.unsavedAnswer = dialogs::Prompter::Unsaved::Export;
    prompter.saveAnswer = QString::fromStdString(folder.file("kept.bas"));
    window->action(Command::New)->trigger();
    EXPECT_EQ(readFile(folder.file("kept.bas")), reversed);
    EXPECT_EQ(window->document().drawing(), nullptr);
    window->action(Command::Undo)->trigger();  // New taken back
    EXPECT_EQ(paneText(*window), reversed);
    EXPECT_TRUE(window->close());  // exported already: nothing to ask
    EXPECT_EQ(prompter.unsavedQuestions.size(), 4);
}

TEST_F(EditHistory, TheOptimisationShowsProgressHoldsEditingBackAndEscapeKeepsTheImport) {
    const std::string file = folder.file("scattered.dxf");
    writeFile(file, scatteredLines(30000));
    auto window = shownWindow();
    window->openFile(QString::fromStdString(file));
    ASSERT_TRUE(window->optimising());
    // The drawing as imported is already there to see, and editing waits.
    VectGroup* imported = window->document().drawing();
    ASSERT_NE(imported, nullptr);
    const auto importedStarts = vectStarts(imported);
    EXPECT_EQ(importedStarts.size(), 30000u);
    EXPECT_FALSE(window->action(Command::Reverse)->isEnabled());
    EXPECT_FALSE(window->action(Command::New)->isEnabled());
    EXPECT_FALSE(window->action(Command::StopSimulation)->isEnabled());
    EXPECT_TRUE(window->cancelButton()->isVisible());
    QTest::qWait(150);
    EXPECT_TRUE(window->paneText(0).contains(QLatin1Char('%')))
        << window->paneText(0).toStdString();

    QTest::keyClick(window.get(), Qt::Key_Escape);
    waitForOptimisation(*window);
    EXPECT_EQ(window->document().drawing(), imported);
    EXPECT_EQ(vectStarts(window->document().drawing()), importedStarts);
    EXPECT_FALSE(window->cancelButton()->isVisible());
    EXPECT_TRUE(window->action(Command::New)->isEnabled());
    EXPECT_FALSE(paneText(*window).empty());  // the program of the drawing as imported

    // Run to its end, the optimised drawing takes the imported one's place.
    openAndWait(*window, file);
    EXPECT_NE(vectStarts(window->document().drawing()), importedStarts);
}

TEST_F(EditHistory, RecentDrawingsAreOfferedAndAMissingOneIsReportedAndRemoved) {
    const std::string copy = folder.file("copy.dxf");
    writeFile(copy, readFile(exampleDrawing()));
    {
        auto window = makeWindow(prompter, folder.file("Setting.ini"));
        EXPECT_FALSE(window->recentMenu()->isEnabled());
        openAndWait(*window, exampleDrawing());
        openAndWait(*window, copy);
        ASSERT_EQ(window->recentFiles().size(), 2u);
        EXPECT_EQ(window->recentMenu()->actions().value(0)->text(), QStringLiteral("&1 copy.dxf"));
    }
    QFile::remove(QString::fromStdString(copy));
    auto window = makeWindow(prompter, folder.file("Setting.ini"));  // read from the settings
    ASSERT_EQ(window->recentFiles().size(), 2u);
    window->recentMenu()->actions().value(1)->trigger();  // the bracket
    waitForOptimisation(*window);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("bracket.dxf")));
    window->recentMenu()->actions().value(1)->trigger();  // copy.dxf, now gone
    ASSERT_EQ(prompter.warnings.size(), 1);
    EXPECT_TRUE(prompter.warnings.first().contains(QStringLiteral("copy.dxf")));
    EXPECT_EQ(window->recentFiles().size(), 1u);
    EXPECT_EQ(window->recentMenu()->actions().size(), 1);
}

}  // namespace
}  // namespace pathloom::app::testing
