// SPDX-License-Identifier: GPL-3.0-or-later
// HID strings arrive as UTF-16LE. The tool shows them as the low byte of each code unit, up
// to the first code unit whose low byte is zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tamo::device {

// Bytes offered to every string request.
inline constexpr std::size_t STRING_REQUEST_BYTES = 100;

// Reads only inside buffer: a buffer without a terminator ends the text at its last whole
// code unit.
std::string HidStringToText(std::span<const std::uint8_t> buffer);

} // namespace tamo::device
