// varnixd: the controller simulator's entry point.
#include <csignal>
#include <cstdio>
#include <string>

#include "daemon/options.h"
#include "daemon/server.h"

namespace {

volatile int stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace varnix::daemon;
    Options options;
    std::string error;
    bool help = false;
    if (!parseOptions(argc, argv, options, error, help)) {
        std::fprintf(stderr, "varnixd: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::FILE* log = options.quiet ? nullptr : stderr;
    if (!options.quiet && !options.logFile.empty()) {
        log = std::fopen(options.logFile.c_str(), "a");
        if (log == nullptr) {
            std::fprintf(stderr, "varnixd: cannot open the log %s\n", options.logFile.c_str());
            return 1;
        }
    }
    struct sigaction action {};
    action.sa_handler = requestStop;  // no SA_RESTART: poll returns and the loop ends
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    int status = 0;
    {
        Server server(options, log);
        if (server.start(error)) {
            server.serve(stopRequested);
        } else {
            std::fprintf(stderr, "varnixd: %s\n", error.c_str());
            status = 1;
        }
    }
    if (log != nullptr && log != stderr) std::fclose(log);
    return status;
}
