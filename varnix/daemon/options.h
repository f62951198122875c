// Command-line options of varnixd.
#pragma once

#include <optional>
#include <string>

#include "varnix/varnix.h"

namespace varnix::daemon {

struct Options {
    int port = 7410;         // 0: the system picks a free port
    int discoveryPort = -1;  // -1: the bound TCP port number; 0: a free port
    bool discovery = true;
    int axes = 4;
    std::string store = "varnix-store";
    std::string portFile;  // receives "<tcp port> <udp port>" once listening
    std::string logFile;   // empty: standard error
    bool quiet = false;
    // Faults on request.
    double closeAfterSeconds = 0;  // 0: never
    long closeAfterRequests = 0;   // 0: never
    int refuseDownloads = 0;       // 0: downloads are accepted
    int delayMs = 0;
    bool malformedReplies = false;
    // Programs.
    double timeScale = 1.0;
    std::string run;
    std::optional<double> travelSpeed;
    double tolerance = 0.01;
    long long maxProgramBytes = 64LL * 1024 * 1024;
};

extern const char* const kUsage;

// Fills options from argv; on a bad option returns false with the message in error.
bool parseOptions(int argc, char** argv, Options& options, std::string& error, bool& help);

}  // namespace varnix::daemon
