// The poll loop of varnixd: accepts connections, reads request lines and program downloads,
// answers them through the controller, and applies the faults the options ask for.
#include "daemon/server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace varnix::daemon {
namespace {

constexpr size_t kMaxRequestLine = 4096;
constexpr size_t kMaxClients = 64;
// A peer that sends requests without reading the replies is dropped before they pile up.
constexpr size_t kMaxPendingReplies = 4 * 1024 * 1024;

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

double nowSeconds() {
    return static_cast<double>(nowMs()) / 1000.0;
}

int bindLoopback(int type, int port, unsigned short& bound) {
    const int fd = socket(AF_INET, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<unsigned short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        (type == SOCK_STREAM && listen(fd, 16) != 0) ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    bound = ntohs(address.sin_port);
    return fd;
}

// The first word of a request line and the rest.
std::pair<std::string, std::string> splitWord(const std::string& text) {
    const size_t blank = text.find(' ');
    if (blank == std::string::npos) return {text, {}};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

std::string printableCopy(std::string_view text) {
    std::string copy;
    for (const unsigned char c : text.substr(0, 200)) {
        copy += (c < 0x20 || c == 0x7f) ? '.' : static_cast<char>(c);
    }
    return copy;
}

}  // namespace

Server::Server(const Options& options, std::FILE* log)
    : options_(options),
      log_(log),
      store_(options.store),
      controller_(
          options.axes,
          interp::Options{interp::Dialect::Auto, options.tolerance, 16, options.travelSpeed, 100.0},
          options.timeScale) {}

Server::~Server() {
    for (Client& client : clients_) {
        if (client.fd >= 0) close(client.fd);
    }
    if (listener_ >= 0) close(listener_);
    if (discovery_ >= 0) close(discovery_);
}

void Server::log(const char* format, ...) {
    if (log_ == nullptr) return;
    std::va_list arguments;
    va_start(arguments, format);
    std::fprintf(log_, "varnixd: ");
    std::vfprintf(log_, format, arguments);
    std::fputc('\n', log_);
    std::fflush(log_);
    va_end(arguments);
}

bool Server::start(std::string& error) {
    if (!store_.prepare()) {
        error = "cannot create the program folder " + options_.store;
        return false;
    }
    listener_ = bindLoopback(SOCK_STREAM, options_.port, tcpPort_);
    if (listener_ < 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(options_.port) + ": " +
                std::strerror(errno);
        return false;
    }
    if (options_.discovery) {
        const int wanted = options_.discoveryPort < 0 ? tcpPort_ : options_.discoveryPort;
        discovery_ = bindLoopback(SOCK_DGRAM, wanted, udpPort_);
        if (discovery_ < 0) {
            error = "cannot bind discovery on 127.0.0.1:" + std::to_string(wanted);
            return false;
        }
    }
    if (!options_.run.empty()) {
        const Answer started = controller_.run(options_.run, store_, nowSeconds());
        if (started.code != 0) {
            error = "cannot run " + options_.run + ": " + started.text;
            return false;
        }
    }
    log("listening on 127.0.0.1:%u, discovery %u, %d axes", tcpPort_, udpPort_, options_.axes);
    if (!options_.portFile.empty()) {
        // Written whole under a temporary name, so a reader never sees half of it.
        const std::string temporary = options_.portFile + ".tmp";
        std::ofstream(temporary) << tcpPort_ << ' ' << udpPort_ << '\n';
        if (std::rename(temporary.c_str(), options_.portFile.c_str()) != 0) {
            error = "cannot write " + options_.portFile;
            return false;
        }
    }
    return true;
}

void Server::acceptClients() {
    for (;;) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        const int fd = accept4(listener_, reinterpret_cast<sockaddr*>(&peer), &length,
                               SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        if (clients_.size() >= kMaxClients) {
            log("refused a connection: %zu clients already", clients_.size());
            close(fd);
            continue;
        }
        Client client;
        client.fd = fd;
        char host[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &peer.sin_addr, host, sizeof host);
        client.peer = std::string(host) + ":" + std::to_string(ntohs(peer.sin_port));
        client.acceptedAt = nowMs();
        log("%s connected", client.peer.c_str());
        clients_.push_back(std::move(client));
    }
}

void Server::answerDiscovery() {
    char datagram[512];
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const ssize_t got = recvfrom(discovery_, datagram, sizeof datagram, 0,
                                 reinterpret_cast<sockaddr*>(&peer), &length);
    if (got < 7 || std::memcmp(datagram, "VARNIX?", 7) != 0) return;
    // Answers go back to the asker only; the socket is bound to loopback, so the asker is local.
    const std::string answer =
        "VARNIX " + std::to_string(tcpPort_) + " " + std::to_string(options_.axes) + "\n";
    sendto(discovery_, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&peer), length);
    log("discovery answered");
}

void Server::closeClient(Client& client, const char* why) {
    if (client.closed) return;
    log("%s closed: %s", client.peer.c_str(), why);
    close(client.fd);
    client.fd = -1;
    client.closed = true;
}

void Server::send(Client& client, std::string bytes) {
    if (options_.delayMs > 0) {
        client.delayed.push_back({nowMs() + options_.delayMs, std::move(bytes)});
    } else {
        client.output += bytes;
    }
}

void Server::reply(Client& client, const std::string& tag, int code, const std::string& text,
                   bool command) {
    ++client.requests;
    if (command && options_.malformedReplies) {
        send(client, "#\x01garbled\x7f reply~" + tag + "\n");
    } else if (code == 0) {
        send(client, tag + " OK" + (text.empty() ? "" : " " + text) + "\n");
    } else {
        // Messages may quote a program line; the reply line must stay one clean line.
        send(client, tag + " ERR " + std::to_string(code) + " " + printableCopy(text) + "\n");
    }
    if (options_.closeAfterRequests > 0 && client.requests >= options_.closeAfterRequests) {
        client.closeWhenFlushed = true;
    }
}

void Server::handleLine(Client& client, const std::string& line) {
    const auto [tag, request] = splitWord(line);
    const auto [verb, argument] = splitWord(request);
    log("%s: %s", client.peer.c_str(), printableCopy(request).c_str());
    if (tag.empty() || tag.find_first_not_of("0123456789") != std::string::npos) {
        closeClient(client, "request without a tag");
        return;
    }
    const double now = nowSeconds();
    if (verb == "HELLO") {
        reply(client, tag, 0, "VARNIX 1 " + std::to_string(controller_.axes()));
    } else if (verb == "AXES") {
        reply(client, tag, 0, std::to_string(controller_.axes()));
    } else if (verb == "STATE") {
        reply(client, tag, 0, std::to_string(controller_.state(now)));
    } else if (verb == "CMD") {
        const Answer answer = controller_.command(argument, store_, now);
        reply(client, tag, answer.code, answer.text, true);
    } else if (verb == "DOWN") {
        const auto [lengthText, name] = splitWord(argument);
        char* end = nullptr;
        const unsigned long long length = std::strtoull(lengthText.c_str(), &end, 10);
        if (lengthText.empty() || *end != '\0' ||
            length > static_cast<unsigned long long>(options_.maxProgramBytes)) {
            // The payload cannot be skipped safely, so the stream is given up after the answer.
            reply(client, tag, kTooLarge, "program too large");
            client.closeWhenFlushed = true;
            return;
        }
        client.downloading = true;
        client.downloadTag = tag;
        client.downloadName = name;
        client.downloadLength = static_cast<size_t>(length);
    } else {
        reply(client, tag, kBadRequest, "unknown request");
    }
}

void Server::finishDownload(Client& client) {
    const std::string text = client.input.substr(0, client.downloadLength);
    client.input.erase(0, client.downloadLength);
    client.downloading = false;
    const std::string& name = client.downloadName;
    log("%s: program %s, %zu bytes", client.peer.c_str(), printableCopy(name).c_str(), text.size());
    if (options_.refuseDownloads != 0) {
        reply(client, client.downloadTag, options_.refuseDownloads, "download refused");
    } else if (!ProgramStore::validName(name)) {
        reply(client, client.downloadTag, kBadName, "bad program name");
    } else if (!store_.save(name, text)) {
        reply(client, client.downloadTag, kStoreFailed, "cannot store the program");
    } else {
        reply(client, client.downloadTag, 0, {});
    }
}

void Server::handleInput(Client& client) {
    while (!client.closed && !client.closeWhenFlushed) {
        if (client.output.size() + client.delayed.size() * 64 > kMaxPendingReplies) {
            closeClient(client, "replies are not being read");
            return;
        }
        if (client.downloading) {
            if (client.input.size() < client.downloadLength) return;
            finishDownload(client);
            continue;
        }
        const size_t end = client.input.find('\n');
        if (end == std::string::npos) {
            if (client.input.size() > kMaxRequestLine) closeClient(client, "request line too long");
            return;
        }
        std::string line = client.input.substr(0, end);
        client.input.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) handleLine(client, line);
    }
}

void Server::readFrom(Client& client) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = recv(client.fd, chunk, sizeof chunk, 0);
        if (got > 0 && client.closeWhenFlushed) continue;  // nothing more will be answered
        if (got > 0) {
            client.input.append(chunk, static_cast<size_t>(got));
            handleInput(client);
            if (client.closed) return;
            continue;
        }
        if (got == 0) closeClient(client, "peer closed");
        if (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            closeClient(client, std::strerror(errno));
        }
        return;
    }
}

void Server::flush(Client& client, long long now) {
    while (!client.delayed.empty() && client.delayed.front().due <= now) {
        client.output += client.delayed.front().bytes;
        client.delayed.pop_front();
    }
    while (!client.output.empty() && !client.closed) {
        const ssize_t sent =
            ::send(client.fd, client.output.data(), client.output.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                closeClient(client, std::strerror(errno));
            }
            return;
        }
        client.output.erase(0, static_cast<size_t>(sent));
    }
    if (client.closeWhenFlushed && client.output.empty() && client.delayed.empty()) {
        closeClient(client, "request limit reached");
    }
}

void Server::applyTimers(Client& client, long long now) {
    if (options_.closeAfterSeconds > 0 &&
        now - client.acceptedAt >= static_cast<long long>(options_.closeAfterSeconds * 1000)) {
        closeClient(client, "connection time limit reached");
    }
}

int Server::pollTimeout(long long now) const {
    long long wait = 1000;
    for (const Client& client : clients_) {
        if (!client.delayed.empty()) wait = std::min(wait, client.delayed.front().due - now);
        if (options_.closeAfterSeconds > 0) {
            const long long limit =
                client.acceptedAt + static_cast<long long>(options_.closeAfterSeconds * 1000);
            wait = std::min(wait, limit - now);
        }
    }
    return static_cast<int>(std::max(wait, 0LL));
}

void Server::serve(const volatile int& stopRequested) {
    while (stopRequested == 0) {
        std::vector<pollfd> waiting{{listener_, POLLIN, 0}};
        if (discovery_ >= 0) waiting.push_back({discovery_, POLLIN, 0});
        const size_t first = waiting.size();
        for (const Client& client : clients_) {
            const short events = client.output.empty() ? POLLIN : (POLLIN | POLLOUT);
            waiting.push_back({client.fd, events, 0});
        }
        const int ready = poll(waiting.data(), waiting.size(), pollTimeout(nowMs()));
        if (ready < 0 && errno != EINTR) break;
        if (ready > 0 && (waiting[0].revents & POLLIN)) acceptClients();
        if (ready > 0 && discovery_ >= 0 && (waiting[1].revents & POLLIN)) answerDiscovery();
        const long long now = nowMs();
        for (size_t i = 0; i < clients_.size() && first + i < waiting.size(); ++i) {
            Client& client = clients_[i];
            if (ready > 0 && (waiting[first + i].revents & (POLLIN | POLLHUP | POLLERR))) {
                readFrom(client);
            }
            if (!client.closed) flush(client, now);
            if (!client.closed) applyTimers(client, now);
        }
        std::erase_if(clients_, [](const Client& client) { return client.closed; });
    }
    log("stopping");
}

}  // namespace varnix::daemon
