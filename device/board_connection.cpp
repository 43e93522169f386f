// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_connection.h"

#include <utility>

namespace tamo::device {

void RecordResult(BoardConnection &connection, PlatformResult result, LogSource source)
{
    if (!result.ok)
        DebugLog(source, result.error.empty() ? "a platform call failed with no reason given"
                                              : std::string_view(result.error));
    connection.LastResult = std::move(result);
}

void CreateReadEvent(HidPlatform &platform, BoardConnection &connection)
{
    if (!connection.ReadEvent.valid()) {
        PlatformHandle event;
        RecordResult(connection,
                     platform.CreateEventA(&connection.SecurityAttributes, true, true, "", event),
                     LogSource::Discovery);
        if (connection.LastResult)
            connection.ReadEvent = event;
    }
    connection.ReadOverlapped.Offset = 0;
    connection.ReadOverlapped.OffsetHigh = 0;
    connection.ReadOverlapped.hEvent = connection.ReadEvent;
}

void CloseConnection(HidPlatform &platform, BoardConnection &connection)
{
    connection.DeviceFound = false;
    RecordResult(connection, platform.CloseHandle(connection.FeatureHandle));
    RecordResult(connection, platform.CloseHandle(connection.ReadHandle));
    connection.FeatureHandle = {};
    connection.ReadHandle = {};
}

} // namespace tamo::device
