// Process-wide frame state. Initial values are those a freshly loaded library reports.
#include "model/frame.h"

#include <lintrel/lintrel.h>

#include <cstdio>

#include "lintrel_version.h"

namespace lintrel::frame {

namespace {
int gLastError = 0;
int gSourceUnit = LINTREL_UNIT_MILLIMETRE;
char gVersion[32] = {};
constexpr const char* kRelease = LINTREL_RELEASE;
constexpr int kBuildDate = 20241030;
}  // namespace

int lastError() {
    return gLastError;
}
void setLastError(int code) {
    gLastError = code;
}
int sourceUnit() {
    return gSourceUnit;
}
void setSourceUnit(int unitCode) {
    gSourceUnit = unitCode;
}

char* versionText() {
    std::snprintf(gVersion, sizeof gVersion, "%s-%d", kRelease, kBuildDate);
    return gVersion;
}

}  // namespace lintrel::frame
