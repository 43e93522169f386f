// Device changes on Linux from inotify on the device directory: hidraw nodes created, removed,
// or given new access rights (the seat's ACL arrives after the node). inotify works where a
// udev monitor cannot: in containers and in a system without udevd.
#pragma once

#include "device_changes.h"

#include <filesystem>

namespace tamo::device {

class InotifyDeviceChanges : public DeviceChangeSource {
public:
    explicit InotifyDeviceChanges(const std::filesystem::path &devRoot);
    ~InotifyDeviceChanges() override;
    InotifyDeviceChanges(const InotifyDeviceChanges &) = delete;
    InotifyDeviceChanges &operator=(const InotifyDeviceChanges &) = delete;

    // Without a watch (no inotify, too many watches) every answer is yes.
    bool changedSinceLastAsked() override;

private:
    int fd_ = -1;
    bool first_ = true;
};

} // namespace tamo::device
