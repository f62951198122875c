// Where the document pipeline sends what it has to say: status-bar texts while it works and
// message-box texts when a step fails. The converter prints them; the desktop program shows them.
#pragma once

#include <string_view>

namespace pathloom {

class StatusSink {
  public:
    virtual ~StatusSink() = default;
    // A status text, shown at once (status bar pane 0).
    virtual void status(std::string_view text) = 0;
    // A message the operator has to read (message box).
    virtual void message(std::string_view text) = 0;
    // True when the operator asked the running work to stop; steps check it between them.
    virtual bool stopRequested() const { return false; }
};

// Discards everything; for callers that only want the result.
class SilentSink final : public StatusSink {
  public:
    void status(std::string_view) override {}
    void message(std::string_view) override {}
};

}  // namespace pathloom
