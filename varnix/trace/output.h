// The two renderings of a tool path that vxtrace prints.
#pragma once

#include <string>

#include "interp/interpreter.h"

namespace varnix::trace {

// "line,kind,speed,a0,a1,..." with a row for the start and each move; the columns run up to the
// highest axis the path ever moves.
std::string toCsv(const interp::ToolPath& path);
// An SVG picture of axes a and b (y up): cuts as solid lines, travels dashed.
std::string toSvg(const interp::ToolPath& path, int a, int b);

}  // namespace varnix::trace
