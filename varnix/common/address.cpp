// Parsing and printing of controller addresses without any name lookup.
#include "common/address.h"

#include <charconv>
#include <cstring>

namespace varnix {
namespace {

std::optional<unsigned short> parsePort(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value > 65535) {
        return std::nullopt;
    }
    return static_cast<unsigned short>(value);
}

template <typename Raw>
SocketAddress wrap(const Raw& raw) {
    SocketAddress address;
    std::memcpy(&address.storage, &raw, sizeof raw);
    address.length = sizeof raw;
    return address;
}

std::optional<SocketAddress> numericHost(const std::string& host, unsigned short port) {
    sockaddr_in v4{};
    if (inet_pton(AF_INET, host.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        SocketAddress address = wrap(v4);
        setPort(address, port);
        return address;
    }
    sockaddr_in6 v6{};
    if (inet_pton(AF_INET6, host.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        SocketAddress address = wrap(v6);
        setPort(address, port);
        return address;
    }
    return std::nullopt;
}

}  // namespace

std::optional<SocketAddress> parseAddress(std::string_view text, unsigned short defaultPort) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 255) return std::nullopt;
    std::string_view host = text;
    unsigned short port = defaultPort;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            const auto parsed = parsePort(rest.substr(1));
            if (!parsed) return std::nullopt;
            port = *parsed;
        }
    } else if (text.find(':') == text.rfind(':') && text.find(':') != std::string_view::npos) {
        // Exactly one colon: host and port. More colons are a bare IPv6 address.
        const size_t colon = text.find(':');
        host = text.substr(0, colon);
        const auto parsed = parsePort(text.substr(colon + 1));
        if (!parsed) return std::nullopt;
        port = *parsed;
    }
    if (host == "localhost") host = "127.0.0.1";
    return numericHost(std::string(host), port);
}

void setPort(SocketAddress& address, unsigned short port) {
    if (address.family() == AF_INET) {
        reinterpret_cast<sockaddr_in*>(&address.storage)->sin_port = htons(port);
    } else {
        reinterpret_cast<sockaddr_in6*>(&address.storage)->sin6_port = htons(port);
    }
}

unsigned short portOf(const SocketAddress& address) {
    if (address.family() == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in*>(&address.storage)->sin_port);
    }
    return ntohs(reinterpret_cast<const sockaddr_in6*>(&address.storage)->sin6_port);
}

std::string formatAddress(const SocketAddress& address) {
    char host[INET6_ADDRSTRLEN] = {};
    const unsigned short port = portOf(address);
    if (address.family() == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address.storage);
        inet_ntop(AF_INET, &v4->sin_addr, host, sizeof host);
        return std::string(host) + ":" + std::to_string(port);
    }
    const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address.storage);
    inet_ntop(AF_INET6, &v6->sin6_addr, host, sizeof host);
    return "[" + std::string(host) + "]:" + std::to_string(port);
}

}  // namespace varnix
