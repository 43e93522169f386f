// SPDX-License-Identifier: GPL-3.0-or-later
#include "hid_string.h"

namespace tamo::device {

std::string HidStringToText(std::span<const std::uint8_t> buffer)
{
    std::string text;
    for (std::size_t i = 0; i < buffer.size(); i += 2) {
        if (buffer[i] == 0)
            break;
        text.push_back(static_cast<char>(buffer[i]));
    }
    return text;
}

} // namespace tamo::device
