// SPDX-License-Identifier: GPL-3.0-or-later
// Device changes from inotify, over a device directory of our own.
#include "inotify_device_changes.h"
#include "temp_tree.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tamo::test {

namespace fs = std::filesystem;
using device::InotifyDeviceChanges;

TEST(InotifyDeviceChanges, HidrawNodesThatComeGoOrChangeAccessAreTold)
{
    TempTree dev;
    dev.file("tty5", "");
    InotifyDeviceChanges changes(dev.root());
    EXPECT_TRUE(changes.changedSinceLastAsked()) << "the first question is always yes";
    EXPECT_FALSE(changes.changedSinceLastAsked());

    dev.file("tty6", "");
    EXPECT_FALSE(changes.changedSinceLastAsked()) << "not a HID node";
    dev.file("hidraw3", "");
    EXPECT_TRUE(changes.changedSinceLastAsked());
    EXPECT_FALSE(changes.changedSinceLastAsked()) << "told once";
    fs::permissions(dev.root() / "hidraw3", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(changes.changedSinceLastAsked()) << "access arrives after the node";
    fs::remove(dev.root() / "hidraw3");
    EXPECT_TRUE(changes.changedSinceLastAsked());
    EXPECT_FALSE(changes.changedSinceLastAsked());
}

TEST(InotifyDeviceChanges, TheDirectLookSeesWhatNotificationsMissed)
{
    TempTree dev;
    dev.file("hidraw0", "");
    InotifyDeviceChanges changes(dev.root());
    EXPECT_FALSE(changes.changedOnDirectLook()) << "nothing changed since it started";
    dev.file("hidraw1", "");
    fs::permissions(dev.root() / "hidraw0", fs::perms::owner_all);
    // The notifications are not asked for: the look alone must see both.
    EXPECT_TRUE(changes.changedOnDirectLook());
    EXPECT_FALSE(changes.changedOnDirectLook());
    dev.file("tty1", "");
    EXPECT_FALSE(changes.changedOnDirectLook());
    // After a question that said yes (a full pass follows), the look starts from there.
    fs::remove(dev.root() / "hidraw1");
    EXPECT_TRUE(changes.changedSinceLastAsked());
    EXPECT_FALSE(changes.changedOnDirectLook());
}

TEST(InotifyDeviceChanges, WithoutADirectoryEveryAnswerIsYes)
{
    InotifyDeviceChanges changes("/nonexistent/tamo-dev");
    EXPECT_TRUE(changes.changedSinceLastAsked());
    EXPECT_TRUE(changes.changedSinceLastAsked());
}

} // namespace tamo::test
