// The two language readers; each interprets one line at a time on a shared machine.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "interp/machine.h"

namespace varnix::interp {

// What a line did: nothing to report, a warning (an action text passed over) or an error.
struct LineOutcome {
    enum Kind { kDone, kWarning, kError } kind = kDone;
    std::string message;
};

class LineReader {
  public:
    virtual ~LineReader() = default;
    virtual LineOutcome read(std::string_view line, int number, Machine& machine) = 0;
};

std::unique_ptr<LineReader> makeGCodeReader();
std::unique_ptr<LineReader> makeBasicReader();

// True when the line is a G-code motion or mode line, or a Basic motion statement.
bool looksLikeGCode(std::string_view line);
bool looksLikeBasic(std::string_view line);

}  // namespace varnix::interp
