// SPDX-License-Identifier: GPL-3.0-or-later
// What sysfs tells about one hidraw node: the HID device's uevent fields and, for a board on
// USB, the USB device above it. Takes the sysfs root as a path so that a test can build a
// tree of its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamo::device {

using UeventFields = std::map<std::string, std::string, std::less<>>;

// KEY=VALUE lines; the value runs from the first '=' to the end of the line. Lines without
// '=' or with an empty key are ignored; a repeated key keeps its last value.
UeventFields ParseUevent(std::string_view text);

// A sysfs attribute's text without its trailing newline; nothing when it cannot be read.
// Reads at most 64 KiB, more than any sysfs attribute holds.
std::optional<std::string> ReadSysfsAttribute(const std::filesystem::path &file);

struct UsbParent {
    std::filesystem::path directory;
    std::uint16_t vendorId = 0;
    std::uint16_t bcdDevice = 0;
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::optional<std::string> serial;
    std::optional<int> busnum;
    std::optional<int> devnum;
};

// Walks up from start to the first directory with idVendor and bcdDevice (the USB device,
// above its interface), never above sysfsRoot. Devices made through uhid or on Bluetooth
// have none.
std::optional<UsbParent> FindUsbParent(const std::filesystem::path &start,
                                       const std::filesystem::path &sysfsRoot);

struct HidrawSysfs {
    UeventFields hidUevent; // of the HID device the node belongs to
    std::optional<UsbParent> usb;
};

// nodeName is "hidrawN"; a node that has vanished gives empty fields and no USB parent.
HidrawSysfs ReadHidrawSysfs(const std::filesystem::path &sysfsRoot, std::string_view nodeName);

// The identity strings as UTF-8: from the USB device where there is one, otherwise from the
// HID device's uevent (HID_NAME, HID_UNIQ), which has no manufacturer. Empty texts count as
// missing.
std::optional<std::string> ManufacturerOf(const HidrawSysfs &device);
std::optional<std::string> ProductOf(const HidrawSysfs &device);
std::optional<std::string> SerialOf(const HidrawSysfs &device);

// The node names under <sysfsRoot>/class/hidraw, "hidrawN" only, in increasing N. A missing
// directory (no hidraw support loaded) is an empty list; other failures set error.
std::vector<std::string> ListHidrawNodes(const std::filesystem::path &sysfsRoot,
                                         std::string &error);

} // namespace tamo::device
