// The client side of the line protocol: connect with a time-out, send a tagged request, read the
// matching reply line.
#include "client/connection.h"

#include <charconv>
#include <chrono>
#include <cstdlib>

#include "varnix/varnix.h"

namespace varnix {
namespace {

// A reply line longer than this is not a reply of ours; the stream is given up.
constexpr size_t kMaxReplyLine = 65536;

int remainingMs(long long deadline) {
    const long long left = deadline - nowMs();
    return left <= 0 ? 0 : static_cast<int>(left);
}

bool printable(std::string_view text) {
    for (const unsigned char c : text) {
        if (c < 0x20 && c != '\t') return false;
        if (c == 0x7f) return false;
    }
    return true;
}

// "<tag> OK text" or "<tag> ERR code text"; anything else is malformed.
bool parseReplyLine(std::string_view line, unsigned long& tag, Reply& reply) {
    const auto [afterTag, tagError] = std::from_chars(line.data(), line.data() + line.size(), tag);
    if (tagError != std::errc() || afterTag == line.data()) return false;
    std::string_view rest = line.substr(afterTag - line.data());
    if (rest.substr(0, 3) == " OK") {
        rest.remove_prefix(3);
        if (!rest.empty() && rest.front() != ' ') return false;
        if (!rest.empty()) rest.remove_prefix(1);
        if (!printable(rest)) return false;
        reply.code = 0;
        reply.text = std::string(rest);
        return true;
    }
    if (rest.substr(0, 5) != " ERR ") return false;
    rest.remove_prefix(5);
    int code = 0;
    const auto [afterCode, codeError] =
        std::from_chars(rest.data(), rest.data() + rest.size(), code);
    if (codeError != std::errc() || code == 0) return false;
    reply.code = code;
    reply.text.clear();
    return true;
}

}  // namespace

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int timeoutFromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value <= 0) return fallback;
    return value > 600000 ? 600000 : static_cast<int>(value);
}

int Connection::open(const SocketAddress& address, int timeoutMs,
                     std::unique_ptr<Connection>& out) {
    const Socket fd = openSocket(address.family(), SOCK_STREAM);
    if (fd == kNoSocket) return VXC_ERR_SYSTEM;
    if (connect(fd, address.get(), address.length) != 0 && !isInProgress(lastSocketError())) {
        closeSocket(fd);
        return VXC_ERR_CONNECT;
    }
    pollfd waiting{fd, POLLOUT, 0};
    const int ready = waitSockets(&waiting, 1, timeoutMs);
    int error = 0;
    socklen_t length = sizeof error;
    if (ready != 1 ||
        getsockopt(fd, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0 ||
        error != 0) {
        closeSocket(fd);
        return VXC_ERR_CONNECT;
    }
    out = std::make_unique<Connection>(fd);
    return VXC_OK;
}

Connection::~Connection() {
    drop();
}

void Connection::drop() {
    if (fd_ != kNoSocket) closeSocket(fd_);
    fd_ = kNoSocket;
    pending_.clear();
}

int Connection::sendAll(std::string_view bytes, long long deadline) {
    while (!bytes.empty()) {
        // One call sends at most what an int counts (Winsock's limit).
        const int chunk = bytes.size() > 1u << 30 ? 1 << 30 : static_cast<int>(bytes.size());
        const auto sent = send(fd_, bytes.data(), chunk, kSendFlags);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<size_t>(sent));
            continue;
        }
        if (sent < 0 && !isRetry(lastSocketError())) {
            drop();
            return VXC_ERR_LOST;
        }
        pollfd waiting{fd_, POLLOUT, 0};
        const int left = remainingMs(deadline);
        if (left == 0 || waitSockets(&waiting, 1, left) == 0) return VXC_ERR_TIMEOUT;
    }
    return VXC_OK;
}

int Connection::readLine(std::string& line, long long deadline) {
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line.assign(pending_, 0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            pending_.erase(0, end + 1);
            return VXC_OK;
        }
        if (pending_.size() > kMaxReplyLine) {
            drop();
            return VXC_ERR_LOST;
        }
        char chunk[4096];
        const auto got = recv(fd_, chunk, sizeof chunk, 0);
        if (got > 0) {
            pending_.append(chunk, static_cast<size_t>(got));
            continue;
        }
        if (got == 0 || !isRetry(lastSocketError())) {
            drop();
            return VXC_ERR_LOST;
        }
        pollfd waiting{fd_, POLLIN, 0};
        const int left = remainingMs(deadline);
        if (left == 0 || waitSockets(&waiting, 1, left) == 0) return VXC_ERR_TIMEOUT;
    }
}

Reply Connection::request(std::string_view line, std::string_view payload, int timeoutMs) {
    if (lost()) return {VXC_ERR_LOST, {}};
    const long long deadline = nowMs() + timeoutMs;
    const unsigned long tag = ++tag_;
    std::string head = std::to_string(tag);
    head += ' ';
    head += line;
    head += '\n';
    if (const int code = sendAll(head, deadline); code != VXC_OK) return {code, {}};
    if (const int code = sendAll(payload, deadline); code != VXC_OK) return {code, {}};
    std::string text;
    for (;;) {
        if (const int code = readLine(text, deadline); code != VXC_OK) return {code, {}};
        unsigned long replyTag = 0;
        Reply reply;
        if (!parseReplyLine(text, replyTag, reply)) return {VXC_ERR_REPLY, {}};
        if (replyTag == tag) return reply;
        if (replyTag > tag) return {VXC_ERR_REPLY, {}};
        // An answer to an earlier request that timed out: skip it.
    }
}

}  // namespace varnix
