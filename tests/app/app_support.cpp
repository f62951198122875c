// The tests' main (a QApplication on the offscreen platform unless one was chosen) and support.
#include "app/app_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "view/code_pane.h"

namespace pathloom::app::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pathloom-app-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string exampleDrawing() {
    return PATHLOOM_SOURCE_DIR "/examples/bracket.dxf";
}

std::unique_ptr<MainWindow> makeWindow(ScriptedPrompter& prompter, const std::string& settingsFile,
                                       double dotsPerInch) {
    WindowOptions options;
    options.prompter = &prompter;
    options.dotsPerInch = dotsPerInch;
    options.settings = {settingsFile, settingsFile};
    return std::make_unique<MainWindow>(options);
}

void waitForOptimisation(MainWindow& window) {
    QElapsedTimer waited;
    waited.start();
    while (window.optimising() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(window.optimising()) << "the optimisation did not finish within a minute";
    // What the end of the optimisation posted (the status bar giving back the cancel button's
    // room, for one) is done before the test looks.
    QCoreApplication::processEvents();
}

void openAndWait(MainWindow& window, const std::string& path) {
    window.openFile(QString::fromStdString(path));
    waitForOptimisation(window);
}

void importExample(MainWindow& window, ScriptedPrompter& prompter) {
    prompter.openAnswer = QString::fromStdString(exampleDrawing());
    window.action(Command::Import)->trigger();
    waitForOptimisation(window);
}

std::unique_ptr<MainWindow> autoConnectedWindow(ScriptedPrompter& prompter,
                                                const std::string& settingsFile,
                                                const std::string& address) {
    writeFile(settingsFile, "[Auto connect]\r\nAuto connect=1\r\nAuto IP=" + address + "\r\n");
    auto window = makeWindow(prompter, settingsFile);
    window->autoConnect();
    return window;
}

std::string paneText(const MainWindow& window) {
    return window.codePane()->text();
}

}  // namespace pathloom::app::testing

int main(int argc, char** argv) {
    // Headless unless the caller chose a platform: CTest runs without a display.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    pathloom::app::useLanguage(pathloom::Language::Chinese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
