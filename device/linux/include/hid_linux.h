// SPDX-License-Identifier: GPL-3.0-or-later
// The HID platform over Linux hidraw: enumeration from sysfs, feature reports and the
// descriptor through hidraw ioctls, identity strings from sysfs (or the USB device itself for
// indexed strings), and the descriptor parser in place of a HID parser service.
#pragma once

#include "emulated_hid_platform.h"

#include <filesystem>

namespace tamo::device {

class LinuxHidPlatform : public EmulatedHidPlatform {
public:
    // The roots are parameters so that a test can stand up a sysfs tree and device nodes
    // of its own; paths handed out are <devRoot>/hidrawN.
    explicit LinuxHidPlatform(std::filesystem::path sysfsRoot = "/sys",
                              std::filesystem::path devRoot = "/dev");

    // inotify on devRoot: hidraw nodes created, removed or given new access.
    std::unique_ptr<DeviceChangeSource> WatchDeviceChanges() override;

private:
    PlatformResult listNodes(std::vector<HidNode> &nodes) override;
    PlatformResult openNode(const std::string &path, std::uint32_t desiredAccess, bool overlapped,
                            std::unique_ptr<NodeFile> &file, int &device) override;
    PlatformResult closeNode(NodeFile &file) override;
    ReadResult readReports(NodeFile &file, std::span<std::uint8_t> buffer,
                           std::uint32_t &bytesRead) override;
    PlatformResult attributes(NodeFile &file, HIDD_ATTRIBUTES &attributes) override;
    PlatformResult string(NodeFile &file, HidStringKind kind, std::uint32_t stringIndex,
                          std::span<std::uint8_t> buffer) override;
    PlatformResult collection(NodeFile &file, HidCollectionCaps &collection) override;
    PlatformResult setFeature(NodeFile &file, std::span<const std::uint8_t> report) override;
    PlatformResult getFeature(NodeFile &file, std::span<std::uint8_t> report) override;
    // The hidraw node itself: readable with a report queued, hung up once the board is gone.
    InputWait inputWait(NodeFile &file) override;

    PlatformResult indexedString(NodeFile &file, std::uint32_t stringIndex,
                                 std::span<std::uint8_t> buffer);

    std::filesystem::path sysfsRoot_;
    std::filesystem::path devRoot_;
};

} // namespace tamo::device
