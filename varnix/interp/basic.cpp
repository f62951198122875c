// The Basic reader: BASE selects the axes that moves name, MOVE_PARA sets speeds, and the linear,
// circular and helical moves in their absolute and relative forms.
#include <algorithm>
#include <functional>
#include <map>

#include "interp/readers.h"
#include "interp/text.h"

namespace varnix::interp {
namespace {

const char* const kMotionCommands[] = {"BASE",     "MOVE_PARA",   "MOVEABS",  "MOVE", "MOVECIRCABS",
                                       "MOVECIRC", "MHELICALABS", "MHELICAL", "MPOS", "DPOS"};

bool isMotionCommand(const std::string& name) {
    return std::find(std::begin(kMotionCommands), std::end(kMotionCommands), name) !=
           std::end(kMotionCommands);
}

// "NAME(args) = value" taken apart; the value is empty when there is no assignment.
struct Statement {
    std::string name;
    std::vector<std::string_view> arguments;
    std::string_view value;
    bool assignment = false;
};

std::optional<Statement> parseStatement(std::string_view text, std::string& problem) {
    Statement statement;
    const std::string_view identifier = leadingIdentifier(text);
    statement.name = upperCase(identifier);
    std::string_view rest = trim(text.substr(identifier.size()));
    if (rest.empty() || rest.front() != '(') {
        problem = "expected ( after " + statement.name;
        return std::nullopt;
    }
    const size_t close = rest.find(')');
    if (close == std::string_view::npos || rest.find('(', 1) < close) {
        problem = "unbalanced parentheses";
        return std::nullopt;
    }
    statement.arguments = splitArguments(rest.substr(1, close - 1));
    rest = trim(rest.substr(close + 1));
    if (!rest.empty()) {
        if (rest.front() != '=') {
            problem = "unexpected text after )";
            return std::nullopt;
        }
        statement.assignment = true;
        statement.value = trim(rest.substr(1));
    }
    return statement;
}

class BasicReader : public LineReader {
  public:
    LineOutcome read(std::string_view line, int number, Machine& machine) override {
        std::string_view text = trim(line.substr(0, line.find('\'')));
        if (text.empty()) return {};
        const std::string name = upperCase(leadingIdentifier(text));
        if (name.empty() && !actionStart(text.front())) {
            return error("malformed line: " + std::string(text));
        }
        if (!isMotionCommand(name)) {
            // Misspelt motion commands must not pass for action texts.
            if (name.rfind("MOVE", 0) == 0 || name.rfind("MHELICAL", 0) == 0 ||
                name.rfind("BASE", 0) == 0) {
                return error("unknown command " + name);
            }
            return {LineOutcome::kWarning, "action passed over: " + std::string(text)};
        }
        std::string problem;
        const auto statement = parseStatement(text, problem);
        if (!statement) return error(problem);
        if (base_.empty()) {
            for (int axis = 0; axis < std::min(machine.options().axisCount, 4); ++axis) {
                base_.push_back(axis);
            }
        }
        if (const auto failure = execute(*statement, number, machine)) return error(*failure);
        return {};
    }

  private:
    static LineOutcome error(std::string message) {
        return {LineOutcome::kError, std::move(message)};
    }

    std::optional<std::string> numbers(const Statement& s, size_t least, size_t most,
                                       std::vector<double>& values) const {
        if (s.assignment) return s.name + " takes no assignment";
        if (s.arguments.size() < least || s.arguments.size() > most) {
            return s.name + " takes " + std::to_string(least) +
                   (least == most ? "" : " to " + std::to_string(most)) + " arguments";
        }
        for (const std::string_view argument : s.arguments) {
            const auto value = parseNumber(argument);
            if (!value) return "bad number " + std::string(argument) + " in " + s.name;
            values.push_back(*value);
        }
        return std::nullopt;
    }

    std::optional<int> axisNumber(double value, const Machine& machine) const {
        if (value != static_cast<int>(value) || value < 0 || value >= machine.options().axisCount) {
            return std::nullopt;
        }
        return static_cast<int>(value);
    }

    double speed() const {
        const auto found = speeds_.find(base_.front());
        return found == speeds_.end() ? 0.0 : found->second;
    }
    bool travel() const {
        const auto& travelSpeed = options_->travelSpeed;
        return travelSpeed && std::fabs(speed() - *travelSpeed) < 1e-9;
    }

    std::optional<std::string> execute(const Statement& s, int number, Machine& machine) {
        options_ = &machine.options();
        std::vector<double> v;
        if (s.name == "BASE") return selectBase(s, machine);
        if (s.name == "MOVE_PARA") return moveParameter(s, machine);
        if (s.name == "MPOS" || s.name == "DPOS") {
            if (s.arguments.size() != 1 || !s.assignment) return s.name + "(axis) = value expected";
            const auto axis = parseNumber(s.arguments.front());
            const auto value = parseNumber(s.value);
            const auto index = axis ? axisNumber(*axis, machine) : std::nullopt;
            if (!index || !value) return "bad axis or value in " + s.name;
            machine.position()[*index] = *value;
            return std::nullopt;
        }
        const bool absolute = s.name.ends_with("ABS");
        std::vector<double> target = machine.position();
        if (s.name == "MOVE" || s.name == "MOVEABS") {
            if (auto failure = numbers(s, 1, base_.size(), v)) return failure;
            for (size_t i = 0; i < v.size(); ++i) {
                target[base_[i]] = absolute ? v[i] : target[base_[i]] + v[i];
            }
            return machine.line(target, travel(), speed(), number);
        }
        const bool helical = s.name.starts_with("MHELICAL");
        if (auto failure = numbers(s, helical ? 6 : 5, helical ? 7 : 5, v)) return failure;
        if (base_.size() < (helical ? 3u : 2u)) return s.name + " needs more BASE axes";
        if (v[4] != 0 && v[4] != 1) return "direction of " + s.name + " must be 0 or 1";
        if (helical && v.size() == 7 && v[6] != 0 && v[6] != 1) return "mode must be 0 or 1";
        const std::vector<double>& from = machine.position();
        ArcMove arc;
        arc.axisA = base_[0];
        arc.axisB = base_[1];
        arc.endA = absolute ? v[0] : from[arc.axisA] + v[0];
        arc.endB = absolute ? v[1] : from[arc.axisB] + v[1];
        arc.centreA = absolute ? v[2] : from[arc.axisA] + v[2];
        arc.centreB = absolute ? v[3] : from[arc.axisB] + v[3];
        arc.clockwise = v[4] == 1;
        target[arc.axisA] = arc.endA;
        target[arc.axisB] = arc.endB;
        if (helical) target[base_[2]] = absolute ? v[5] : from[base_[2]] + v[5];
        arc.target = target;
        arc.planarLength = helical && v.size() == 7 && v[6] == 1;
        return machine.arc(arc, travel(), speed(), number);
    }

    std::optional<std::string> selectBase(const Statement& s, const Machine& machine) {
        std::vector<double> v;
        if (auto failure = numbers(s, 1, static_cast<size_t>(machine.options().axisCount), v)) {
            return failure;
        }
        std::vector<int> axes;
        for (const double value : v) {
            const auto axis = axisNumber(value, machine);
            if (!axis) return "bad axis number in BASE";
            if (std::find(axes.begin(), axes.end(), *axis) != axes.end())
                return "axis named twice in BASE";
            axes.push_back(*axis);
        }
        base_ = axes;
        return std::nullopt;
    }

    std::optional<std::string> moveParameter(const Statement& s, const Machine& machine) {
        if (s.assignment || s.arguments.size() != 3) return "MOVE_PARA(name, axis, value) expected";
        const std::string parameter = upperCase(s.arguments[0]);
        const auto axisValue = parseNumber(s.arguments[1]);
        const auto value = parseNumber(s.arguments[2]);
        const auto axis = axisValue ? axisNumber(*axisValue, machine) : std::nullopt;
        if (!axis || !value) return "bad axis or value in MOVE_PARA";
        if (parameter == "SPEED") {
            if (*value < 0) return "negative speed";
            speeds_[*axis] = *value;
        } else if (parameter != "ACCEL" && parameter != "DECEL") {
            return "unknown MOVE_PARA parameter " + parameter;
        }
        // Ramps shape the motion in time only; the tool path does not depend on them.
        return std::nullopt;
    }

    std::vector<int> base_;
    std::map<int, double> speeds_;
    const Options* options_ = nullptr;
};

}  // namespace

bool looksLikeBasic(std::string_view line) {
    const std::string name = upperCase(leadingIdentifier(trim(line)));
    return !name.empty() && isMotionCommand(name) && trim(line).find('(') != std::string_view::npos;
}

std::unique_ptr<LineReader> makeBasicReader() {
    return std::make_unique<BasicReader>();
}

}  // namespace varnix::interp
