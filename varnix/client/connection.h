// One TCP connection to a controller: tagged request lines out, tagged reply lines in, every wait
// bounded by a deadline. Replies to earlier, abandoned requests are recognised by their tag and
// skipped, so a late answer never passes for the answer to a newer question.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/address.h"

namespace varnix {

struct Reply {
    int code = 0;      // 0, a VXC_ERR_* code, or the controller's own error code
    std::string text;  // the reply text after "OK", empty on failure
};

class Connection {
  public:
    // Connects within timeoutMs; on failure returns the error code and leaves out empty.
    static int open(const SocketAddress& address, int timeoutMs, std::unique_ptr<Connection>& out);
    explicit Connection(Socket fd) : fd_(fd) {}  // takes ownership of a connected socket
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Sends "<tag> <line>\n" followed by payload and waits up to timeoutMs for the reply.
    Reply request(std::string_view line, std::string_view payload, int timeoutMs);
    bool lost() const { return fd_ == kNoSocket; }

  private:
    int sendAll(std::string_view bytes, long long deadline);
    int readLine(std::string& line, long long deadline);
    void drop();

    Socket fd_;
    unsigned long tag_ = 0;
    std::string pending_;  // bytes received after the last complete line
};

// Milliseconds from the environment variable name, else fallback; bounded to 10 minutes.
int timeoutFromEnvironment(const char* name, int fallback);
long long nowMs();

}  // namespace varnix
