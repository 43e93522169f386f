// SPDX-License-Identifier: GPL-3.0-or-later
// Device changes on Windows from the configuration manager's notifications for the HID
// interface class: arrivals and removals, delivered on a system thread, kept as a flag.
#pragma once

#include "device_changes.h"

#include <atomic>
#include <memory>

namespace tamo::device {

class WindowsDeviceChanges : public DeviceChangeSource {
public:
    WindowsDeviceChanges();
    ~WindowsDeviceChanges() override;
    WindowsDeviceChanges(const WindowsDeviceChanges &) = delete;
    WindowsDeviceChanges &operator=(const WindowsDeviceChanges &) = delete;

    // Without a registration (before Windows 8, or refused) every answer is yes.
    bool changedSinceLastAsked() override;

    // Called by the notification callback.
    void markChanged() { changed_.store(true); }

private:
    std::atomic<bool> changed_{true};
    void *registration_ = nullptr;
};

} // namespace tamo::device
