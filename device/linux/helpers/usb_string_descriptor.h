// SPDX-License-Identifier: GPL-3.0-or-later
// USB string descriptors as a board sends them: bLength, bDescriptorType 3, then UTF-16LE.
// Both functions trust neither bLength nor the byte count beyond what actually arrived.
#pragma once

#include <cstdint>
#include <span>

namespace tamo::device {

inline constexpr std::uint8_t USB_DT_STRING_TYPE = 0x03;
inline constexpr std::uint16_t DEFAULT_LANGUAGE_ID = 0x0409;

// The first language of string descriptor 0, or English (US) when the board lists none.
std::uint16_t FirstLanguageId(std::span<const std::uint8_t> received);

// Copies the descriptor's text into buffer as zero-terminated UTF-16LE. False when the reply
// is not a string descriptor or buffer cannot hold the terminator.
bool CopyStringDescriptor(std::span<const std::uint8_t> received, std::span<std::uint8_t> buffer);

} // namespace tamo::device
