// The canvas's scene as an SVG picture: the same layers, pens and order numbers as the desktop
// canvas paints (travel moves dashed), so a job can be looked at, and compared, without a window.
#pragma once

#include <string>

#include "core/canvas/scene.h"

namespace pathloom::canvas {

std::string sceneSvg(const Scene& scene);

}  // namespace pathloom::canvas
