// The library's process-wide frame state: the last error, the unit the last imported drawing
// declared, and the version text. Unsynchronised: callers use the library from one thread.
#pragma once

namespace lintrel::frame {

int lastError();
void setLastError(int code);
int sourceUnit();
void setSourceUnit(int unitCode);
// Formats the version into the library-owned buffer and returns it.
char* versionText();

}  // namespace lintrel::frame
