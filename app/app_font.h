// SPDX-License-Identifier: GPL-3.0-or-later
// The design font and the window icon.
#pragma once

#include <QFont>
#include <QIcon>

namespace tamo::app {

// The window's font at 9.75 points: Tahoma, the scalable face whose metrics the layout's fixed
// label widths fit (Windows has it; Debian's fonts-wine ships one). Without it, the nearest
// sans face, made small enough for the layout's tightest caption to fit.
QFont DesignFont();
// The font made smaller, if need be, so that text is at most this many pixels wide.
QFont ShrunkToFit(QFont font, const QString &text, double pixels);
QIcon AppIcon();

} // namespace tamo::app
