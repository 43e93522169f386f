// SPDX-License-Identifier: GPL-3.0-or-later
#include "bytes_as_hex.h"

namespace tamo::device {

std::string HexBytes(std::span<const std::uint8_t> bytes, std::string_view separator,
                     HexCase letters)
{
    const char *digits = letters == HexCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * (2 + separator.size()));
    for (const std::uint8_t byte : bytes) {
        if (!text.empty())
            text += separator;
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

} // namespace tamo::device
