// SPDX-License-Identifier: GPL-3.0-or-later
// Texts the window shows for a board: its capabilities, identity and version, and the fixed
// items of the settings lists, whose positions are the values exchanged with the board.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hid_records.h"

namespace tamo::config {

// Eighteen "Label value" lines of the HIDP_CAPS record, each value read as signed 16-bit,
// joined by CR LF with none after the last.
std::string CapabilitiesText(const device::HIDP_CAPS &caps);

// " major.minor": the version read as signed 16-bit, major = floor(v / 256) in decimal, minor
// (0..255) in uppercase hexadecimal without leading zeros. 0x0110 gives " 1.10".
std::string VersionText(std::uint16_t versionNumber);

// One space and the converted HID string (manufacturer or product).
std::string IdentityLabelText(std::span<const std::uint8_t> stringBuffer);

// Encoder list items; the index is the 2-bit encoder mode.
inline constexpr std::array<std::string_view, 4> ENCODER_MODE_ITEMS = {"off", "1:1", "1:2", "1:4"};

// Delay list: item i is the pulse length i + 1 in steps of 8 ms.
inline constexpr int PULSE_LENGTH_ITEM_COUNT = 25;
inline constexpr int PULSE_LENGTH_DEFAULT_INDEX = 5; // "48 ms", shown until a reply is read
std::vector<std::string> PulseLengthItems();

// RotStart list items; the index is the "A" input mode.
inline constexpr std::array<std::string_view, 5> A_INPUT_MODE_ITEMS = {
    "Auto", "Potentiometer", "Rotary Switch, Pulsed", "Rotary Switch, Latched", "Button 21"};

} // namespace tamo::config
