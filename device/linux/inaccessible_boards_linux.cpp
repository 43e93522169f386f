// SPDX-License-Identifier: GPL-3.0-or-later
#include "inaccessible_boards.h"

#include "board_identity.h"
#include "errno_text.h"
#include "linux_sysfs.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>

namespace tamo::device {

namespace {

namespace fs = std::filesystem;

// HID_ID is "BUS:VENDOR:PRODUCT" in hex, e.g. "0003:00001209:0000A7E0".
bool ParseHidId(const std::string &text, std::uint16_t &vendorId, std::uint16_t &productId)
{
    const std::size_t first = text.find(':');
    const std::size_t second = text.find(':', first == text.npos ? first : first + 1);
    if (first == text.npos || second == text.npos)
        return false;
    std::uint32_t vendor = 0;
    std::uint32_t product = 0;
    const char *begin = text.data();
    const auto v = std::from_chars(begin + first + 1, begin + second, vendor, 16);
    const auto p = std::from_chars(begin + second + 1, begin + text.size(), product, 16);
    if (v.ec != std::errc{} || p.ec != std::errc{} || v.ptr != begin + second
        || p.ptr != begin + text.size() || vendor > 0xFFFF || product > 0xFFFF)
        return false;
    vendorId = static_cast<std::uint16_t>(vendor);
    productId = static_cast<std::uint16_t>(product);
    return true;
}

std::string PermissionFix(const fs::path &udevRulesDir)
{
    std::error_code ignored;
    if (fs::exists(udevRulesDir / "70-tamo.rules", ignored))
        return "the udev rule 70-tamo.rules is installed but has not reached this node: unplug "
               "the board and plug it in again (or run: sudo udevadm trigger); you must be "
               "logged in at the seat";
    return std::string(INSTALL_UDEV_RULE_FIX);
}

} // namespace

std::vector<InaccessibleBoard> FindInaccessibleBoards(const fs::path &sysfsRoot,
                                                      const fs::path &devRoot,
                                                      const fs::path &udevRulesDir)
{
    std::vector<InaccessibleBoard> boards;
    std::string listError;
    for (const std::string &name : ListHidrawNodes(sysfsRoot, listError)) {
        const HidrawSysfs sysfs = ReadHidrawSysfs(sysfsRoot, name);
        const auto id = sysfs.hidUevent.find("HID_ID");
        InaccessibleBoard board;
        if (id == sysfs.hidUevent.end() || !ParseHidId(id->second, board.vendorId, board.productId))
            continue;
        if (board.vendorId != VENDOR_ID || board.productId < PID_FIRST
            || board.productId - PID_FIRST >= PID_COUNT)
            continue;
        board.path = (devRoot / name).string();
        const int fd = ::open(board.path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            continue;
        }
        const int error = errno;
        board.reason = ErrnoText("open(" + board.path + ")", error);
        if (error == EACCES || error == EPERM)
            board.fix = PermissionFix(udevRulesDir);
        if (sysfs.usb)
            board.versionNumber = sysfs.usb->bcdDevice;
        board.manufacturer = ManufacturerOf(sysfs);
        board.product = ProductOf(sysfs);
        board.serialNumber = SerialOf(sysfs);
        boards.push_back(std::move(board));
    }
    return boards;
}

std::vector<InaccessibleBoard> FindInaccessibleBoards()
{
    // A rule installed by a package lands in /usr/lib, one copied by hand in /etc; either
    // counts.
    std::error_code ignored;
    const fs::path rules = fs::exists("/etc/udev/rules.d/70-tamo.rules", ignored)
                               ? "/etc/udev/rules.d"
                               : "/usr/lib/udev/rules.d";
    return FindInaccessibleBoards("/sys", "/dev", rules);
}

} // namespace tamo::device
