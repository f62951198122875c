// Opening drawings in the window: the title names the open drawing, and a file that gives nothing
// leaves the open drawing, its program and its view as they were and says why.
#include <gtest/gtest.h>

#include <QAction>
#include <cmath>

#include "app/app_support.h"
#include "app/commands.h"

namespace pathloom::app::testing {
namespace {

class OpenDrawing : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string settingsFile = folder.file("Setting.ini");
    ScriptedPrompter prompter;
};

TEST_F(OpenDrawing, AFileThatGivesNothingKeepsTheOpenDrawingAndNamesTheFileAndTheReason) {
    auto window = makeWindow(prompter, settingsFile);
    openAndWait(*window, exampleDrawing());
    VectGroup* bracket = window->document().drawing();
    ASSERT_NE(bracket, nullptr);
    const std::string program = paneText(*window);
    ASSERT_FALSE(program.empty());
    const QString title = window->windowTitle();
    EXPECT_TRUE(title.startsWith(QStringLiteral("bracket.dxf - Pathloom V2.04")))
        << title.toStdString();

    const std::string bracketBytes = readFile(exampleDrawing());
    writeFile(folder.file("cut-off.dxf"), bracketBytes.substr(0, 300));
    writeFile(folder.file("empty.dxf"), "");
    writeFile(folder.file("picture.png"), "\x89PNG\r\n\x1a\n");
    // A line shorter than the tiny-shape limits: the clean-up removes it.
    writeFile(folder.file("speck.dxf"),
              "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n"
              "0.2\n21\n0\n0\nENDSEC\n0\nEOF\n");
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"cut-off.dxf", "已损坏"},
        {"empty.dxf", "文件是空的"},
        {"picture.png", "不是本程序能读取的图形文件"},
        {"absent.dxf", "文件不存在"},
        {"speck.dxf", "去除极小图形"},
    };
    for (const auto& c : cases) {
        prompter.warnings.clear();
        openAndWait(*window, folder.file(c.file));
        EXPECT_EQ(window->document().drawing(), bracket) << c.file;
        EXPECT_EQ(paneText(*window), program) << c.file;
        EXPECT_EQ(window->windowTitle(), title) << c.file;
        ASSERT_EQ(prompter.warnings.size(), 1) << c.file;
        const QString shown = prompter.warnings.first();
        EXPECT_TRUE(shown.contains(QString::fromUtf8("“") + c.file + QString::fromUtf8("”")))
            << shown.toStdString();
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.reason))) << shown.toStdString();
    }
    EXPECT_TRUE(prompter.messages.isEmpty());  // warnings only
}

TEST_F(OpenDrawing, TheTitleFollowsTheOpenDrawingAndANewDocumentClearsIt) {
    auto window = makeWindow(prompter, settingsFile);
    const QString bare = window->windowTitle();
    EXPECT_EQ(bare, QStringLiteral("Pathloom V2.04 - 未连接"));
    openAndWait(*window, exampleDrawing());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("bracket.dxf - ") + bare);
    window->action(Command::New)->trigger();
    EXPECT_EQ(window->windowTitle(), bare);
    EXPECT_EQ(window->document().drawing(), nullptr);
}

// A PDF of several pages asks which page to open; a drawing of one page asks nothing, and
// cancelling the choice opens nothing.
TEST_F(OpenDrawing, APdfOfSeveralPagesOpensTheChosenPage) {
    std::string pdf = "%PDF-1.4\n1 0 obj\n<</Type/Catalog/Pages 2 0 R>>\nendobj\n";
    pdf += "2 0 obj\n<</Type/Pages/Kids[3 0 R 4 0 R]/Count 2/MediaBox[0 0 200 200]>>\nendobj\n";
    pdf += "3 0 obj\n<</Type/Page/Parent 2 0 R/Contents 5 0 R>>\nendobj\n";
    pdf += "4 0 obj\n<</Type/Page/Parent 2 0 R/Contents 6 0 R>>\nendobj\n";
    pdf += "5 0 obj\n<</Length 14>>\nstream\n0 0 m 72 0 l S\nendstream\nendobj\n";
    pdf += "6 0 obj\n<</Length 15>>\nstream\n0 0 m 0 144 l S\nendstream\nendobj\n";
    writeFile(folder.file("pages.pdf"), pdf + "trailer\n<</Root 1 0 R>>\n%%EOF\n");

    auto window = makeWindow(prompter, settingsFile);
    window->openFile(QString::fromStdString(exampleDrawing()));
    waitForOptimisation(*window);
    EXPECT_TRUE(prompter.pageCounts.isEmpty());
    prompter.pageAnswer = 2;
    window->openFile(QString::fromStdString(folder.file("pages.pdf")));
    waitForOptimisation(*window);
    EXPECT_EQ(prompter.pageCounts, QList<int>{2});
    VectGroup* drawing = window->document().drawing();
    ASSERT_NE(drawing, nullptr);
    ASSERT_NE(drawing->vects, nullptr);
    const Seg* line = drawing->vects->segs;
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(std::fabs(line->y1 - line->y0), 50.8, 1e-6);  // the second page's line
    EXPECT_NEAR(line->x1, line->x0, 1e-9);

    prompter.pageAnswer = 0;
    window->openFile(QString::fromStdString(folder.file("pages.pdf")));
    waitForOptimisation(*window);
    EXPECT_EQ(prompter.pageCounts.size(), 2);
    EXPECT_EQ(window->document().drawing(), drawing);
}

}  // namespace
}  // namespace pathloom::app::testing
