// Position queries shared by the program writers and the simulation.
#include "core/controller/controller_link.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace pathloom {

double replyNumber(std::string_view reply) {
    // Replies are at most one buffer of the controller library (1024 bytes) long.
    const std::string text(reply.substr(0, 1023));
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

double measuredPosition(ControllerLink* link, int axis) {
    if (!link || !link->connected()) return 0.0;
    const std::optional<std::string> reply = link->query("?MPOS(" + std::to_string(axis) + ")");
    return reply ? replyNumber(*reply) : 0.0;
}

}  // namespace pathloom
