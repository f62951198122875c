// Controller addresses are read without any name lookup.
#include <gtest/gtest.h>
#include <varnix/varnix.h>

#include "common/address.h"

namespace {

using varnix::formatAddress;
using varnix::parseAddress;

TEST(VarnixAddress, NumericHostsWithAndWithoutPorts) {
    EXPECT_EQ(formatAddress(*parseAddress("127.0.0.1", VXC_DEFAULT_PORT)), "127.0.0.1:7410");
    EXPECT_EQ(formatAddress(*parseAddress(" 127.0.0.1:80 ", 1)), "127.0.0.1:80");
    EXPECT_EQ(formatAddress(*parseAddress("localhost:5", 1)), "127.0.0.1:5");
    EXPECT_EQ(formatAddress(*parseAddress("::1", 9)), "[::1]:9");
    EXPECT_EQ(formatAddress(*parseAddress("[::1]:99", 9)), "[::1]:99");
    EXPECT_EQ(formatAddress(*parseAddress("[::1]", 9)), "[::1]:9");
}

TEST(VarnixAddress, NamesAndBrokenTextAreRefused) {
    // A host name would need a name server: it is refused rather than looked up.
    for (const char* bad : {"", "controller.example.com", "127.0.0.1:", "127.0.0.1:70000",
                            "127.0.0.1:8x", "[::1", "[::1]x", "1.2.3", "PCI1"}) {
        EXPECT_FALSE(parseAddress(bad, VXC_DEFAULT_PORT).has_value()) << bad;
    }
}

}  // namespace
