// Reading varnixd's command line; every option has a bounded range.
#include "daemon/options.h"

#include <cstdlib>
#include <functional>
#include <map>

namespace varnix::daemon {

const char* const kUsage =
    "Usage: varnixd [options]\n"
    "A motion controller simulator. Listens on 127.0.0.1 only.\n"
    "\n"
    "  --port N                 TCP port (default 7410; 0 lets the system choose)\n"
    "  --discovery-port N       UDP discovery port (default: the TCP port number; 0: any free)\n"
    "  --no-discovery           do not answer discovery\n"
    "  --axes N                 number of axes, 1 to 64 (default 4)\n"
    "  --store DIR              folder of downloaded programs (default ./varnix-store)\n"
    "  --port-file FILE         write \"<tcp port> <udp port>\" to FILE once listening\n"
    "  --log FILE               log received requests to FILE (default: standard error)\n"
    "  --quiet                  log nothing\n"
    "  --close-after-seconds S  drop each connection S seconds after it was accepted\n"
    "  --close-after-requests N drop each connection after answering N requests\n"
    "  --refuse-downloads CODE  answer every download with error CODE (non-zero)\n"
    "  --delay-ms N             delay every reply by N milliseconds (at most 60000)\n"
    "  --malformed-replies      answer commands with garbage instead of a reply line\n"
    "  --run NAME               run the stored program NAME at start-up\n"
    "  --time-scale F           simulated seconds per real second (default 1)\n"
    "  --travel-speed S         Basic moves at speed S count as travels\n"
    "  --tolerance T            chord tolerance of sampled arcs (default 0.01)\n"
    "  --max-program-bytes N    largest program accepted (default 67108864)\n"
    "  --help                   show this text\n";

namespace {

bool toNumber(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= low && value <= high;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error, bool& help) {
    using Setter = std::function<bool(const char*)>;
    auto integer = [](auto& field, double low, double high) {
        return Setter([&field, low, high](const char* text) {
            double value = 0;
            if (!toNumber(text, low, high, value) || value != static_cast<long long>(value)) {
                return false;
            }
            field = static_cast<std::remove_reference_t<decltype(field)>>(value);
            return true;
        });
    };
    auto real = [](double& field, double low, double high) {
        return Setter(
            [&field, low, high](const char* text) { return toNumber(text, low, high, field); });
    };
    auto text = [](std::string& field) {
        return Setter([&field](const char* value) {
            field = value;
            return !field.empty();
        });
    };
    double travel = 0;
    const std::map<std::string, Setter> valued = {
        {"--port", integer(options.port, 0, 65535)},
        {"--discovery-port", integer(options.discoveryPort, 0, 65535)},
        {"--axes", integer(options.axes, 1, 64)},
        {"--store", text(options.store)},
        {"--port-file", text(options.portFile)},
        {"--log", text(options.logFile)},
        {"--close-after-seconds", real(options.closeAfterSeconds, 0.001, 86400)},
        {"--close-after-requests", integer(options.closeAfterRequests, 1, 1e9)},
        {"--refuse-downloads", integer(options.refuseDownloads, -1e9, 1e9)},
        {"--delay-ms", integer(options.delayMs, 0, 60000)},
        {"--run", text(options.run)},
        {"--time-scale", real(options.timeScale, 0.001, 1e6)},
        {"--travel-speed", real(travel, 0, 1e9)},
        {"--tolerance", real(options.tolerance, 1e-6, 100)},
        {"--max-program-bytes", integer(options.maxProgramBytes, 1, 1LL << 32)},
    };
    help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            help = true;
            return true;
        }
        if (name == "--no-discovery") {
            options.discovery = false;
            continue;
        }
        if (name == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (name == "--malformed-replies") {
            options.malformedReplies = true;
            continue;
        }
        const auto found = valued.find(name);
        if (found == valued.end()) {
            error = "unknown option " + name;
            return false;
        }
        if (i + 1 >= argc || !found->second(argv[i + 1])) {
            error = "option " + name + " needs a valid value";
            return false;
        }
        if (name == "--travel-speed") options.travelSpeed = travel;
        if (name == "--refuse-downloads" && options.refuseDownloads == 0) {
            error = "--refuse-downloads needs a non-zero code";
            return false;
        }
        ++i;
    }
    return true;
}

}  // namespace varnix::daemon
