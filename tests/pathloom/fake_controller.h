// Support for the writer tests: a controller link that tests answer themselves (fixed replies
// per command, a record of every command sent) and the settings and call most tests use.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/codegen/program.h"
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

// Settings of the given language without the return line at the end.
inline ProcessSettings withoutReturn(int codeType) {
    ProcessSettings settings;
    settings.machine.returnFirstPos = false;
    settings.machine.codeType = codeType;
    return settings;
}

// The program text of a run that must succeed.
inline std::string programText(VectGroup* groups, const ProcessSettings& settings,
                               ControllerLink* link = nullptr) {
    const WriteResult result = writeProgram(groups, settings, link);
    EXPECT_EQ(result.status, WriteStatus::Ok);
    return result.program.text;
}

}  // namespace pathloom::test
