// SPDX-License-Identifier: GPL-3.0-or-later
#include "usbdevfs_string.h"

#include "errno_text.h"
#include "usb_string_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tamo::device {

namespace {

constexpr std::uint8_t USB_DIR_IN_STANDARD_DEVICE = 0x80;
constexpr std::uint8_t USB_REQ_GET_DESCRIPTOR_CODE = 0x06;
constexpr std::uint16_t MAX_DESCRIPTOR_LENGTH = 255;
constexpr unsigned CONTROL_TIMEOUT_MS = 1000;

int GetStringDescriptor(int fd, std::uint8_t index, std::uint16_t language,
                        std::vector<std::uint8_t> &received)
{
    received.assign(MAX_DESCRIPTOR_LENGTH, 0);
    usbdevfs_ctrltransfer transfer{};
    transfer.bRequestType = USB_DIR_IN_STANDARD_DEVICE;
    transfer.bRequest = USB_REQ_GET_DESCRIPTOR_CODE;
    transfer.wValue = static_cast<std::uint16_t>((USB_DT_STRING_TYPE << 8) | index);
    transfer.wIndex = language;
    transfer.wLength = MAX_DESCRIPTOR_LENGTH;
    transfer.timeout = CONTROL_TIMEOUT_MS;
    transfer.data = received.data();
    int got = 0;
    do {
        got = ::ioctl(fd, USBDEVFS_CONTROL, &transfer);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        received.clear();
        return -errno;
    }
    received.resize(std::min<std::size_t>(static_cast<std::size_t>(got), received.size()));
    return got;
}

} // namespace

PlatformResult ReadUsbStringDescriptor(const std::string &usbNode, std::uint8_t index,
                                       std::vector<std::uint8_t> &received)
{
    received.clear();
    // usbdevfs refuses every ioctl on a read-only open (EPERM), so only read-write is tried;
    // the udev rule gives the seat's user that access.
    const int fd = ::open(usbNode.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return PlatformResult::failure(ErrnoText("open(" + usbNode + ")", errno));

    std::vector<std::uint8_t> languages;
    const std::uint16_t language = GetStringDescriptor(fd, 0, 0, languages) > 0
                                       ? FirstLanguageId(languages)
                                       : DEFAULT_LANGUAGE_ID;
    const int got = GetStringDescriptor(fd, index, language, received);
    ::close(fd);
    if (got < 0)
        return PlatformResult::failure(ErrnoText("ioctl(USBDEVFS_CONTROL)", -got));
    return PlatformResult::success();
}

} // namespace tamo::device
