// Direct commands of the simulated controller and the motion of a running program.
#include "daemon/controller.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace varnix::daemon {
namespace {

// Axis parameters the controller knows, besides the positions.
constexpr const char* kParameters[] = {"SPEED", "ACCEL", "DECEL"};

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::optional<double> number(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// "NAME" or "NAME(index)"; false when the text has another shape.
bool splitName(std::string_view text, std::string& name, std::optional<int>& index, bool& bad) {
    text = trim(text);
    const size_t open = text.find('(');
    bad = false;
    if (open == std::string_view::npos) {
        name = upper(text);
    } else {
        if (text.back() != ')') return false;
        name = upper(trim(text.substr(0, open)));
        const auto value = number(text.substr(open + 1, text.size() - open - 2));
        if (!value || *value != std::floor(*value) || std::fabs(*value) > 1e6) {
            bad = true;
        } else {
            index = static_cast<int>(*value);
        }
    }
    if (name.empty()) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

std::string formatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

}  // namespace

Controller::Controller(int axes, const interp::Options& interpreter, double timeScale)
    : axes_(axes), interpreter_(interpreter), timeScale_(timeScale), positions_(axes, 0.0) {
    for (const char* name : kParameters)
        parameters_[name].assign(axes, 0.0);
    interpreter_.axisCount = std::max(axes, 3);  // G-code names X, Y and Z
}

void Controller::settle(double now) {
    if (!run_) return;
    const double simulated = (now - run_->startedAt) * timeScale_;
    if (!run_->endTimes.empty() && simulated < run_->endTimes.back()) return;
    for (int axis = 0; axis < axes_; ++axis)
        positions_[axis] = position(axis, now);
    run_.reset();
}

int Controller::state(double now) {
    settle(now);
    return run_ ? 1 : 0;
}

double Controller::position(int axis, double now) {
    if (!run_) return positions_[axis];
    const interp::ToolPath& path = run_->path;
    if (path.moves.empty()) return path.start[axis];
    const double simulated = (now - run_->startedAt) * timeScale_;
    const auto& ends = run_->endTimes;
    const size_t index = std::upper_bound(ends.begin(), ends.end(), simulated) - ends.begin();
    if (index >= path.moves.size()) return path.moves.back().to[axis];
    const double from = index == 0 ? path.start[axis] : path.moves[index - 1].to[axis];
    const double began = index == 0 ? 0.0 : ends[index - 1];
    const double span = ends[index] - began;
    const double fraction = span > 0 ? (simulated - began) / span : 1.0;
    return from + (path.moves[index].to[axis] - from) * std::clamp(fraction, 0.0, 1.0);
}

Answer Controller::run(std::string_view name, const ProgramStore& store, double now) {
    settle(now);
    if (run_) return {kBusy, "a program is running"};
    if (!ProgramStore::validName(name)) return {kBadName, "bad program name"};
    const auto text = store.load(name);
    if (!text) return {kNoProgram, "no such program"};
    interp::Result result = interp::interpret(*text, interpreter_, positions_);
    if (!result.ok()) {
        return {kProgramError,
                "line " + std::to_string(result.error->line) + ": " + result.error->message};
    }
    Run started{std::move(result.path), {}, now};
    double total = 0;
    for (const interp::Move& move : started.path.moves) {
        total += interp::moveSeconds(move, 10.0);
        started.endTimes.push_back(total);
    }
    run_ = std::move(started);
    return {0, {}};
}

Answer Controller::query(std::string_view name, std::optional<int> index, double now) {
    settle(now);
    if (name == "AXES" && !index) return {0, std::to_string(axes_)};
    if (name == "STATE" && !index) return {0, std::to_string(run_ ? 1 : 0)};
    const bool isPosition = name == "MPOS" || name == "DPOS";
    const auto found = parameters_.find(name);
    if (!isPosition && found == parameters_.end()) return {kUnknownCommand, "unknown query"};
    if (!index || *index < 0 || *index >= axes_) return {kBadArgument, "bad axis"};
    if (isPosition) return {0, formatNumber(position(*index, now))};
    return {0, formatNumber(found->second[*index])};
}

Answer Controller::assign(std::string_view name, std::optional<int> index, double value,
                          double now) {
    settle(now);
    if (!index || *index < 0 || *index >= axes_) return {kBadArgument, "bad axis"};
    if (name == "MPOS" || name == "DPOS") {
        if (run_) return {kBusy, "a program is running"};
        positions_[*index] = value;
        return {0, {}};
    }
    const auto found = parameters_.find(name);
    if (found == parameters_.end()) return {kUnknownCommand, "unknown parameter"};
    found->second[*index] = value;
    return {0, {}};
}

Answer Controller::command(std::string_view text, const ProgramStore& store, double now) {
    text = trim(text);
    std::string name;
    std::optional<int> index;
    bool badIndex = false;
    if (!text.empty() && text.front() == '?') {
        if (!splitName(text.substr(1), name, index, badIndex))
            return {kUnknownCommand, "unknown query"};
        if (badIndex) return {kBadArgument, "bad axis"};
        return query(name, index, now);
    }
    if (const size_t equals = text.find('='); equals != std::string_view::npos) {
        const auto value = number(text.substr(equals + 1));
        if (!splitName(text.substr(0, equals), name, index, badIndex)) {
            return {kUnknownCommand, "unknown command"};
        }
        if (badIndex || !value) return {kBadArgument, "bad value"};
        return assign(name, index, *value, now);
    }
    const std::string word = upper(text.substr(0, text.find(' ')));
    if (word == "STOP") {
        if (run_) {
            for (int axis = 0; axis < axes_; ++axis)
                positions_[axis] = position(axis, now);
            run_.reset();
        }
        return {0, {}};
    }
    if (word == "RUN") {
        std::string_view program = trim(text.substr(3));
        if (program.size() >= 2 && program.front() == '"' && program.back() == '"') {
            program = program.substr(1, program.size() - 2);
        }
        return run(program, store, now);
    }
    return {kUnknownCommand, "unknown command"};
}

}  // namespace varnix::daemon
