// SPDX-License-Identifier: GPL-3.0-or-later
// The backends of the emulated platform, each with a way to add a board: the virtual one, and
// on Linux the hidraw one over a temporary sysfs tree.
#pragma once

#include "enumerated_paths.h"
#include "utf16_buffer.h"
#include "virtual_platform.h"

#ifdef __linux__
#include "hid_linux.h"
#include "temp_tree.h"
#endif

#include <string>

namespace tamo::test {

class VirtualBackend {
public:
    device::HidPlatform &platform() { return platform_; }
    // A board of the family; serial and product are UTF-8. Returns its path.
    std::string addBoard(const std::string &serial, const std::string &product = "Tamo 32")
    {
        auto definition = sim::FamilyBoard(device::Utf8ToUtf16(serial));
        definition.product = device::Utf8ToUtf16(product);
        return platform_.path(platform_.addDevice(definition));
    }

private:
    sim::VirtualHidPlatform platform_{[] {
        return std::uint64_t{0};
    }};
};

#ifdef __linux__
// Boards made through uhid, whose strings come from the HID device's uevent; regular files
// stand in for their nodes.
class LinuxBackend {
public:
    device::HidPlatform &platform() { return platform_; }
    std::string addBoard(const std::string &serial, const std::string &product = "Tamo 32")
    {
        const std::string node = "hidraw" + std::to_string(nextNode_);
        sysfs_.addUhidNode(node, "0003:1209:A7E1.000" + std::to_string(nextNode_),
                           "HID_ID=0003:00001209:0000A7E1\nHID_NAME=" + product
                               + "\nHID_UNIQ=" + serial + "\n");
        ++nextNode_;
        tree_.file(std::filesystem::path("dev") / node, "");
        return (tree_.root() / "dev" / node).string();
    }

private:
    TempTree tree_;
    FakeSysfs sysfs_{tree_};
    device::LinuxHidPlatform platform_{sysfs_.root(), tree_.root() / "dev"};
    int nextNode_ = 2;
};
#endif

} // namespace tamo::test
