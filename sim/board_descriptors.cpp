// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_descriptors.h"

#include <algorithm>

namespace tamo::sim {

std::vector<std::uint8_t> BoardReportDescriptor(std::uint16_t inputLength)
{
    // The ID byte, two axes and four button bytes come before the pad.
    constexpr std::uint16_t kBeforePad = 7;
    const auto pad = static_cast<std::uint8_t>(std::max<int>(inputLength - kBeforePad, 1));
    return {
        0x05, 0x01,       // Usage Page (Generic Desktop)
        0x09, 0x04,       // Usage (Joystick)
        0xA1, 0x01,       // Collection (Application)
        0x09, 0x30,       //   Usage (X)
        0x09, 0x31,       //   Usage (Y)
        0x15, 0x00,       //   Logical Minimum (0)
        0x26, 0xFF, 0x00, //   Logical Maximum (255)
        0x75, 0x08,       //   Report Size (8)
        0x95, 0x02,       //   Report Count (2)
        0x81, 0x02,       //   Input (Data, Var, Abs)
        0x05, 0x09,       //   Usage Page (Button)
        0x19, 0x01,       //   Usage Minimum (1)
        0x29, 0x20,       //   Usage Maximum (32)
        0x15, 0x00,       //   Logical Minimum (0)
        0x25, 0x01,       //   Logical Maximum (1)
        0x75, 0x01,       //   Report Size (1)
        0x95, 0x20,       //   Report Count (32)
        0x81, 0x02,       //   Input (Data, Var, Abs)
        0x75, 0x08,       //   Report Size (8)
        0x95, pad,        //   Report Count (pad bytes)
        0x81, 0x03,       //   Input (Const)
        0x06, 0x00, 0xFF, //   Usage Page (Vendor 0xFF00)
        0x09, 0x01,       //   Usage (1)
        0x15, 0x00,       //   Logical Minimum (0)
        0x26, 0xFF, 0x00, //   Logical Maximum (255)
        0x75, 0x08,       //   Report Size (8)
        0x95, 0x10,       //   Report Count (16)
        0xB1, 0x02,       //   Feature (Data, Var, Abs)
        0xC0,             // End Collection
    };
}

std::vector<std::uint8_t> MouseReportDescriptor()
{
    return {
        0x05, 0x01, // Usage Page (Generic Desktop)
        0x09, 0x02, // Usage (Mouse)
        0xA1, 0x01, // Collection (Application)
        0x09, 0x01, //   Usage (Pointer)
        0xA1, 0x00, //   Collection (Physical)
        0x05, 0x09, //     Usage Page (Button)
        0x19, 0x01, //     Usage Minimum (1)
        0x29, 0x03, //     Usage Maximum (3)
        0x15, 0x00, //     Logical Minimum (0)
        0x25, 0x01, //     Logical Maximum (1)
        0x95, 0x03, //     Report Count (3)
        0x75, 0x01, //     Report Size (1)
        0x81, 0x02, //     Input (Data, Var, Abs)
        0x95, 0x01, //     Report Count (1)
        0x75, 0x05, //     Report Size (5)
        0x81, 0x03, //     Input (Const)
        0x05, 0x01, //     Usage Page (Generic Desktop)
        0x09, 0x30, //     Usage (X)
        0x09, 0x31, //     Usage (Y)
        0x09, 0x38, //     Usage (Wheel)
        0x15, 0x81, //     Logical Minimum (-127)
        0x25, 0x7F, //     Logical Maximum (127)
        0x75, 0x08, //     Report Size (8)
        0x95, 0x03, //     Report Count (3)
        0x81, 0x06, //     Input (Data, Var, Rel)
        0xC0,       //   End Collection
        0xC0,       // End Collection
    };
}

} // namespace tamo::sim
