// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the set of HID interfaces, or the access to them, may have changed: the one question
// a tool waiting for a board asks, so that it scans only when the answer can differ.
#pragma once

#include <memory>

namespace tamo::device {

class DeviceChangeSource {
public:
    virtual ~DeviceChangeSource() = default;
    // True when an interface came, went or changed its access since the previous call; the
    // first call is always true. Never blocks.
    virtual bool changedSinceLastAsked() = 0;
    // The safety net's question, asked when no notification came for a while: a direct look
    // at the interfaces that does not trust the notifications. Yes, and so a full scan, unless
    // the platform can look more cheaply than a scan.
    virtual bool changedOnDirectLook() { return true; }
};

// For a platform that cannot tell: every question is answered yes, so every poll scans.
class AlwaysChanged : public DeviceChangeSource {
public:
    bool changedSinceLastAsked() override { return true; }
};

} // namespace tamo::device
