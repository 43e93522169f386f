// SPDX-License-Identifier: GPL-3.0-or-later
// Boards whose hidraw node is there but cannot be opened, found from sysfs without opening
// them, over a fake sysfs tree and device directory.
#include "inaccessible_boards.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tamo::test {

constexpr std::string_view USB_BOARD =
    "idVendor=1209\nbcdDevice=0109\nmanufacturer=Velbrin\nproduct=Tamo micro 32\nserial=S7\n";
constexpr std::string_view BOARD_UEVENT = "HID_ID=0003:00001209:0000A7E0\nHID_UNIQ=S7\n";

class InaccessibleBoards : public ::testing::Test {
protected:
    TempTree tree;
    FakeSysfs sysfs{tree};
    std::filesystem::path dev() const { return tree.root() / "dev"; }
    std::filesystem::path rules() const { return tree.root() / "rules.d"; }
    std::vector<device::InaccessibleBoard> Find() const
    {
        return device::FindInaccessibleBoards(sysfs.root(), dev(), rules());
    }
};

TEST_F(InaccessibleBoards, ABoardWhoseNodeCannotBeOpenedIsNamedWithItsIdentityAndReason)
{
    // No node in dev/: opening fails as a missing node does.
    sysfs.addUsbNode("hidraw2", "1-2", USB_BOARD, BOARD_UEVENT);
    const auto boards = Find();
    ASSERT_EQ(boards.size(), 1u);
    EXPECT_EQ(boards[0].path, (dev() / "hidraw2").string());
    EXPECT_EQ(boards[0].productId, 0xA7E0);
    EXPECT_EQ(boards[0].serialNumber, "S7");
    EXPECT_EQ(boards[0].product, "Tamo micro 32");
    EXPECT_EQ(boards[0].versionNumber, 0x0109);
    EXPECT_EQ(boards[0].reason,
              "open(" + (dev() / "hidraw2").string() + "): No such file or directory");
    // Nothing the user can change by a rule.
    EXPECT_EQ(boards[0].fix, "");
}

TEST_F(InaccessibleBoards, OpenableNodesAndOtherDevicesAreNotListed)
{
    sysfs.addUsbNode("hidraw0", "1-1", USB_BOARD, BOARD_UEVENT);
    tree.file("dev/hidraw0", "");
    sysfs.addUhidNode("hidraw1", "0003:046D:C077.0002", "HID_ID=0003:0000046D:0000C077\n");
    // Our vendor, but a product ID outside the family's range.
    sysfs.addUhidNode("hidraw3", "0003:1209:A7F6.0003", "HID_ID=0003:00001209:0000A7F6\n");
    sysfs.addUhidNode("hidraw4", "0003:1209:A7E1.0004", "HID_ID=garbage\n");
    EXPECT_TRUE(Find().empty());
}

TEST_F(InaccessibleBoards, APermissionRefusedSaysHowToInstallTheRule)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root opens every node; a refused permission needs another user";
    sysfs.addUsbNode("hidraw0", "1-1", USB_BOARD, BOARD_UEVENT);
    tree.file("dev/hidraw0", "");
    ::chmod((dev() / "hidraw0").c_str(), 0);
    auto boards = Find();
    ASSERT_EQ(boards.size(), 1u);
    EXPECT_NE(boards[0].fix.find("sudo cp build/packaging/70-tamo.rules /etc/udev/rules.d/"),
              std::string::npos);
    tree.file("rules.d/70-tamo.rules", "");
    boards = Find();
    ASSERT_EQ(boards.size(), 1u);
    EXPECT_NE(boards[0].fix.find("is installed"), std::string::npos);
}

} // namespace tamo::test
