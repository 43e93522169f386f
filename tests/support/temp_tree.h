// SPDX-License-Identifier: GPL-3.0-or-later
// A directory tree in a fresh temporary directory, removed with the object: fake sysfs
// trees and device nodes for the backend's tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tamo::test {

class TempTree {
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tamo-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
    }
    ~TempTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree &) = delete;
    TempTree &operator=(const TempTree &) = delete;

    const std::filesystem::path &root() const { return root_; }

    // Writes text to root/relative, making the directories on the way.
    void file(const std::filesystem::path &relative, std::string_view text) const
    {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    void directory(const std::filesystem::path &relative) const
    {
        std::filesystem::create_directories(root_ / relative);
    }
    // A relative symlink at root/link pointing to root/target, as sysfs makes them.
    void symlink(const std::filesystem::path &target, const std::filesystem::path &link) const
    {
        const auto linkPath = root_ / link;
        std::filesystem::create_directories(linkPath.parent_path());
        std::filesystem::create_directory_symlink(
            (root_ / target).lexically_relative(linkPath.parent_path()), linkPath);
    }

private:
    std::filesystem::path root_;
};

// A sysfs tree under root/sys with hidraw nodes laid out as the kernel does.
class FakeSysfs {
public:
    explicit FakeSysfs(const TempTree &tree)
        : tree_(tree)
    {}

    std::filesystem::path root() const { return tree_.root() / "sys"; }

    // A board on USB: the USB device (with attrs as given), one interface, the HID device
    // and its hidraw node. usbAttributes are "name=value" pairs, one a line.
    void addUsbNode(std::string_view node, std::string_view usbDevice,
                    std::string_view usbAttributes, std::string_view hidUevent) const
    {
        const std::filesystem::path usb =
            std::filesystem::path("sys/devices/pci0000:00/0000:00:14.0/usb1") / usbDevice;
        std::string_view rest = usbAttributes;
        while (!rest.empty()) {
            const auto newline = rest.find('\n');
            const std::string_view line = rest.substr(0, newline);
            rest = newline == std::string_view::npos ? "" : rest.substr(newline + 1);
            const auto equals = line.find('=');
            tree_.file(usb / line.substr(0, equals), std::string(line.substr(equals + 1)) + "\n");
        }
        const auto interface = usb / (std::string(usbDevice) + ":1.0");
        tree_.file(interface / "bInterfaceNumber", "00\n");
        addHidNode(node, interface / "0003:1209:A7E0.0001", hidUevent);
    }

    // A board made through uhid: no USB device anywhere above it.
    void addUhidNode(std::string_view node, std::string_view hidDevice,
                     std::string_view hidUevent) const
    {
        addHidNode(node, std::filesystem::path("sys/devices/virtual/misc/uhid") / hidDevice,
                   hidUevent);
    }

private:
    void addHidNode(std::string_view node, const std::filesystem::path &hid,
                    std::string_view hidUevent) const
    {
        tree_.file(hid / "uevent", hidUevent);
        const auto hidraw = hid / "hidraw" / node;
        tree_.file(hidraw / "uevent", "MAJOR=241\nDEVNAME=" + std::string(node) + "\n");
        tree_.symlink(hid, hidraw / "device");
        tree_.symlink(hidraw, std::filesystem::path("sys/class/hidraw") / node);
    }

    const TempTree &tree_;
};

} // namespace tamo::test
