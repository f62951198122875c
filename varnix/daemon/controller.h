// The simulated controller: axis positions and parameters, direct commands, and a stored program
// running in simulated time.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "daemon/store.h"
#include "interp/interpreter.h"

namespace varnix::daemon {

// Error codes the simulator sends; the client library passes them through to its callers.
enum Code {
    kUnknownCommand = 2001,
    kBadArgument = 2002,
    kBadName = 2003,
    kNoProgram = 2004,
    kProgramError = 2005,
    kBusy = 2006,
    kStoreFailed = 2007,
    kTooLarge = 2008,
    kBadRequest = 2009,
};

struct Answer {
    int code = 0;  // 0: OK with text
    std::string text;
};

class Controller {
  public:
    Controller(int axes, const interp::Options& interpreter, double timeScale);
    int axes() const { return axes_; }
    int state(double now);  // 0 idle, 1 running a program
    // One command line: "?NAME", "?NAME(n)", "NAME = v", "NAME(n) = v", "RUN name", "STOP".
    Answer command(std::string_view text, const ProgramStore& store, double now);
    Answer run(std::string_view name, const ProgramStore& store, double now);

  private:
    struct Run {
        interp::ToolPath path;
        std::vector<double> endTimes;  // simulated seconds at the end of each move
        double startedAt = 0;          // real seconds
    };
    double position(int axis, double now);
    void settle(double now);  // ends a finished run, keeping its final positions
    Answer query(std::string_view name, std::optional<int> index, double now);
    Answer assign(std::string_view name, std::optional<int> index, double value, double now);

    int axes_;
    interp::Options interpreter_;
    double timeScale_;
    std::vector<double> positions_;
    std::map<std::string, std::vector<double>, std::less<>> parameters_;
    std::optional<Run> run_;
};

}  // namespace varnix::daemon
