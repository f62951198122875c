// The eight controller functions driven through libvarnix against a running simulator.
#include <gtest/gtest.h>
#include <lintrel/lintrel.h>
#include <varnix/varnix.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "varnix/simulator.h"

namespace {

using varnix::testing::ScopedEnvironment;
using varnix::testing::Session;
using varnix::testing::Simulator;

std::string command(VXC_HANDLE handle, const std::string& text, int* code = nullptr) {
    char reply[1024] = "stale";
    const int result = VXC_DirectCommand(handle, text.c_str(), reply, sizeof reply);
    if (code != nullptr) *code = result;
    return reply;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(VarnixClient, ConnectsReadsAxesAndMovesPositions) {
    Session session({"--axes", "6"});
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(VXC_GetAxises(handle), 6);
    unsigned char state = 99;
    EXPECT_EQ(VXC_GetState(handle, &state), VXC_OK);
    EXPECT_EQ(state, 0);

    int code = -1;
    EXPECT_EQ(command(handle, "MPOS(2) = -12.5", &code), "");
    EXPECT_EQ(code, VXC_OK);
    EXPECT_EQ(command(handle, "?MPOS(2)"), "-12.5000");
    EXPECT_EQ(std::atof(command(handle, "?MPOS(2)").c_str()), -12.5);
    EXPECT_EQ(command(handle, "?MPOS(0)"), "0.0000");
    // Parameters keep their values; axis numbers outside the controller and unknown names are
    // refused with the controller's code and an empty reply.
    command(handle, "SPEED(1) = 200");
    EXPECT_EQ(command(handle, "?SPEED(1)"), "200.0000");
    EXPECT_EQ(command(handle, "?MPOS(6)", &code), "");
    EXPECT_EQ(code, 2002);
    EXPECT_EQ(command(handle, "?NOSUCH(1)", &code), "");
    EXPECT_EQ(code, 2001);
    // Commands written by the G-code writer that the controller only takes note of.
    command(handle, "?ACCEL(500.0000)", &code);
    EXPECT_NE(code, VXC_OK);
    EXPECT_EQ(command(handle, "?MPOS(2)"), "-12.5000");
    EXPECT_NE(session.simulator.log().find("CMD MPOS(2) = -12.5"), std::string::npos);

    EXPECT_EQ(VXC_Close(handle), VXC_OK);
    session.handle = nullptr;
    // A closed handle is refused, not followed, and never comes to name a newer connection.
    VXC_HANDLE newer = nullptr;
    ASSERT_EQ(VXC_OpenEth(session.simulator.address().c_str(), &newer), VXC_OK);
    EXPECT_NE(newer, handle);
    EXPECT_EQ(VXC_Close(handle), VXC_ERR_HANDLE);
    EXPECT_EQ(VXC_GetState(handle, &state), VXC_ERR_HANDLE);
    EXPECT_EQ(VXC_Close(newer), VXC_OK);
}

TEST(VarnixClient, EveryCallFailsWithoutAConnection) {
    unsigned char state = 0;
    char reply[16] = "junk";
    EXPECT_NE(VXC_GetState(nullptr, &state), VXC_OK);
    EXPECT_LT(VXC_GetAxises(nullptr), 0);
    EXPECT_NE(VXC_DirectCommand(nullptr, "?MPOS(0)", reply, sizeof reply), VXC_OK);
    EXPECT_STREQ(reply, "");
    EXPECT_NE(VXC_DownMem3File(nullptr, "G90\r\n", 5, "KORVEL.kvp"), VXC_OK);
    EXPECT_NE(VXC_Close(nullptr), VXC_OK);
    VXC_HANDLE handle = reinterpret_cast<VXC_HANDLE>(0x1234);
    EXPECT_EQ(VXC_OpenEth("not an address", &handle), VXC_ERR_ADDRESS);
    EXPECT_EQ(VXC_OpenEth("127.0.0.1:99999", &handle), VXC_ERR_ADDRESS);
    EXPECT_EQ(handle, reinterpret_cast<VXC_HANDLE>(0x1234));
}

TEST(VarnixClient, DownloadedProgramIsStoredByteForByte) {
    Session session;
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    // A few hundred kilobytes of program lines, plus every byte value: the download is
    // length-prefixed, so nothing in the text can end it early.
    std::string program;
    for (int i = 0; program.size() < 300 * 1024; ++i) {
        program +=
            "MOVEABS(" + std::to_string(i) + ".0000, " + std::to_string(i % 97) + ".5000)\r\n";
    }
    for (int byte = 0; byte < 256; ++byte)
        program += static_cast<char>(byte);
    ASSERT_EQ(VXC_DownMem3File(handle, program.data(), static_cast<unsigned>(program.size()),
                               "KORVEL.kvp"),
              VXC_OK);
    EXPECT_EQ(readFile(session.simulator.store() / "KORVEL.kvp"), program);
    // A second download under the same name replaces the first; the connection stays usable.
    ASSERT_EQ(VXC_DownMem3File(handle, "G90\r\n", 5, "KORVEL.kvp"), VXC_OK);
    EXPECT_EQ(readFile(session.simulator.store() / "KORVEL.kvp"), "G90\r\n");
    EXPECT_EQ(VXC_GetAxises(handle), 4);
    // Names that would leave the program folder are refused by the controller.
    EXPECT_EQ(VXC_DownMem3File(handle, "x", 1, "../escape.kvp"), 2003);
    EXPECT_FALSE(std::filesystem::exists(session.simulator.store().parent_path() / "escape.kvp"));
    EXPECT_EQ(VXC_DownMem3File(handle, "x", 1, ""), VXC_ERR_ARGUMENT);
    // An empty program is a program too.
    EXPECT_EQ(VXC_DownMem3File(handle, "", 0, "empty.kvp"), VXC_OK);
    EXPECT_EQ(std::filesystem::file_size(session.simulator.store() / "empty.kvp"), 0u);
}

TEST(VarnixClient, SearchFindsOnlyAnsweringControllers) {
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    const std::string asked = "127.0.0.1:" + std::to_string(simulator.discoveryPort());
    const std::string silent = "127.0.0.1:" + std::to_string(varnix::testing::unusedLoopbackPort());
    {
        ScopedEnvironment addresses("VARNIX_SEARCH_ADDRESSES", silent + "," + asked);
        char buffer[10240] = "junk";
        ASSERT_EQ(VXC_SearchEth(buffer, sizeof buffer, 1000), VXC_OK);
        EXPECT_EQ(std::string(buffer), simulator.address());
        // The address found is one to connect to.
        VXC_HANDLE handle = nullptr;
        ASSERT_EQ(VXC_OpenEth(buffer, &handle), VXC_OK);
        VXC_Close(handle);
        // A buffer too small for the address gets no piece of one.
        char small[8] = "junk";
        VXC_SearchEth(small, sizeof small, 1000);
        EXPECT_STREQ(small, "");
    }
    {
        ScopedEnvironment addresses("VARNIX_SEARCH_ADDRESSES", silent);
        char buffer[64] = "junk";
        EXPECT_EQ(VXC_SearchEth(buffer, sizeof buffer, 200), VXC_ERR_NOT_FOUND);
        EXPECT_STREQ(buffer, "");
    }
}

TEST(VarnixClient, SearchReadsTheConfigurationFile) {
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    const auto path = simulator.store().parent_path() / "varnix.conf";
    std::ofstream(path) << "# test controllers\nsearch-addresses = 127.0.0.1:"
                        << simulator.discoveryPort() << "\npci-cards = 2\n";
    ScopedEnvironment config("VARNIX_CONFIG", path.string());
    unsetenv("VARNIX_SEARCH_ADDRESSES");
    unsetenv("VARNIX_PCI_CARDS");
    char buffer[256];
    ASSERT_EQ(VXC_SearchEth(buffer, sizeof buffer, 1000), VXC_OK);
    EXPECT_EQ(std::string(buffer), simulator.address());
    EXPECT_EQ(VXC_GetMaxPciCards(), 2);
    {
        ScopedEnvironment cards("VARNIX_PCI_CARDS", "1000");
        EXPECT_EQ(VXC_GetMaxPciCards(), 16);
    }
}

TEST(VarnixClient, PciCardsDefaultToNone) {
    ScopedEnvironment config("VARNIX_CONFIG", "/nonexistent/varnix.conf");
    unsetenv("VARNIX_PCI_CARDS");
    EXPECT_EQ(VXC_GetMaxPciCards(), 0);
}

TEST(LintrelOpenEth, WritesTheHandleOnlyOnSuccess) {
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    void* const sentinel = reinterpret_cast<void*>(0x5a5a);
    void* handle = sentinel;
    const std::string nobody = "127.0.0.1:" + std::to_string(varnix::testing::unusedLoopbackPort());
    EXPECT_EQ(Lintrel_OpenEth(nobody.c_str(), &handle), LINTREL_CONNECT_FAILED);
    EXPECT_EQ(VarnixCadArray_OpenEth(nobody.c_str(), &handle), LINTREL_CONNECT_FAILED);
    EXPECT_EQ(handle, sentinel);
    EXPECT_EQ(Lintrel_OpenEth(nullptr, &handle), LINTREL_CONNECT_FAILED);
    EXPECT_EQ(handle, sentinel);

    ASSERT_EQ(Lintrel_OpenEth(simulator.address().c_str(), &handle), LINTREL_OK);
    ASSERT_NE(handle, sentinel);
    EXPECT_EQ(VXC_GetAxises(handle), 4);
    void* second = nullptr;
    ASSERT_EQ(VarnixCadArray_OpenEth(simulator.address().c_str(), &second), LINTREL_OK);
    EXPECT_NE(second, handle);
    EXPECT_EQ(VXC_Close(second), VXC_OK);
    EXPECT_EQ(VXC_Close(handle), VXC_OK);
}

TEST(VarnixSimulator, EndsCleanlyOnRequestAndRefusesBadOptions) {
    // A clean exit also means no leak report when the simulator runs under the sanitizers.
    Session session;
    ASSERT_TRUE(session.ready());
    unsigned char state = 0;
    ASSERT_EQ(VXC_GetState(session.handle, &state), VXC_OK);
    EXPECT_EQ(session.simulator.stop(), 0);
    EXPECT_NE(session.simulator.log().find("stopping"), std::string::npos);
    EXPECT_NE(VXC_GetState(session.handle, &state), VXC_OK);
    for (const auto& options : std::vector<std::vector<std::string>>{
             {"--axes", "0"}, {"--refuse-downloads", "0"}, {"--port", "x"}, {"--bogus"}}) {
        Simulator refused(options);
        EXPECT_FALSE(refused.ready()) << options.front();
    }
}

}  // namespace
