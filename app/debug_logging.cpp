#include "debug_logging.h"

#include "debug_log.h"

Q_LOGGING_CATEGORY(lcTamoDevice, "tamo.device", QtInfoMsg)

namespace tamo::app {

void InstallDebugLogging()
{
    device::SetDebugLogSink([](std::string_view message) {
        qCDebug(lcTamoDevice).noquote()
            << QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    });
}

} // namespace tamo::app
