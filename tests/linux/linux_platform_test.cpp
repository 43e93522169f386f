// SPDX-License-Identifier: GPL-3.0-or-later
// What the hidraw backend does beyond the platform contract (tests/device): node order, the
// strings of USB and uhid boards, the kernel calls' errors, descriptors left open.
#include "debug_log.h"
#include "enumerated_paths.h"
#include "hid_linux.h"
#include "hid_string.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace tamo::device;
using tamo::test::FakeSysfs;
using tamo::test::TempTree;
namespace fs = std::filesystem;

namespace {

constexpr std::string_view USB_BOARD = "idVendor=1209\nidProduct=a7e0\nbcdDevice=0104\n"
                                       "manufacturer=Velbr\xC3\xADn\nproduct=Tamo 32\n"
                                       "serial=TB-000123\nbusnum=3\ndevnum=17";
constexpr std::string_view UHID_UEVENT = "HID_ID=0003:00001209:0000A7E1\nHID_NAME=Virtual Tamo\n"
                                         "HID_UNIQ=VT-7\n";

std::size_t OpenDescriptorCount()
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

class LinuxPlatform : public ::testing::Test {
protected:
    LinuxPlatform()
    {
        sysfs.addUsbNode("hidraw2", "1-2", USB_BOARD, "HID_NAME=Velbrin Tamo 32\n");
        sysfs.addUhidNode("hidraw10", "0003:1209:A7E1.0002", UHID_UEVENT);
        sysfs.addUhidNode("hidraw9", "0003:1209:A7E1.0003", UHID_UEVENT);
        // Regular files stand in for the nodes: they open, and every hidraw ioctl on them
        // fails, which is what the error paths need.
        for (const char *node : {"hidraw2", "hidraw9", "hidraw10"})
            tree.file(fs::path("dev") / node, "");
    }

    std::string devicePath(const char *node) const { return (tree.root() / "dev" / node).string(); }

    PlatformHandle open(const char *node, std::uint32_t flags = 0)
    {
        PlatformHandle handle;
        const auto result = platform.CreateFileA(devicePath(node), GENERIC_READ | GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_EXISTING, flags, handle);
        EXPECT_TRUE(result.ok) << result.error;
        EXPECT_TRUE(handle.valid());
        return handle;
    }

    std::vector<std::string> enumerate() { return tamo::test::EnumeratedPaths(platform); }

    TempTree tree;
    FakeSysfs sysfs{tree};
    LinuxHidPlatform platform{sysfs.root(), tree.root() / "dev"};
};

} // namespace

TEST_F(LinuxPlatform, EnumeratesNodesInNumericOrderWithTheirPaths)
{
    EXPECT_EQ(enumerate(), (std::vector<std::string>{devicePath("hidraw2"), devicePath("hidraw9"),
                                                     devicePath("hidraw10")}));
}

TEST_F(LinuxPlatform, OpenFailureGivesTheReasonAndIsLogged)
{
    std::vector<std::string> logged;
    SetDebugLogSink([&](std::string_view line) { logged.emplace_back(line); });
    PlatformHandle handle{77};
    const std::string missing = devicePath("hidraw4");
    const auto result = platform.CreateFileA(missing, GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                             OPEN_EXISTING, 0, handle);
    SetDebugLogSink({});
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(handle.valid());
    EXPECT_EQ(result.error, "open(" + missing + "): No such file or directory");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_NE(logged[0].find(missing), std::string::npos);
    EXPECT_NE(logged[0].find("No such file or directory"), std::string::npos);
}

TEST_F(LinuxPlatform, UsbBoardStringsComeFromItsUsbDevice)
{
    const PlatformHandle board = open("hidraw2");
    std::vector<std::uint8_t> buffer(STRING_REQUEST_BYTES, 0);
    ASSERT_TRUE(platform.HidD_GetManufacturerString(board, buffer).ok);
    EXPECT_EQ(
        std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 16),
        (std::vector<std::uint8_t>{'V', 0, 'e', 0, 'l', 0, 'b', 0, 'r', 0, 0xED, 0, 'n', 0, 0, 0}));
    ASSERT_TRUE(platform.HidD_GetProductString(board, buffer).ok);
    EXPECT_EQ(HidStringToText(buffer), "Tamo 32");
    ASSERT_TRUE(platform.HidD_GetSerialNumberString(board, buffer).ok);
    EXPECT_EQ(HidStringToText(buffer), "TB-000123");

    std::vector<std::uint8_t> tiny(1, 0xAB);
    const auto tooSmall = platform.HidD_GetSerialNumberString(board, tiny);
    EXPECT_FALSE(tooSmall.ok);
    EXPECT_EQ(tooSmall.error,
              "HidD_GetSerialNumberString(" + devicePath("hidraw2") + "): buffer too small");
    EXPECT_EQ(tiny[0], 0xAB);
}

TEST_F(LinuxPlatform, UhidBoardStringsComeFromItsUevent)
{
    const PlatformHandle board = open("hidraw10");
    std::vector<std::uint8_t> buffer(STRING_REQUEST_BYTES, 0);
    const auto manufacturer = platform.HidD_GetManufacturerString(board, buffer);
    EXPECT_FALSE(manufacturer.ok);
    EXPECT_EQ(manufacturer.error,
              "HidD_GetManufacturerString(" + devicePath("hidraw10") + "): no manufacturer string");
    ASSERT_TRUE(platform.HidD_GetProductString(board, buffer).ok);
    EXPECT_EQ(HidStringToText(buffer), "Virtual Tamo");
    ASSERT_TRUE(platform.HidD_GetSerialNumberString(board, buffer).ok);
    EXPECT_EQ(HidStringToText(buffer), "VT-7");

    const auto indexed = platform.HidD_GetIndexedString(board, 42, buffer);
    EXPECT_FALSE(indexed.ok);
    EXPECT_EQ(indexed.error,
              "HidD_GetIndexedString(" + devicePath("hidraw10") + "): not a USB device");
}

TEST_F(LinuxPlatform, IndexedStringGoesToTheUsbDeviceNode)
{
    const PlatformHandle board = open("hidraw2");
    std::vector<std::uint8_t> buffer(STRING_REQUEST_BYTES, 0);
    const std::string node = (tree.root() / "dev/bus/usb/003/017").string();
    EXPECT_EQ(platform.HidD_GetIndexedString(board, 42, buffer).error,
              "open(" + node + "): No such file or directory");
    tree.file("dev/bus/usb/003/017", "");
    EXPECT_EQ(platform.HidD_GetIndexedString(board, 42, buffer).error,
              "ioctl(USBDEVFS_CONTROL): Inappropriate ioctl for device");
    EXPECT_FALSE(platform.HidD_GetIndexedString(board, 256, buffer).ok);
    EXPECT_EQ(buffer, std::vector<std::uint8_t>(STRING_REQUEST_BYTES, 0));
}

TEST_F(LinuxPlatform, KernelCallsOnANonHidrawFileFailWithCallAndReason)
{
    const PlatformHandle file = open("hidraw9", FILE_FLAG_OVERLAPPED);
    const std::string notTty = "Inappropriate ioctl for device";
    HIDD_ATTRIBUTES attributes;
    EXPECT_EQ(platform.HidD_GetAttributes(file, attributes).error,
              "ioctl(HIDIOCGRAWINFO): " + notTty);
    PlatformHandle preparsed{5};
    EXPECT_EQ(platform.HidD_GetPreparsedData(file, preparsed).error,
              "ioctl(HIDIOCGRDESCSIZE): " + notTty);
    EXPECT_FALSE(preparsed.valid());
    std::vector<std::uint8_t> report(9, 0);
    EXPECT_EQ(platform.HidD_GetFeature(file, report).error, "ioctl(HIDIOCGFEATURE): " + notTty);
    EXPECT_EQ(platform.HidD_SetFeature(file, report).error, "ioctl(HIDIOCSFEATURE): " + notTty);
    EXPECT_FALSE(platform.HidD_SetFeature(file, std::span<const std::uint8_t>{}).ok);

    std::vector<std::uint8_t> buffer(1000);
    std::uint32_t bytesRead = 3;
    OVERLAPPED overlapped;
    const ReadResult read = platform.ReadFile(file, buffer, bytesRead, overlapped);
    EXPECT_EQ(read.outcome, ReadOutcome::Failed);
    EXPECT_EQ(read.error, "ioctl(HIDIOCGRDESCSIZE): " + notTty);
    EXPECT_EQ(bytesRead, 0u);
}

TEST(LinuxPlatformDescriptors, NothingIsLeftOpen)
{
    TempTree tree;
    FakeSysfs sysfs(tree);
    sysfs.addUsbNode("hidraw2", "1-2", USB_BOARD, "");
    sysfs.addUhidNode("hidraw3", "0003:1209:A7E1.0002", UHID_UEVENT);
    tree.file("dev/hidraw2", "");
    tree.file("dev/hidraw3", "");
    tree.file("dev/bus/usb/003/017", "");

    const std::size_t before = OpenDescriptorCount();
    {
        LinuxHidPlatform platform(sysfs.root(), tree.root() / "dev");
        std::vector<std::uint8_t> buffer(STRING_REQUEST_BYTES);
        PlatformHandle set;
        ASSERT_TRUE(platform.SetupDiGetClassDevsA(HID_INTERFACE_CLASS_GUID, 0x12, set).ok);
        for (const char *node : {"hidraw2", "hidraw3"}) {
            PlatformHandle file;
            ASSERT_TRUE(platform
                            .CreateFileA((tree.root() / "dev" / node).string(), 0xC0000000, 3,
                                         nullptr, OPEN_EXISTING, 0, file)
                            .ok);
            HIDD_ATTRIBUTES attributes;
            PlatformHandle preparsed;
            platform.HidD_GetAttributes(file, attributes);
            platform.HidD_GetIndexedString(file, 42, buffer);
            platform.HidD_GetSerialNumberString(file, buffer);
            platform.HidD_GetPreparsedData(file, preparsed);
            EXPECT_GT(OpenDescriptorCount(), before);
            platform.CloseHandle(file);
        }
        platform.SetupDiDestroyDeviceInfoList(set);
        EXPECT_EQ(OpenDescriptorCount(), before);

        // Handles the caller never closed go with the platform.
        PlatformHandle forgotten;
        platform.CreateFileA((tree.root() / "dev/hidraw2").string(), 0xC0000000, 3, nullptr,
                             OPEN_EXISTING, FILE_FLAG_OVERLAPPED, forgotten);
        EXPECT_EQ(OpenDescriptorCount(), before + 1);
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}
