// The controller session against scripted library calls: the axis-count rule, the label, the
// poll that loses the connection, download without a connection, and the search list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/controller/controller_session.h"
#include "core/text/texts.h"

namespace pathloom {
namespace {

struct Script {
    int openResult = 0;
    int axes = 6;
    int stateResult = 0;
    int closes = 0;
    std::string downloaded;
    std::string searchReply;
    int searchResult = 0;
    int pciCards = 0;
};

VxcCalls scripted(Script& s) {
    static int token = 0;
    VxcCalls calls;
    calls.openEth = [&s](const char*, void** handle) {
        if (s.openResult == 0) *handle = &token;
        return s.openResult;
    };
    calls.close = [&s](void*) { return ++s.closes, 0; };
    calls.getState = [&s](void*, unsigned char*) { return s.stateResult; };
    calls.getAxises = [&s](void*) { return s.axes; };
    calls.directCommand = [](void*, const char*, char* reply, unsigned) {
        std::strcpy(reply, "12.5");
        return 0;
    };
    calls.downMem3File = [&s](void* handle, const char* text, unsigned length, const char*) {
        if (!handle) return 1001;
        s.downloaded.assign(text, length);
        return 0;
    };
    calls.searchEth = [&s](char* buffer, unsigned size, unsigned) {
        std::strncpy(buffer, s.searchReply.c_str(), size);
        return s.searchResult;
    };
    calls.getMaxPciCards = [&s] { return s.pciCards; };
    return calls;
}

TEST(ControllerSession, AxisCountKeepsSixtyFourForAFailedOrEmptyAnswer) {
    EXPECT_EQ(ControllerSession::axisCountFrom(6), 6);
    EXPECT_EQ(ControllerSession::axisCountFrom(0x104), 4);
    EXPECT_EQ(ControllerSession::axisCountFrom(-1004), 64);  // low byte would be 20
    EXPECT_EQ(ControllerSession::axisCountFrom(0), 64);
    EXPECT_EQ(ControllerSession::axisCountFrom(256), 64);
}

TEST(ControllerSession, ConnectPollAndLoseTheConnection) {
    setLanguage(Language::Chinese);
    Script script;
    ControllerSession session(scripted(script));
    EXPECT_EQ(session.label(), "未连接");
    EXPECT_EQ(session.download("X", "A.kvp"), 1001);  // the library's code, no connection check

    script.openResult = 1004;
    EXPECT_EQ(session.connect("10.0.0.9"), 1004);
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(session.axisCount(), 64);

    script.openResult = 0;
    script.axes = -5;
    ASSERT_EQ(session.connect("127.0.0.1:7410"), 0);
    EXPECT_EQ(session.label(), "127.0.0.1:7410");
    EXPECT_EQ(session.axisCount(), 64);
    EXPECT_DOUBLE_EQ(measuredPosition(session.link(), 0), 12.5);
    EXPECT_EQ(session.download("MOVE(1, 2)\r\n", "A.kvp"), 0);
    EXPECT_EQ(script.downloaded, "MOVE(1, 2)\r\n");

    EXPECT_EQ(session.poll(), 0);
    EXPECT_TRUE(session.connected());
    script.stateResult = 1006;
    EXPECT_EQ(session.poll(), 1006);
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(script.closes, 1);
    EXPECT_EQ(session.label(), "未连接");
    EXPECT_EQ(session.poll(), 0);  // nothing left to poll
    EXPECT_DOUBLE_EQ(measuredPosition(session.link(), 0), 0.0);
}

TEST(ControllerSession, SearchListsLoopbackThenCardsThenAtMostTwentyAddresses) {
    Script script;
    script.searchReply = "  192.168.0.11\t192.168.0.12 ";
    script.pciCards = 2;
    ControllerSession session(scripted(script));
    EXPECT_EQ(session.search(), (std::vector<std::string>{"127.0.0.1", "PCI1", "PCI2",
                                                          "192.168.0.11", "192.168.0.12"}));
    std::string many;
    for (int i = 0; i < 25; ++i)
        many += "10.0.0." + std::to_string(i) + " ";
    script.searchReply = many;
    script.pciCards = 0;
    const std::vector<std::string> listed = session.search();
    ASSERT_EQ(listed.size(), 21u);
    EXPECT_EQ(listed.back(), "10.0.0.19");
    script.searchResult = 1009;
    EXPECT_EQ(session.search(), std::vector<std::string>{"127.0.0.1"});
}

}  // namespace
}  // namespace pathloom
