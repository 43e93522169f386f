// SPDX-License-Identifier: GPL-3.0-or-later
// The board's input report: report ID, two unused bytes, then buttons 1 to 32 in bytes 3 to 6
// (bit j of byte 3 + i is button 8i + j + 1). A read may hold several reports, oldest first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tamo::config {

inline constexpr int BUTTON_COUNT = 32;
inline constexpr std::size_t FIRST_BUTTON_BYTE = 3;
inline constexpr std::size_t BUTTON_BYTES = 4;

// Bit n - 1 is button n.
using ButtonState = std::uint32_t;

// The button bytes a report holds; a report shorter than 7 bytes holds only the first count.
struct ButtonBytes {
    std::array<std::uint8_t, BUTTON_BYTES> values{};
    std::size_t count = 0;
    friend bool operator==(const ButtonBytes &, const ButtonBytes &) = default;
};

// The button bytes of the newest whole report in bytesRead: its last reportLength bytes. Empty
// when bytesRead holds no whole report or the board declares none; never reads outside
// bytesRead, whatever reportLength says.
std::optional<ButtonBytes> NewestButtonBytes(std::span<const std::uint8_t> bytesRead,
                                             std::size_t reportLength);

// Whether button n (1 to 32) is pressed in bytes; false for a button the report does not hold.
bool ButtonPressed(const ButtonBytes &bytes, int button);
ButtonState ButtonStateOf(const ButtonBytes &bytes);

// The buttons of every whole report in bytesRead, oldest first; never reads outside it.
std::vector<ButtonState> EveryReportsButtons(std::span<const std::uint8_t> bytesRead,
                                             std::size_t reportLength);

} // namespace tamo::config
