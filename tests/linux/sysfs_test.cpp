// SPDX-License-Identifier: GPL-3.0-or-later
#include "linux_sysfs.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

using namespace tamo::device;
using tamo::test::FakeSysfs;
using tamo::test::TempTree;

namespace {

constexpr std::string_view USB_BOARD = "idVendor=1209\n"
                                       "idProduct=a7e0\n"
                                       "bcdDevice=0104\n"
                                       "manufacturer=Velbrin\n"
                                       "product=Tamo 32\n"
                                       "serial=TB-000123\n"
                                       "busnum=3\n"
                                       "devnum=17";

constexpr std::string_view USB_HID_UEVENT = "DRIVER=hid-generic\n"
                                            "HID_ID=0003:00001209:0000A7E0\n"
                                            "HID_NAME=Velbrin Tamo 32\n"
                                            "HID_PHYS=usb-0000:00:14.0-2/input0\n"
                                            "HID_UNIQ=TB-000123\n";

constexpr std::string_view UHID_UEVENT = "HID_ID=0003:00001209:0000A7E1\n"
                                         "HID_NAME=Virtual Tamo\n"
                                         "HID_PHYS=\n"
                                         "HID_UNIQ=VT-7\n";

} // namespace

TEST(Uevent, ParsesKernelTextAndToleratesOddLines)
{
    const auto fields = ParseUevent("HID_ID=0003:00001209:0000A7E0\n"
                                    "HID_NAME=A=B name\n" // value keeps later '='
                                    "no equals sign here\n"
                                    "=value without key\n"
                                    "HID_PHYS=\n"
                                    "\n"
                                    "HID_UNIQ=first\n"
                                    "HID_UNIQ=last"); // repeated, and no final newline
    EXPECT_EQ(fields.at("HID_ID"), "0003:00001209:0000A7E0");
    EXPECT_EQ(fields.at("HID_NAME"), "A=B name");
    EXPECT_EQ(fields.at("HID_PHYS"), "");
    EXPECT_EQ(fields.at("HID_UNIQ"), "last");
    EXPECT_EQ(fields.size(), 4u);
    EXPECT_TRUE(ParseUevent("").empty());
    EXPECT_TRUE(ParseUevent("\n\n=\n").empty());
}

TEST(Sysfs, UsbBoardTakesIdentityFromTheUsbDevice)
{
    TempTree tree;
    FakeSysfs sysfs(tree);
    sysfs.addUsbNode("hidraw2", "1-2", USB_BOARD, USB_HID_UEVENT);

    const HidrawSysfs device = ReadHidrawSysfs(sysfs.root(), "hidraw2");
    ASSERT_TRUE(device.usb);
    EXPECT_EQ(device.usb->directory.filename(), "1-2"); // the device, not its interface
    EXPECT_EQ(device.usb->vendorId, 0x1209);
    EXPECT_EQ(device.usb->bcdDevice, 0x0104);
    EXPECT_EQ(device.usb->busnum, 3);
    EXPECT_EQ(device.usb->devnum, 17);
    EXPECT_EQ(ManufacturerOf(device), "Velbrin");
    EXPECT_EQ(ProductOf(device), "Tamo 32"); // not HID_NAME, which joins both strings
    EXPECT_EQ(SerialOf(device), "TB-000123");
    EXPECT_EQ(device.hidUevent.at("HID_ID"), "0003:00001209:0000A7E0");
}

TEST(Sysfs, UsbDeviceWithoutStringsHasNoneAndNoUeventFallback)
{
    TempTree tree;
    FakeSysfs sysfs(tree);
    sysfs.addUsbNode("hidraw0", "1-4", "idVendor=1209\nbcdDevice=0200\nproduct=\n", USB_HID_UEVENT);
    const HidrawSysfs device = ReadHidrawSysfs(sysfs.root(), "hidraw0");
    ASSERT_TRUE(device.usb);
    EXPECT_FALSE(ManufacturerOf(device));
    EXPECT_FALSE(ProductOf(device)); // empty counts as missing
    EXPECT_FALSE(SerialOf(device));
}

TEST(Sysfs, UhidBoardTakesIdentityFromTheUevent)
{
    TempTree tree;
    FakeSysfs sysfs(tree);
    sysfs.addUhidNode("hidraw10", "0003:1209:A7E1.0002", UHID_UEVENT);
    // An idVendor above the sysfs root must not be mistaken for a USB parent.
    tree.file("idVendor", "1209\n");
    tree.file("bcdDevice", "0100\n");

    const HidrawSysfs device = ReadHidrawSysfs(sysfs.root(), "hidraw10");
    EXPECT_FALSE(device.usb);
    EXPECT_FALSE(ManufacturerOf(device));
    EXPECT_EQ(ProductOf(device), "Virtual Tamo");
    EXPECT_EQ(SerialOf(device), "VT-7");
}

TEST(Sysfs, UhidBoardWithEmptyOrMissingFieldsHasNoStrings)
{
    TempTree tree;
    FakeSysfs sysfs(tree);
    sysfs.addUhidNode("hidraw1", "0003:1209:A7E1.0003", "HID_NAME=\nHID_PHYS=x");
    const HidrawSysfs device = ReadHidrawSysfs(sysfs.root(), "hidraw1");
    EXPECT_FALSE(ProductOf(device));
    EXPECT_FALSE(SerialOf(device));
}

TEST(Sysfs, MalformedUsbNumbersAreNotAUsbParent)
{
    TempTree tree;
    FakeSysfs sysfs(tree);
    sysfs.addUsbNode("hidraw3", "1-1", "idVendor=12x9\nbcdDevice=0100\nbusnum=one", USB_HID_UEVENT);
    EXPECT_FALSE(ReadHidrawSysfs(sysfs.root(), "hidraw3").usb);
}

TEST(Sysfs, ListsHidrawNodesInNumericOrder)
{
    TempTree tree;
    FakeSysfs sysfs(tree);
    for (const char *node : {"hidraw2", "hidraw10", "hidraw9", "hidraw0"})
        sysfs.addUhidNode(node, std::string("0003:1209:A7E1.") + node, UHID_UEVENT);
    tree.directory("sys/class/hidraw/hidraw");   // no number
    tree.directory("sys/class/hidraw/hidraw1a"); // not only digits
    tree.directory("sys/class/hidraw/rawhid3");  // other name
    tree.directory("sys/class/hidraw/hidraw-4"); // sign

    std::string error;
    const auto nodes = ListHidrawNodes(sysfs.root(), error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(nodes, (std::vector<std::string>{"hidraw0", "hidraw2", "hidraw9", "hidraw10"}));
}

TEST(Sysfs, MissingHidrawClassIsAnEmptyList)
{
    TempTree tree;
    std::string error = "stale";
    EXPECT_TRUE(ListHidrawNodes(tree.root() / "sys", error).empty());
    EXPECT_EQ(error, "");
}

TEST(Sysfs, UnreadableHidrawClassIsAnError)
{
    TempTree tree;
    tree.file("sys/class/hidraw", "a file, not a directory");
    std::string error;
    EXPECT_TRUE(ListHidrawNodes(tree.root() / "sys", error).empty());
    EXPECT_NE(error.find("opendir("), std::string::npos) << error;
    EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
}

TEST(Sysfs, AttributeLosesOnlyItsFinalNewline)
{
    TempTree tree;
    tree.file("a", "two\nlines\n\n");
    tree.file("b", "");
    EXPECT_EQ(ReadSysfsAttribute(tree.root() / "a"), "two\nlines\n");
    EXPECT_EQ(ReadSysfsAttribute(tree.root() / "b"), "");
    EXPECT_FALSE(ReadSysfsAttribute(tree.root() / "missing"));
}
