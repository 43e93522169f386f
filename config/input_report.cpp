// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_report.h"

#include <algorithm>

namespace tamo::config {

std::optional<ButtonBytes> NewestButtonBytes(std::span<const std::uint8_t> bytesRead,
                                             std::size_t reportLength)
{
    if (reportLength == 0 || bytesRead.size() < reportLength)
        return std::nullopt;
    const auto newest = bytesRead.subspan(bytesRead.size() - reportLength);
    ButtonBytes bytes;
    for (std::size_t i = 0; i < BUTTON_BYTES && FIRST_BUTTON_BYTE + i < newest.size(); ++i) {
        bytes.values[i] = newest[FIRST_BUTTON_BYTE + i];
        bytes.count = i + 1;
    }
    return bytes;
}

bool ButtonPressed(const ButtonBytes &bytes, int button)
{
    if (button < 1 || button > BUTTON_COUNT)
        return false;
    const auto byte = static_cast<std::size_t>(button - 1) / 8;
    return byte < bytes.count && (bytes.values[byte] >> ((button - 1) % 8) & 1) != 0;
}

ButtonState ButtonStateOf(const ButtonBytes &bytes)
{
    ButtonState state = 0;
    for (std::size_t i = 0; i < bytes.count && i < BUTTON_BYTES; ++i)
        state |= ButtonState{bytes.values[i]} << (8 * i);
    return state;
}

std::vector<ButtonState> EveryReportsButtons(std::span<const std::uint8_t> bytesRead,
                                             std::size_t reportLength)
{
    std::vector<ButtonState> states;
    if (reportLength == 0)
        return states;
    for (std::size_t end = reportLength; end <= bytesRead.size(); end += reportLength)
        states.push_back(ButtonStateOf(*NewestButtonBytes(bytesRead.first(end), reportLength)));
    return states;
}

} // namespace tamo::config
