// SPDX-License-Identifier: GPL-3.0-or-later
// Design geometry is in twips; 15 twips make one pixel at 96 DPI, and Qt scales pixels for
// high-DPI screens.
#pragma once

#include <QRect>
#include <cmath>

namespace tamo::app {

inline constexpr double TWIPS_PER_PIXEL = 15.0;

inline int TwipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TWIPS_PER_PIXEL));
}

inline QRect TwipsRect(double left, double top, double width, double height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

} // namespace tamo::app
