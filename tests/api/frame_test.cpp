// The library frame: version text, source unit, and the entry points that were never provided.
#include <gtest/gtest.h>

#include <lintrel/lintrel.h>

TEST(Frame, VersionTextIsTheSameBufferEveryCall) {
    char* first = Lintrel_GetVerSionInfo();
    EXPECT_STREQ(first, "3.1.0-20241030");
    first[0] = 'X';  // a caller scribbling on it does not change the next answer
    char* second = Lintrel_GetVerSionInfo();
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second, "3.1.0-20241030");
}

TEST(Frame, StartsInMillimetresWithoutError) {
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), 8000);
    EXPECT_EQ(VarnixCad3_GetLastError(), 0);
}

TEST(Frame, NeverProvidedOperationsAnswerNotAvailable) {
    int dummy = 5000;
    EXPECT_EQ(VarnixCad3_OptimizePath(nullptr), 21001);
    EXPECT_EQ(VarnixCad3_OptimizePath(&dummy), 21001);
    EXPECT_EQ(VarnixCad3_SmoothPath(&dummy), 21001);
    EXPECT_EQ(dummy, 5000);
}
