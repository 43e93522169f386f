// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour_value.h"

namespace tamo::app {

QColor ColourFromValue(std::uint32_t value, const QPalette &palette)
{
    if ((value & 0x80000000u) != 0) {
        switch (value & 0xFF) {
        case 0x08:
            return palette.color(QPalette::Active, QPalette::WindowText);
        case 0x0F:
            return palette.color(QPalette::Active, QPalette::Button);
        case 0x05:
            return palette.color(QPalette::Active, QPalette::Base);
        case 0x12:
            return palette.color(QPalette::Active, QPalette::ButtonText);
        default:
            return palette.color(QPalette::Active, QPalette::Window);
        }
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace tamo::app
