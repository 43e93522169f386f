// Everything the tool knows about the one open board, and the handles it talks to it through.
#pragma once

#include "hid_platform.h"
#include "poll_timer.h"

#include <string>

namespace tamo::device {

struct BoardConnection {
    HIDP_CAPS Capabilities;
    HIDD_ATTRIBUTES Attributes;
    std::string DevicePath;
    // Created once, never closed while the window exists.
    PlatformHandle ReadEvent;
    PlatformHandle FeatureHandle;
    OVERLAPPED ReadOverlapped;
    // True exactly while FeatureHandle and ReadHandle are open on DevicePath.
    bool DeviceFound = false;
    PlatformHandle ReadHandle;
    PlatformResult LastResult;
    SECURITY_ATTRIBUTES SecurityAttributes;
    // The settings lists show the board's values, so user changes may be sent.
    bool ViewReady = false;
    // SerNo holds a complete list.
    bool ListReady = false;
};

// Creates ReadEvent on first use and points ReadOverlapped at it.
void CreateReadEvent(HidPlatform &platform, BoardConnection &connection);

// Closes both handles of the open board. Callers close only while DeviceFound is true, and
// DeviceFound goes false first, so a connection is never closed twice.
void CloseConnection(HidPlatform &platform, BoardConnection &connection, PollTimer &timer);

} // namespace tamo::device
