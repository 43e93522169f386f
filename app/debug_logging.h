// Debug logging: what the layers below report goes to Qt's categorized logging, silent unless
// asked for (QT_LOGGING_RULES="tamo.*.debug=true").
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcTamoDevice)

namespace tamo::app {

// Routes the device layer's debug log into the "tamo.device" category.
void InstallDebugLogging();

} // namespace tamo::app
