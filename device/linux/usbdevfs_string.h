// SPDX-License-Identifier: GPL-3.0-or-later
// String descriptors straight from a USB device through usbdevfs, for the strings that sysfs
// does not show (sysfs has only manufacturer, product and serial). A standard control
// request to the device needs no interface, so nothing is claimed or detached and the HID
// driver keeps the board.
#pragma once

#include "platform_result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tamo::device {

// Fetches string descriptor index in the board's first language into received, as it
// arrived (header included). usbNode is /dev/bus/usb/BBB/DDD.
PlatformResult ReadUsbStringDescriptor(const std::string &usbNode, std::uint8_t index,
                                       std::vector<std::uint8_t> &received);

} // namespace tamo::device
