// SPDX-License-Identifier: GPL-3.0-or-later
// Colours are 32-bit values: 0x00BBGGRR for a fixed colour, 0x800000nn for system colour nn.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace tamo::app {

inline constexpr std::uint32_t SYSTEM_WINDOW_TEXT = 0x80000008;
inline constexpr std::uint32_t SYSTEM_BUTTON_FACE = 0x8000000F;

QColor ColourFromValue(std::uint32_t value, const QPalette &palette);

} // namespace tamo::app
