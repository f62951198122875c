// The controller link under faults: nobody listening, a listener that never answers, a killed
// simulator, dropped connections, refused downloads, slow and malformed replies.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <varnix/varnix.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "varnix/simulator.h"

namespace {

using varnix::testing::ScopedEnvironment;
using varnix::testing::Session;
using varnix::testing::Simulator;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

VXC_HANDLE openOrNull(const Simulator& simulator) {
    VXC_HANDLE handle = nullptr;
    return VXC_OpenEth(simulator.address().c_str(), &handle) == VXC_OK ? handle : nullptr;
}

TEST(VarnixFaults, NobodyListeningFailsAtOnce) {
    const std::string address =
        "127.0.0.1:" + std::to_string(varnix::testing::unusedLoopbackPort());
    VXC_HANDLE handle = reinterpret_cast<VXC_HANDLE>(0x77);
    const auto start = Clock::now();
    EXPECT_EQ(VXC_OpenEth(address.c_str(), &handle), VXC_ERR_CONNECT);
    // A refused connection must not wait for the time-out.
    EXPECT_LT(secondsSince(start), 1.0);
    EXPECT_EQ(handle, reinterpret_cast<VXC_HANDLE>(0x77));
}

TEST(VarnixFaults, SilentListenerTimesOut) {
    // The kernel completes the handshake for a listener that never accepts or answers: only the
    // reply time-out can end the wait.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const std::string text = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    ScopedEnvironment timeout("VARNIX_TIMEOUT_MS", "300");
    VXC_HANDLE handle = nullptr;
    const auto start = Clock::now();
    EXPECT_EQ(VXC_OpenEth(text.c_str(), &handle), VXC_ERR_TIMEOUT);
    EXPECT_LT(secondsSince(start), 5.0);
    EXPECT_EQ(handle, nullptr);
    close(listener);
}

TEST(VarnixFaults, KilledSimulatorIsReportedByTheNextStateQuery) {
    Session session;
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    unsigned char state = 0;
    ASSERT_EQ(VXC_GetState(handle, &state), VXC_OK);
    session.simulator.kill();
    const auto start = Clock::now();
    EXPECT_EQ(VXC_GetState(handle, &state), VXC_ERR_LOST);
    EXPECT_LT(secondsSince(start), 1.0);
    // It stays lost, every call says so, and the handle can still be closed.
    char reply[32] = "junk";
    EXPECT_EQ(VXC_DirectCommand(handle, "?MPOS(0)", reply, sizeof reply), VXC_ERR_LOST);
    EXPECT_STREQ(reply, "");
    EXPECT_NE(VXC_GetState(handle, &state), VXC_OK);
    EXPECT_EQ(VXC_Close(handle), VXC_OK);
    session.handle = nullptr;
}

TEST(VarnixFaults, ConnectionDroppedAfterRequestCount) {
    // The greeting of VXC_OpenEth is the first request.
    Session session({"--close-after-requests", "3"});
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    unsigned char state = 0;
    EXPECT_EQ(VXC_GetAxises(handle), 4);
    EXPECT_EQ(VXC_GetState(handle, &state), VXC_OK);
    EXPECT_EQ(VXC_GetState(handle, &state), VXC_ERR_LOST);
    // Other connections are served as before.
    VXC_HANDLE other = openOrNull(session.simulator);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(VXC_GetAxises(other), 4);
    VXC_Close(other);
}

TEST(VarnixFaults, ConnectionDroppedAfterTime) {
    Session session({"--close-after-seconds", "0.3"});
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    unsigned char state = 0;
    int result = VXC_OK;
    const auto start = Clock::now();
    while (result == VXC_OK && secondsSince(start) < 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        result = VXC_GetState(handle, &state);
    }
    EXPECT_EQ(result, VXC_ERR_LOST);
    EXPECT_NE(session.simulator.log().find("time limit"), std::string::npos);
}

TEST(VarnixFaults, RefusedDownloadReturnsTheControllersCode) {
    Session session({"--refuse-downloads", "4242"});
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    EXPECT_EQ(VXC_DownMem3File(handle, "G90\r\n", 5, "KORVEL.kvp"), 4242);
    EXPECT_FALSE(std::filesystem::exists(session.simulator.store() / "KORVEL.kvp"));
    unsigned char state = 0;
    EXPECT_EQ(VXC_GetState(handle, &state), VXC_OK);
}

TEST(VarnixFaults, LateReplyIsNotTakenForTheNextOne) {
    Session session({"--delay-ms", "500"});
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    char reply[64] = "junk";
    ASSERT_EQ(VXC_DirectCommand(handle, "MPOS(1) = 7", reply, sizeof reply), VXC_OK);
    {
        ScopedEnvironment timeout("VARNIX_TIMEOUT_MS", "100");
        EXPECT_EQ(VXC_DirectCommand(handle, "?MPOS(0)", reply, sizeof reply), VXC_ERR_TIMEOUT);
        EXPECT_STREQ(reply, "");
        EXPECT_EQ(std::atof(reply), 0.0);
    }
    // The late answer to ?MPOS(0) arrives first and must be skipped.
    ASSERT_EQ(VXC_DirectCommand(handle, "?MPOS(1)", reply, sizeof reply), VXC_OK);
    EXPECT_STREQ(reply, "7.0000");
}

TEST(VarnixFaults, MalformedReplyReadsAsZero) {
    Session session({"--malformed-replies"});
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    char reply[64] = "12.5";
    EXPECT_EQ(VXC_DirectCommand(handle, "?MPOS(0)", reply, sizeof reply), VXC_ERR_REPLY);
    EXPECT_STREQ(reply, "");
    EXPECT_EQ(std::atof(reply), 0.0);
}

TEST(VarnixFaults, LongReplyIsCutToTheBuffer) {
    Session session;
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    char reply[16];
    ASSERT_EQ(VXC_DirectCommand(handle, "MPOS(0) = 123.4567", reply, sizeof reply), VXC_OK);
    char small[8];
    std::memset(small, 'X', sizeof small);
    EXPECT_EQ(VXC_DirectCommand(handle, "?MPOS(0)", small, 4), VXC_OK);
    EXPECT_STREQ(small, "123");
    EXPECT_EQ(small[4], 'X');
    EXPECT_EQ(VXC_DirectCommand(handle, "?MPOS(0)", small, 1), VXC_OK);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(VXC_DirectCommand(handle, "?MPOS(0)", small, 0), VXC_ERR_ARGUMENT);
    // A line break would smuggle a second request into the stream.
    EXPECT_EQ(VXC_DirectCommand(handle, "?MPOS(0)\n1 DOWN 1 x", reply, sizeof reply),
              VXC_ERR_ARGUMENT);
}

TEST(VarnixFaults, SimulatorSurvivesGarbageFromAPeer) {
    Simulator simulator;
    ASSERT_TRUE(simulator.ready());
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(simulator.port()));
    ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string garbage(20000, '\x01');  // one endless request line
    send(fd, garbage.data(), garbage.size(), MSG_NOSIGNAL);
    const std::string untagged = "HELLO\n9 DOWN 99999999999999 big\n";
    send(fd, untagged.data(), untagged.size(), MSG_NOSIGNAL);
    close(fd);
    VXC_HANDLE handle = openOrNull(simulator);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(VXC_GetAxises(handle), 4);
    VXC_Close(handle);
}

}  // namespace
