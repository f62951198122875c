// The toolbar's 32 x 32 icons, drawn at run time so that they stay sharp at every display scale.
#pragma once

#include <QIcon>

namespace pathloom::app {

QIcon toolbarIcon(int command);

}  // namespace pathloom::app
