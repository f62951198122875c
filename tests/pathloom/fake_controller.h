// A controller link that tests answer themselves: fixed replies per command, a record of every
// command sent.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/controller/controller_link.h"

namespace pathloom::test {

class FakeController : public ControllerLink {
  public:
    bool connected() const override { return online; }
    std::optional<std::string> query(std::string_view command) override {
        sent.emplace_back(command);
        const auto it = replies.find(std::string(command));
        if (it == replies.end()) return std::nullopt;
        return it->second;
    }
    void assign(std::string_view command) override { sent.emplace_back(command); }

    bool online = true;
    std::map<std::string, std::string> replies;
    std::vector<std::string> sent;
};

}  // namespace pathloom::test
