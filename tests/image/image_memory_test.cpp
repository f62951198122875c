// An import that runs out of address space gives null instead of ending the process (POSIX:
// the child process's address space is limited with setrlimit).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <fstream>

#include "image/image_checks.h"
#include "image/image_files.h"

using namespace lintrel;
using namespace lintrel::test;

// Imports in a process that may not grow beyond `budget` bytes of address space; exits 0 when
// the import gave null.
[[noreturn]] void importWithin(rlim_t budget, const char* path) {
    const rlimit limit{budget, budget};
    setrlimit(RLIMIT_AS, &limit);
    Image* image = VarnixCad3_ImportImage(path, 0);
    std::_Exit(image == nullptr ? 0 : 1);
}

TEST(ImageImportDeathTest, RunningOutOfMemoryGivesNullNotAnAbort) {
#if defined(PATHLOOM_ASAN)
    GTEST_SKIP() << "an address-space limit cannot be combined with AddressSanitizer's shadow";
#else
    const int width = 2000, height = 2000;
    TempFile file("large.png", pngBytes(width, height, 3, Bytes(size_t{width} * height * 3, 0)));
    ChainOwner<Image> whole(VarnixCad3_ImportImage(file.path(), 0));
    ASSERT_TRUE(whole) << "the image itself must be readable";
    whole.reset();
    // The child may grow by 8 MB, less than the 12 MB the pixels need.
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t budget = static_cast<rlim_t>(pages) * 4096 + (8 << 20);
    EXPECT_EXIT(importWithin(budget, file.path()), ::testing::ExitedWithCode(0), "");
#endif
}
