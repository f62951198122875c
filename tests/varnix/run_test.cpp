// A program downloaded to the simulator and run: the axes move through it in simulated time.
#include <gtest/gtest.h>
#include <varnix/varnix.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "varnix/simulator.h"

namespace {

using varnix::testing::Session;
using varnix::testing::Simulator;

double position(VXC_HANDLE handle, int axis) {
    char reply[64] = "";
    VXC_DirectCommand(handle, ("?MPOS(" + std::to_string(axis) + ")").c_str(), reply, sizeof reply);
    return std::atof(reply);
}

// Stores the program and starts it; the controller's result.
int downloadAndRun(VXC_HANDLE handle, const std::string& name, const std::string& program) {
    const int stored = VXC_DownMem3File(handle, program.data(), program.size(), name.c_str());
    if (stored != VXC_OK) return stored;
    char reply[64];
    return VXC_DirectCommand(handle, ("RUN \"" + name + "\"").c_str(), reply, sizeof reply);
}

int waitUntilIdle(VXC_HANDLE handle) {
    unsigned char state = 1;
    for (int attempt = 0; attempt < 200 && state == 1; ++attempt) {
        if (VXC_GetState(handle, &state) != VXC_OK) return -1;
        if (state == 1) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return state;
}

TEST(VarnixRun, StoredProgramMovesTheAxes) {
    // 20 units at speed 10 take 2 simulated seconds: a tenth of a second at this scale.
    Session session({"--time-scale", "20"});
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    const std::string program =
        "G90\r\nM3\r\nG01 X10.0000 Y0.0000 F10.0000\r\nG01 X10.0000 Y10.0000 F10.0000\r\n";
    ASSERT_EQ(downloadAndRun(handle, "square.nc", program), VXC_OK);
    EXPECT_EQ(waitUntilIdle(handle), 0);
    EXPECT_EQ(position(handle, 0), 10.0);
    EXPECT_EQ(position(handle, 1), 10.0);
    // Errors in a program are refused before anything moves.
    EXPECT_EQ(downloadAndRun(handle, "broken.nc", "G90\r\nG01 X1 Y\r\n"), 2005);
    char reply[64];
    EXPECT_EQ(VXC_DirectCommand(handle, "RUN missing.nc", reply, sizeof reply), 2004);
    EXPECT_EQ(position(handle, 0), 10.0);
}

TEST(VarnixRun, PositionsAreReportedWhileRunningAndStopHolds) {
    // 1000 units at speed 10 take 100 seconds of real time: the program is still running.
    Session session;
    ASSERT_TRUE(session.ready());
    VXC_HANDLE handle = session.handle;
    const std::string program =
        "BASE(0, 1)\r\nMOVE_PARA(SPEED, 0, 10.0000)\r\nMOVEABS(1000.0000, 0.0000)\r\n";
    ASSERT_EQ(downloadAndRun(handle, "long.bas", program), VXC_OK);
    char reply[64];
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    unsigned char state = 0;
    ASSERT_EQ(VXC_GetState(handle, &state), VXC_OK);
    EXPECT_EQ(state, 1);
    const double moving = position(handle, 0);
    EXPECT_GT(moving, 0.0);
    EXPECT_LT(moving, 1000.0);
    EXPECT_EQ(VXC_DirectCommand(handle, "MPOS(0) = 5", reply, sizeof reply), 2006);
    ASSERT_EQ(VXC_DirectCommand(handle, "STOP", reply, sizeof reply), VXC_OK);
    ASSERT_EQ(VXC_GetState(handle, &state), VXC_OK);
    EXPECT_EQ(state, 0);
    const double stopped = position(handle, 0);
    EXPECT_GE(stopped, moving);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(position(handle, 0), stopped);
}

}  // namespace
