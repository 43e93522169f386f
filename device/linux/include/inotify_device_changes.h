// SPDX-License-Identifier: GPL-3.0-or-later
// Device changes on Linux from inotify on the device directory: hidraw nodes created, removed,
// or given new access rights (the seat's ACL arrives after the node). inotify works where a
// udev monitor cannot: in containers and in a system without udevd.
#pragma once

#include "device_changes.h"

#include <filesystem>
#include <string>

namespace tamo::device {

class InotifyDeviceChanges : public DeviceChangeSource {
public:
    explicit InotifyDeviceChanges(const std::filesystem::path &devRoot);
    ~InotifyDeviceChanges() override;
    InotifyDeviceChanges(const InotifyDeviceChanges &) = delete;
    InotifyDeviceChanges &operator=(const InotifyDeviceChanges &) = delete;

    // Without a watch (no inotify, too many watches) every answer is yes.
    bool changedSinceLastAsked() override;
    // Compares each hidraw node's identity, mode, owner and change time with what they were
    // when last asked: a few stat calls, where a scan opens and asks every device.
    bool changedOnDirectLook() override;

private:
    std::string nodesFingerprint() const;

    std::filesystem::path devRoot_;
    int fd_ = -1;
    bool first_ = true;
    std::string fingerprint_;
};

} // namespace tamo::device
