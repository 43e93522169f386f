// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes as the board programs print them: two lower-case hex digits a byte, no separators.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tamo::orders {

std::string HexText(std::span<const std::uint8_t> bytes);

} // namespace tamo::orders
