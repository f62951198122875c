// The program interpreter: reads the G-code and the controller Basic that Pathloom writes and
// turns a program into its tool path, a list of straight moves with the positions of all axes.
// Arcs and helices are sampled so that no chord strays from the true curve by more than the
// tolerance. The simulator runs programs with it; tests use it to check what a program traces.
//
// G-code: G90/G91 (absolute/relative), G00 (travel), G01, G02 (clockwise), G03, with the words
// X Y Z (axes 0, 1, 2), U V W (always relative X Y Z), I J (arc centre relative to the arc's start,
// in both modes), K (ignored: arcs lie in the X-Y plane), F (speed, modal, in units per second
// like the Basic SPEED). Motion codes are modal.
// A G02/G03 whose end equals its start is a full circle; a Z change on an arc makes a helix.
//
// Basic: BASE(a, b, ...) selects the controller axes that the following moves name in order;
// MOVE_PARA(SPEED|ACCEL|DECEL, axis, value) sets the speed (the speed of the first BASE axis drives
// a move); MOVEABS/MOVE(v1, ...) move the first BASE axes to/by the values; MOVECIRCABS(ex, ey, cx,
// cy, dir) and MOVECIRC (end and centre relative to the start) run an arc on the first two BASE
// axes, dir 1 clockwise, 0 counter-clockwise; MHELICALABS(ex, ey, cx, cy, dir, t[, mode]) and
// MHELICAL(..., dt[, mode]) add the third BASE axis moving linearly to/by t. Mode 0 (default): the
// speed applies along the helix; mode 1: the speed applies to the arc in the plane and the third
// axis (a rotary one) follows. MPOS(n) = v and DPOS(n) = v set an axis position without motion.
//
// Lines the language does not move with (G-code M, S, T words and non-motion G codes; Basic
// statements other than the above, such as OP(1, ON) or DELAY(100)) are the operator's action
// texts: they are passed over with a warning. Comments (G-code "(...)" and ";", Basic "'") and
// empty lines are skipped. A malformed line or a misspelt motion command is an error naming its
// line number; interpretation stops there.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnix::interp {

enum class Dialect { Auto, GCode, Basic };

struct Options {
    Dialect dialect = Dialect::Auto;  // Auto: the first motion-related line decides
    double tolerance = 0.01;          // largest chord error of sampled arcs, clamped to >= 1e-6
    int axisCount = 16;  // positions tracked per move; Basic axis numbers must be below
    // Basic programs do not mark travels; moves made while this speed is in force count as
    // travels. G-code travels are the G00 moves.
    std::optional<double> travelSpeed;
    double rapidSpeed = 100.0;  // speed of G00 moves
};

struct Move {
    std::vector<double> to;  // positions of all axes at the end of the move
    bool travel = false;
    double speed = 0.0;   // speed in force, 0 when the program never set one
    double length = 0.0;  // the distance the speed applies to
    int line = 0;         // 1-based line of the command that made the move
};

struct Diagnostic {
    int line = 0;
    std::string message;
};

struct ToolPath {
    std::vector<double> start;  // positions before the first move
    std::vector<Move> moves;
};

struct Result {
    ToolPath path;
    std::vector<Diagnostic> warnings;
    std::optional<Diagnostic> error;  // set when interpretation stopped at a bad line
    bool ok() const { return !error.has_value(); }
};

// Interprets a whole program (LF or CR LF line ends). start gives initial axis positions
// (missing ones are 0).
Result interpret(std::string_view program, const Options& options,
                 std::span<const double> start = {});

// Seconds a move takes at its speed, or at fallbackSpeed when it has none.
double moveSeconds(const Move& move, double fallbackSpeed);

}  // namespace varnix::interp
