// Controller addresses: "host" or "host:port" with a numeric host ("127.0.0.1", "::1",
// "[::1]:7410") or "localhost". Names are never looked up, so reading an address can neither
// block on a name server nor send a packet anywhere.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/sockets.h"

namespace varnix {

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;
    int family() const { return storage.ss_family; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&storage); }
};

// Reads "host", "host:port", "[v6]" or "[v6]:port"; a missing port is defaultPort.
std::optional<SocketAddress> parseAddress(std::string_view text, unsigned short defaultPort);

// "127.0.0.1:7410" or "[::1]:7410".
std::string formatAddress(const SocketAddress& address);
unsigned short portOf(const SocketAddress& address);
void setPort(SocketAddress& address, unsigned short port);

}  // namespace varnix
