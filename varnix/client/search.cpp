// Discovery by UDP and the small configuration file of the client library
// ($VARNIX_CONFIG, else $XDG_CONFIG_HOME/varnix/varnix.conf, else ~/.config/varnix/varnix.conf;
// on Windows %APPDATA%\varnix\varnix.conf; lines "key = value", '#' starts a comment).
#include "client/search.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "client/connection.h"
#include "common/address.h"
#include "common/sockets.h"
#include "varnix/varnix.h"

namespace varnix {
namespace {

constexpr size_t kMaxAddresses = 64;

std::string configPath() {
    if (const char* path = std::getenv("VARNIX_CONFIG")) return path;
#ifdef _WIN32
    if (const char* appData = std::getenv("APPDATA"); appData != nullptr && appData[0] != '\0')
        return std::string(appData) + "\\varnix\\varnix.conf";
    return {};
#else
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] != '\0') {
        return std::string(xdg) + "/varnix/varnix.conf";
    }
    if (const char* home = std::getenv("HOME"))
        return std::string(home) + "/.config/varnix/varnix.conf";
    return {};
#endif
}

std::string trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<std::string> configValue(const std::string& key) {
    const std::string path = configPath();
    if (path.empty()) return std::nullopt;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        line = line.substr(0, line.find('#'));
        const size_t equals = line.find('=');
        if (equals != std::string::npos && trim(line.substr(0, equals)) == key) {
            return trim(line.substr(equals + 1));
        }
    }
    return std::nullopt;
}

std::vector<std::string> splitList(std::string text) {
    for (char& c : text) {
        if (c == ',' || c == '\t') c = ' ';
    }
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word && words.size() < kMaxAddresses)
        words.push_back(word);
    return words;
}

// "VARNIX <tcp port> <axes>" from a simulator or controller.
std::optional<unsigned short> answeredPort(std::string_view datagram) {
    if (datagram.substr(0, 7) != "VARNIX ") return std::nullopt;
    const std::string rest(datagram.substr(7));
    char* end = nullptr;
    const long port = std::strtol(rest.c_str(), &end, 10);
    if (end == rest.c_str() || port <= 0 || port > 65535) return std::nullopt;
    return static_cast<unsigned short>(port);
}

bool sameHost(const SocketAddress& a, const sockaddr_storage& b) {
    if (a.family() != b.ss_family) return false;
    if (a.family() == AF_INET) {
        const auto* x = reinterpret_cast<const sockaddr_in*>(&a.storage);
        const auto* y = reinterpret_cast<const sockaddr_in*>(&b);
        return x->sin_addr.s_addr == y->sin_addr.s_addr && x->sin_port == y->sin_port;
    }
    const auto* x = reinterpret_cast<const sockaddr_in6*>(&a.storage);
    const auto* y = reinterpret_cast<const sockaddr_in6*>(&b);
    return std::memcmp(&x->sin6_addr, &y->sin6_addr, sizeof x->sin6_addr) == 0 &&
           x->sin6_port == y->sin6_port;
}

std::string hostText(const SocketAddress& address, unsigned short port) {
    SocketAddress copy = address;
    setPort(copy, port);
    std::string text = formatAddress(copy);
    if (port == VXC_DEFAULT_PORT) text = text.substr(0, text.rfind(':'));
    if (text.front() == '[' && port == VXC_DEFAULT_PORT) text = text.substr(1, text.size() - 2);
    return text;
}

struct Probe {
    SocketAddress target;
    Socket fd = kNoSocket;
    std::string answer;  // empty until the controller answered
};

void collectAnswers(std::vector<Probe>& probes, long long deadline) {
    std::vector<pollfd> waiting;
    for (const Probe& probe : probes) {
        if (probe.fd != kNoSocket) waiting.push_back({probe.fd, POLLIN, 0});
    }
    size_t answered = 0;
    while (answered < waiting.size()) {
        const long long left = deadline - nowMs();
        if (left <= 0 || waitSockets(waiting.data(), static_cast<unsigned>(waiting.size()),
                                     static_cast<int>(left)) <= 0)
            return;
        for (Probe& probe : probes) {
            char datagram[512];
            sockaddr_storage from{};
            socklen_t length = sizeof from;
            const auto got = probe.fd == kNoSocket
                                 ? -1
                                 : recvfrom(probe.fd, datagram, sizeof datagram - 1, 0,
                                            reinterpret_cast<sockaddr*>(&from), &length);
            if (got <= 0 || !sameHost(probe.target, from)) continue;
            const auto port = answeredPort(std::string_view(datagram, static_cast<size_t>(got)));
            if (port && probe.answer.empty()) {
                probe.answer = hostText(probe.target, *port);
                ++answered;
            }
        }
    }
}

}  // namespace

std::vector<std::string> configuredSearchAddresses() {
    if (const char* list = std::getenv("VARNIX_SEARCH_ADDRESSES")) return splitList(list);
    if (const auto value = configValue("search-addresses")) return splitList(*value);
    return {"127.0.0.1"};
}

int configuredPciCards() {
    std::string text;
    if (const char* value = std::getenv("VARNIX_PCI_CARDS")) {
        text = value;
    } else if (const auto value = configValue("pci-cards")) {
        text = *value;
    }
    const long cards = std::strtol(text.c_str(), nullptr, 10);
    return cards < 0 ? 0 : cards > 16 ? 16 : static_cast<int>(cards);
}

std::string searchControllers(const std::vector<std::string>& addresses, unsigned timeoutMs,
                              size_t capacity) {
    std::vector<Probe> probes;
    for (const std::string& text : addresses) {
        const auto target = parseAddress(text, VXC_DEFAULT_PORT);
        if (!target || probes.size() >= kMaxAddresses) continue;
        Probe probe{*target, openSocket(target->family(), SOCK_DGRAM), {}};
        // Without SO_BROADCAST the kernel refuses a broadcast address: we ask single hosts only.
        static const char question[] = "VARNIX?\n";
        if (probe.fd != kNoSocket &&
            sendto(probe.fd, question, sizeof question - 1, 0, target->get(), target->length) < 0) {
            closeSocket(probe.fd);
            probe.fd = kNoSocket;
        }
        probes.push_back(probe);
    }
    collectAnswers(probes, nowMs() + (timeoutMs > 10000 ? 10000 : timeoutMs));
    std::string found;
    for (const Probe& probe : probes) {
        if (probe.fd != kNoSocket) closeSocket(probe.fd);
        if (probe.answer.empty()) continue;
        const size_t needed = found.size() + (found.empty() ? 0 : 1) + probe.answer.size();
        if (needed + 1 > capacity) break;
        if (!found.empty()) found += ' ';
        found += probe.answer;
    }
    return found;
}

}  // namespace varnix
