// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the tool knows about the one open board, and the handles it talks to it through.
#pragma once

#include "debug_log.h"
#include "hid_platform.h"

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
};

// Creates ReadEvent on first use and points ReadOverlapped at it.
void CreateReadEvent(HidPlatform &platform, BoardConnection &connection);

// Stores a call's result in LastResult and passes a failure, with its reason, to the debug log
// under source. Every platform call on the connection goes through here.
void RecordResult(BoardConnection &connection, PlatformResult result,
                  LogSource source = LogSource::BoardIo);

// Closes both handles of the open board. Callers close only while DeviceFound is true, and
// DeviceFound goes false first, so a connection is never closed twice. The caller sets its poll
// timer to the reconnect interval.
void CloseConnection(HidPlatform &platform, BoardConnection &connection);

} // namespace tamo::device
