// Debug logging: what the layers below report goes to Qt's categorized logging, one category
// per source, silent unless asked for (QT_LOGGING_RULES="tamo.*.debug=true").
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcTamoDevice)
Q_DECLARE_LOGGING_CATEGORY(lcTamoBoard)
Q_DECLARE_LOGGING_CATEGORY(lcTamoDiscovery)
Q_DECLARE_LOGGING_CATEGORY(lcTamoWindow)

namespace tamo::app {

// Routes the device layer's debug log into "tamo.device" (the platform backend's own notes),
// "tamo.board" (transfers with the open board), "tamo.discovery" and "tamo.window".
void InstallDebugLogging();

} // namespace tamo::app
