// The design font and the window icon.
#pragma once

#include <QFont>
#include <QIcon>

namespace tamo::app {

// "MS Sans Serif" at 9.75 points where the machine has it (Debian's fonts-wine ships one),
// otherwise the nearest sans font at the same size.
QFont DesignFont();
QIcon AppIcon();

} // namespace tamo::app
