// The engine's view of the motion controller: a connection that answers text commands. The
// desktop program connects it to the controller library; tests answer it themselves.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pathloom {

class ControllerLink {
  public:
    virtual ~ControllerLink() = default;
    virtual bool connected() const = 0;
    // Sends a command and returns the controller's reply; nothing when the command failed or
    // went unanswered.
    virtual std::optional<std::string> query(std::string_view command) = 0;
    // Sends a command whose reply nobody reads (an assignment such as "MPOS(4) = 6.2832").
    virtual void assign(std::string_view command) = 0;
};

// Reads the measured position of one axis with "?MPOS(axis)". Without a connection, without a
// reply, or with a reply that is not a finite number, the position counts as 0.
double measuredPosition(ControllerLink* link, int axis);

// Reads a reply as the controller's decimal number: leading blanks skipped, the longest numeric
// prefix taken, anything else 0. Infinite and NaN replies also give 0, so that a garbled reply
// can never put "nan" into a program.
double replyNumber(std::string_view reply);

}  // namespace pathloom
