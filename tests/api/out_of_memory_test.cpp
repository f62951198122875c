// Exports that run out of memory: under an address-space limit (in a child process, so the rest
// of the suite keeps its memory) an import returns null, a copy returns the internal-error code,
// the last error says so, and the process goes on to work normally once memory is back.
#include <gtest/gtest.h>
#include <lintrel/lintrel.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "support/dxf_builder.h"

namespace lintrel::test {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// A DXF of `count` short lines: a few MB of text that needs several times that in records.
std::string manyLines(int count) {
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < count; ++i) {
        const std::string x = std::to_string(i % 2000), y = std::to_string(i / 2000);
        text += "0\nLINE\n8\n0\n10\n" + x + "\n20\n" + y + "\n11\n" + x + ".5\n21\n" + y + ".5\n";
    }
    return text + "0\nENDSEC\n0\nEOF\n";
}

// Bytes of address space this process holds now.
rlim_t addressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// Lowers the soft address-space limit to what is in use plus `headroom`; returns the old limit.
rlimit limitAddressSpace(rlim_t headroom) {
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    rlimit tight = old;
    tight.rlim_cur = addressSpaceInUse() + headroom;
    setrlimit(RLIMIT_AS, &tight);
    return old;
}

// Runs in the child: each failed expectation is one bit of the exit code, so a parent failure
// names the step.
int importUnderLimit(const char* bigFile, const char* smallFile) {
    int failures = 0;
    const rlimit old = limitAddressSpace(rlim_t{24} << 20);
    VectGroup* big = VarnixCad3_ImportVectGraph(bigFile, 1016.0, 1, 0.05, 0);
    if (big != nullptr) failures |= 1;
    if (VarnixCad3_GetLastError() != LINTREL_INTERNAL_ERROR) failures |= 2;
    VarnixCadArray_ImportVectGraph(bigFile, 1016.0, 1, 0.05);
    int segCount = -1;
    if (VarnixCadArray_GetVectNum(&segCount) != LINTREL_OK || segCount > 0) failures |= 4;
    setrlimit(RLIMIT_AS, &old);

    VectGroup* small = VarnixCad3_ImportVectGraph(smallFile, 1016.0, 1, 0.05, 0);
    if (small == nullptr || small->vects == nullptr) failures |= 8;
    if (small) VarnixCad3_DeleteChain(small);
    return failures;
}

int copyUnderLimit(const char* bigFile) {
    int failures = 0;
    VectGroup* drawing = VarnixCad3_ImportVectGraph(bigFile, 1016.0, 1, 0.05, 0);
    if (!drawing) return 16;
    const rlimit old = limitAddressSpace(rlim_t{8} << 20);
    void* copy = nullptr;
    if (VarnixCad3_CopyChain(drawing, &copy) != LINTREL_INTERNAL_ERROR) failures |= 1;
    if (copy != nullptr) failures |= 2;
    setrlimit(RLIMIT_AS, &old);
    if (VarnixCad3_CopyChain(drawing, &copy) != LINTREL_OK || copy == nullptr) failures |= 4;
    if (copy) VarnixCad3_DeleteChain(copy);
    VarnixCad3_DeleteChain(drawing);
    return failures;
}

class OutOfMemory : public ::testing::Test {
  protected:
    void SetUp() override {
        if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer reserves more address space";
    }
};

TEST_F(OutOfMemory, ImportReturnsNullAndTheProcessGoesOn) {
    TempFile big("big.dxf", manyLines(200000));
    TempFile small("small.dxf", manyLines(3));
    EXPECT_EXIT(std::exit(importUnderLimit(big.path(), small.path())), ::testing::ExitedWithCode(0),
                "");
}

TEST_F(OutOfMemory, CopyReturnsTheInternalErrorCode) {
    TempFile big("big.dxf", manyLines(100000));
    EXPECT_EXIT(std::exit(copyUnderLimit(big.path())), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace lintrel::test
