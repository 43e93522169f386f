// SPDX-License-Identifier: GPL-3.0-or-later
// Boards of the family whose device node is there but cannot be opened, with the reason and
// the fix. Discovery skips such nodes as if absent (it cannot even read their serial number);
// a front end that lists boards tells the user about them instead of showing nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamo::device {

struct InaccessibleBoard {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::optional<std::uint16_t> versionNumber;
    // As the system knows them without opening the node (UTF-8); missing when it does not.
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::optional<std::string> serialNumber;
    // The failing call and the system's reason, e.g. "open(/dev/hidraw3): Permission denied".
    std::string reason;
    // What lets the user open it; empty when there is nothing the user can do.
    std::string fix;
};

// The fix for a node that refuses the user while no rule of ours is installed: the commands of
// the README's Permissions section.
inline constexpr std::string_view INSTALL_UDEV_RULE_FIX =
    "install the udev rule that gives the user at the seat access (see the README, "
    "Permissions): sudo cp build/packaging/70-tamo.rules /etc/udev/rules.d/ && sudo "
    "udevadm control --reload && sudo udevadm trigger";

// Recognised by vendor and product ID alone: the marker in string 42 needs an open node, so a
// board known only by its marker is not found here. Empty where the system lets every user
// open every HID device (Windows).
std::vector<InaccessibleBoard> FindInaccessibleBoards();

// The hidraw form, with roots a test can stand up; only on Linux.
std::vector<InaccessibleBoard> FindInaccessibleBoards(const std::filesystem::path &sysfsRoot,
                                                      const std::filesystem::path &devRoot,
                                                      const std::filesystem::path &udevRulesDir);

} // namespace tamo::device
