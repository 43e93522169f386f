// SPDX-License-Identifier: GPL-3.0-or-later
// The board's reports as the kernel tests write and compare them.
#pragma once

#include "board_identity.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace tamo::test {

inline constexpr std::size_t kFeatureLength = 17; // the descriptor's 16 bytes and the ID byte
inline constexpr std::size_t kInputLength = 8;

// Lower-case hex without spaces, as the board programs print what they receive.
inline std::string Hex(const std::vector<std::uint8_t> &bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

// A report of the given length from its first bytes, the rest zeros.
inline std::vector<std::uint8_t> Report(std::initializer_list<std::uint8_t> head,
                                        std::size_t length)
{
    std::vector<std::uint8_t> report(head);
    report.resize(length, 0);
    return report;
}

// The hex of a feature report from its first bytes' hex.
inline std::string FeatureReportHex(const std::string &head)
{
    return head + std::string(2 * kFeatureLength - head.size(), '0');
}

// A board program's create option for the family's product ID at this offset.
inline std::string Pid(int offset)
{
    return "pid=" + std::to_string(device::PID_FIRST + offset);
}

} // namespace tamo::test
