// SPDX-License-Identifier: GPL-3.0-or-later
// Debug logging: what the layers below report goes to Qt's categorized logging, one category
// per source so that a log says whose fault it is; silent unless asked for
// (QT_LOGGING_RULES="tamo.*.debug=true").
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcTamoBoard)
Q_DECLARE_LOGGING_CATEGORY(lcTamoDiscovery)
Q_DECLARE_LOGGING_CATEGORY(lcTamoWindow)

namespace tamo::app {

// Routes the device layer's debug log into "tamo.board" (transfers with a board),
// "tamo.discovery" (the search for boards) and "tamo.window" (the window's steps).
void InstallDebugLogging();

} // namespace tamo::app
