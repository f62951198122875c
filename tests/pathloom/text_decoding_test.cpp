// Decoding of settings files written in other encodings: a byte no conversion accepts becomes
// U+FFFD and the text after it still decodes, in the GBK code page and in UTF-16 alike.
#include <gtest/gtest.h>

#include <string>

#include "core/settings/profile_file.h"

using namespace pathloom;

namespace {

TEST(TextDecoding, ABadByteCostsOneCharacterOnly) {
    // "启动" in GBK with a byte between the two that is no GBK character.
    EXPECT_EQ(decodeProfileText("\xc6\xf4\x80\xb6\xaf=1"), "启\xEF\xBF\xBD动=1");
    // The same with the bad byte at the end: nothing before it is lost.
    EXPECT_EQ(decodeProfileText("\xc6\xf4\xb6\xaf\xff"), "启动\xEF\xBF\xBD");
    // UTF-16 by its byte-order mark; an odd last byte is a truncated character.
    EXPECT_EQ(decodeProfileText(std::string("\xFF\xFE"
                                            "A\0=\0"
                                            "1\0\x42",
                                            9)),
              "A=1\xEF\xBF\xBD");
    EXPECT_EQ(decodeProfileText(std::string("\xFE\xFF\0A", 4)), "A");
    // UTF-8 stays as it is, its byte-order mark dropped.
    EXPECT_EQ(decodeProfileText("\xEF\xBB\xBF工艺=1"), "工艺=1");
}

}  // namespace
