// SPDX-License-Identifier: GPL-3.0-or-later
#include "debug_logging.h"

#include "debug_log.h"

Q_LOGGING_CATEGORY(lcTamoBoard, "tamo.board", QtInfoMsg)
Q_LOGGING_CATEGORY(lcTamoDiscovery, "tamo.discovery", QtInfoMsg)
Q_LOGGING_CATEGORY(lcTamoWindow, "tamo.window", QtInfoMsg)

namespace tamo::app {

namespace {

const QLoggingCategory &CategoryOf(device::LogSource source)
{
    switch (source) {
    case device::LogSource::BoardIo:
        return lcTamoBoard();
    case device::LogSource::Discovery:
        return lcTamoDiscovery();
    case device::LogSource::Window:
        break;
    }
    return lcTamoWindow();
}

} // namespace

void InstallDebugLogging()
{
    device::SetSourcedDebugLogSink([](device::LogSource source, std::string_view message) {
        qCDebug(CategoryOf(source)).noquote()
            << QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    });
}

} // namespace tamo::app
