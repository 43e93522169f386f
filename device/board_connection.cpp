#include "board_connection.h"

namespace tamo::device {

void CreateReadEvent(HidPlatform &platform, BoardConnection &connection)
{
    if (!connection.ReadEvent.valid()) {
        PlatformHandle event;
        connection.LastResult =
            platform.CreateEventA(&connection.SecurityAttributes, true, true, "", event);
        if (connection.LastResult)
            connection.ReadEvent = event;
    }
    connection.ReadOverlapped.Offset = 0;
    connection.ReadOverlapped.OffsetHigh = 0;
    connection.ReadOverlapped.hEvent = connection.ReadEvent;
}

void CloseConnection(HidPlatform &platform, BoardConnection &connection, PollTimer &timer)
{
    connection.DeviceFound = false;
    connection.LastResult = platform.CloseHandle(connection.FeatureHandle);
    connection.LastResult = platform.CloseHandle(connection.ReadHandle);
    connection.FeatureHandle = {};
    connection.ReadHandle = {};
    timer.setInterval(RECONNECT_INTERVAL_MS);
    connection.ViewReady = false;
}

} // namespace tamo::device
