// What the image import tests share: importing bytes through a temporary file, the stored rows
// of an image, the import's diagnostics, and the largest allocation made by an import.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "image/raster.h"
#include "model/items.h"
#include "support/dxf_builder.h"

#if defined(__SANITIZE_ADDRESS__)
#define PATHLOOM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PATHLOOM_ASAN 1
#endif
#endif
#if defined(PATHLOOM_ASAN)
// From the sanitizer runtime (its header does not ship with every compiler).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            size_t),
                                                         void (*freeHook)(const volatile void*));
#endif

namespace lintrel::test {

using Bytes = std::vector<uint8_t>;

inline ChainOwner<Image> importBytes(const std::string& name, const std::string& bytes,
                                     int flags = 0) {
    TempFile file(name, bytes);
    return ChainOwner<Image>(VarnixCad3_ImportImage(file.path(), flags));
}

// The stored bytes of row `y` counted from the bottom, without the padding.
inline Bytes storedRow(const Image& image, int y) {
    const uint8_t* row = image.pixels + static_cast<size_t>(y) * image.stride;
    return Bytes(row, row + image.pixelWidth * image.bitsPerPixel / 8);
}

// True when the last import noted `code` in its diagnostics.
inline bool noted(int code) {
    for (int k = 0; k < VarnixCad3_GetImportDiagCount(); ++k) {
        int c = 0;
        VarnixCad3_GetImportDiag(k, &c, nullptr, nullptr, 0);
        if (c == code) return true;
    }
    return false;
}

// The largest single allocation made while `body` runs; 0 where it cannot be seen (without
// AddressSanitizer's allocation hooks).
template <class Body>
size_t largestAllocationDuring(Body body) {
#if defined(PATHLOOM_ASAN)
    static std::atomic<bool> watching{false};
    static std::atomic<size_t> largest{0};
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(
        [](const volatile void*, size_t size) {
            if (watching && size > largest) largest = size;
        },
        [](const volatile void*) {});
    EXPECT_TRUE(installed);
    largest = 0;
    watching = true;
    body();
    watching = false;
    return largest;
#else
    body();
    return 0;
#endif
}

}  // namespace lintrel::test
