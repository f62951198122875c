// A controller link over the controller library's direct-command call. The desktop program and
// the command-line converter hand in the call bound to their connection handle, so the link
// itself knows nothing of handles and tests can hand in a call of their own.
#pragma once

#include <functional>

#include "core/controller/controller_link.h"

namespace pathloom {

class DirectCommandLink : public ControllerLink {
  public:
    // Size of the reply buffer every command is sent with.
    static constexpr int kReplySize = 1024;
    // Sends `command` and writes the NUL-terminated reply into `reply` (of `size` bytes);
    // 0 on success.
    using Send = std::function<int(const char* command, char* reply, int size)>;

    DirectCommandLink(std::function<bool()> isConnected, Send send)
        : isConnected_(std::move(isConnected)), send_(std::move(send)) {}

    bool connected() const override { return isConnected_ && isConnected_(); }
    // A failed call gives no reply, never the buffer's leftovers.
    std::optional<std::string> query(std::string_view command) override;
    void assign(std::string_view command) override;

  private:
    std::function<bool()> isConnected_;
    Send send_;
};

}  // namespace pathloom
