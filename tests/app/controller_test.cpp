// The controller link against a real simulator on a loopback port: auto-connect, a failed
// connect, a lost connection at the poll, refused and successful downloads, and the search of
// the connect dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <cstdlib>

#include <lintrel/lintrel.h>

#include "app/app_support.h"
#include "app/commands.h"
#include "core/text/texts.h"
#include "dialogs/connect_dialog.h"
#include "varnix/simulator.h"
#include "view/code_pane.h"

namespace pathloom::app::testing {
namespace {

using varnix::testing::ScopedEnvironment;
using varnix::testing::Simulator;

class Controller : public ::testing::Test {
  protected:
    std::unique_ptr<MainWindow> autoConnectTo(const std::string& address) {
        return autoConnectedWindow(prompter, settingsFile, address);
    }
    void importExample(MainWindow& window) { testing::importExample(window, prompter); }

    TempFolder folder;
    std::string settingsFile = folder.file("Setting.ini");
    ScriptedPrompter prompter;
};

TEST_F(Controller, AutoConnectShowsTheAddressAndTheAxisCount) {
    Simulator simulator({"--axes", "6"});
    ASSERT_TRUE(simulator.ready());
    auto window = autoConnectTo(simulator.address());
    EXPECT_TRUE(prompter.warnings.isEmpty());
    EXPECT_EQ(window->windowTitle().toStdString(), "Pathloom V2.04 - " + simulator.address());
    EXPECT_EQ(window->session().axisCount(), 6);
    EXPECT_TRUE(window->pollTimer().isActive());
    EXPECT_EQ(window->pollTimer().interval(), 1000);
    EXPECT_FALSE(window->action(Command::Connect)->isEnabled());
    EXPECT_TRUE(window->action(Command::Disconnect)->isEnabled());

    window->action(Command::Disconnect)->trigger();
    EXPECT_EQ(window->windowTitle(), "Pathloom V2.04 - 未连接");
    EXPECT_EQ(window->session().axisCount(), 64);
    EXPECT_FALSE(window->pollTimer().isActive());

    // The connect command, with the address its dialog gives.
    prompter.connectAnswer = QString::fromStdString(simulator.address());
    window->action(Command::Connect)->trigger();
    EXPECT_TRUE(window->session().connected());
}

TEST_F(Controller, AnUnusedPortShowsTheLibrarysCode) {
    const std::string address =
        "127.0.0.1:" + std::to_string(varnix::testing::unusedLoopbackPort());
    void* handle = nullptr;
    const int code = Lintrel_OpenEth(address.c_str(), &handle);
    ASSERT_NE(code, 0);
    auto window = autoConnectTo(address);
    EXPECT_EQ(prompter.warnings, QStringList{QStringLiteral("连接控制器失败，%1（%2）")
                                                 .arg(code)
                                                 .arg(QString::fromUtf8(codeReason(code).data()))});
    EXPECT_EQ(window->windowTitle(), "Pathloom V2.04 - 未连接");
    EXPECT_FALSE(window->pollTimer().isActive());
}

TEST_F(Controller, ALostControllerIsReportedAtTheNextPoll) {
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    auto window = autoConnectTo(simulator.address());
    ASSERT_TRUE(window->session().connected());
    window->pollController();
    EXPECT_TRUE(prompter.warnings.isEmpty());
    simulator.kill();
    window->pollController();
    ASSERT_EQ(prompter.warnings.size(), 1);
    EXPECT_TRUE(prompter.warnings[0].startsWith("连接出错，"))
        << prompter.warnings[0].toStdString();
    EXPECT_NE(prompter.warnings[0], "连接出错，0");
    EXPECT_EQ(window->windowTitle(), "Pathloom V2.04 - 未连接");
    EXPECT_EQ(window->session().axisCount(), 64);
    EXPECT_FALSE(window->pollTimer().isActive());
    EXPECT_TRUE(window->action(Command::Connect)->isEnabled());
}

TEST_F(Controller, RefusedAndSuccessfulDownloads) {
    {
        auto window = makeWindow(prompter, settingsFile);
        window->action(Command::Download)->trigger();  // no connection: the library's code
        ASSERT_EQ(prompter.warnings.size(), 1);
        EXPECT_TRUE(prompter.warnings[0].startsWith("下载失败，"));
        prompter.warnings.clear();
    }
    {
        Simulator refusing({"--refuse-downloads", "77"});
        ASSERT_TRUE(refusing.ready());
        auto window = autoConnectTo(refusing.address());
        importExample(*window);
        window->action(Command::Download)->trigger();
        EXPECT_EQ(prompter.warnings, QStringList{"下载失败，77"});
        prompter.warnings.clear();
    }
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    auto window = autoConnectTo(simulator.address());
    importExample(*window);
    window->action(Command::Download)->trigger();
    EXPECT_EQ(prompter.messages, QStringList{"下载成功！"});
    EXPECT_TRUE(prompter.warnings.isEmpty());
    const std::string stored = readFile((simulator.store() / "KORVEL.kvp").string());
    EXPECT_FALSE(stored.empty());
    EXPECT_EQ(stored, paneText(*window));

    // The converter writes the same program for the same drawing and settings.
    const std::string converted = folder.file("converted.bas");
    const std::string command = std::string(PATHLOOM_CLI_PATH) + " convert -q '" +
                                exampleDrawing() + "' --settings '" + settingsFile + "' -o '" +
                                converted + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(readFile(converted), stored);
}

TEST_F(Controller, SearchListsLoopbackThenWhatAnswered) {
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    ScopedEnvironment addresses("VARNIX_SEARCH_ADDRESSES",
                                "127.0.0.1:" + std::to_string(simulator.discoveryPort()));
    ScopedEnvironment cards("VARNIX_PCI_CARDS", "2");
    ControllerSession session(varnixCalls());
    dialogs::ConnectDialog dialog(session);
    auto* list = dialog.findChild<QComboBox*>(QStringLiteral("addresses"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(dialog.address(), "127.0.0.1");
    dialog.findChild<QPushButton*>(QStringLiteral("search"))->click();
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    EXPECT_EQ(entries, (QStringList{"127.0.0.1", "PCI1", "PCI2",
                                    QString::fromStdString(simulator.address())}));
    list->setEditText(QStringLiteral("10.1.2.3"));
    EXPECT_EQ(dialog.address(), "10.1.2.3");
}

}  // namespace
}  // namespace pathloom::app::testing
