// Commands through the direct-command call, with a bounded, always terminated reply.
#include "core/controller/direct_command_link.h"

#include <array>

namespace pathloom {

std::optional<std::string> DirectCommandLink::query(std::string_view command) {
    if (!connected() || !send_) return std::nullopt;
    std::array<char, kReplySize> reply{};
    const std::string text(command);
    if (send_(text.c_str(), reply.data(), kReplySize) != 0) return std::nullopt;
    reply.back() = '\0';
    return std::string(reply.data());
}

void DirectCommandLink::assign(std::string_view command) {
    query(command);
}

}  // namespace pathloom
