// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes as hex text, two digits a byte: "00 EE 06 02" as reports are shown and compared, or
// "00ee0602" as the board programs print them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tamo::device {

enum class HexCase { Upper, Lower };

std::string HexBytes(std::span<const std::uint8_t> bytes, std::string_view separator = " ",
                     HexCase letters = HexCase::Upper);

} // namespace tamo::device
