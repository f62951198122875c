// The toolbar's icons: small SVG drawings (app/icons/) rendered at build time to 32 and 64 pixel
// images in the program's resources, so that they stay sharp on scaled displays.
#pragma once

#include <QIcon>

#include "app/commands.h"

namespace pathloom::app {

// The icon of a toolbar command; an empty icon for a command without one.
QIcon toolbarIcon(Command command);

}  // namespace pathloom::app
