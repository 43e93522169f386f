// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_hex.h"

namespace tamo::sim {

std::string ReportHex(std::span<const std::uint8_t> report)
{
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : report) {
        if (!text.empty())
            text += ' ';
        text += DIGITS[byte >> 4];
        text += DIGITS[byte & 0x0F];
    }
    return text;
}

} // namespace tamo::sim
