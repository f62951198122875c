// The direct-command link: replies are read only from successful calls, always terminated and
// bounded; position replies that are not finite numbers count as 0.
#include <gtest/gtest.h>

#include <cstring>

#include "core/controller/direct_command_link.h"

using namespace pathloom;

TEST(DirectCommandLink, RepliesOnlyFromSuccessfulCalls) {
    bool online = true;
    int result = 0;
    std::string reply = "12.5";
    std::vector<std::string> sent;
    DirectCommandLink link([&] { return online; },
                           [&](const char* command, char* buffer, int size) {
                               sent.emplace_back(command);
                               EXPECT_EQ(size, 1024);
                               std::memcpy(buffer, reply.data(),
                                           std::min<size_t>(reply.size(), 1024));
                               return result;
                           });
    EXPECT_EQ(measuredPosition(&link, 2), 12.5);
    EXPECT_EQ(sent.back(), "?MPOS(2)");

    result = 5;  // the call failed: whatever it left in the buffer is not a reply
    EXPECT_EQ(link.query("?MPOS(2)"), std::nullopt);
    EXPECT_EQ(measuredPosition(&link, 2), 0.0);

    result = 0;
    reply = std::string(2000, '7');  // fills the whole buffer without a terminator
    const std::optional<std::string> full = link.query("?MPOS(0)");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->size(), 1023u);

    online = false;
    sent.clear();
    link.assign("MPOS(4) = 1.0000");
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(measuredPosition(nullptr, 0), 0.0);
}

TEST(DirectCommandLink, ReplyNumbers) {
    EXPECT_EQ(replyNumber("  -3.25\r\n"), -3.25);
    EXPECT_EQ(replyNumber("abc"), 0.0);
    EXPECT_EQ(replyNumber("inf"), 0.0);
    EXPECT_EQ(replyNumber("1e999"), 0.0);
    EXPECT_EQ(replyNumber(""), 0.0);
}
