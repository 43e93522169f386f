// SPDX-License-Identifier: GPL-3.0-or-later
// The lamps' colours (0x00BBGGRR, or a system colour): red with a black number while a button
// is pressed, the button face with a dark-grey number while it is released; in the button test
// a released button that was seen is green, one that chattered amber.
#pragma once

#include <cstdint>

namespace tamo::app {

inline constexpr std::uint32_t INDICATOR_ON_COLOUR = 0x0000FF;
inline constexpr std::uint32_t INDICATOR_OFF_COLOUR = 0x8000000F;
inline constexpr std::uint32_t LABEL_ON_COLOUR = 0x000000;
inline constexpr std::uint32_t LABEL_OFF_COLOUR = 0x404040;
inline constexpr std::uint32_t INDICATOR_SEEN_COLOUR = 0x50C850;
inline constexpr std::uint32_t INDICATOR_CHATTER_COLOUR = 0x00A8FF;

} // namespace tamo::app
