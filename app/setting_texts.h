// SPDX-License-Identifier: GPL-3.0-or-later
// The settings lists' items as the window shows them: the board's own names, in the language
// shown. Files, tamo and the board keep the English names; only the window translates them.
#pragma once

#include <QString>

namespace tamo::app {

// An encoder list's item by its index (the mode), and the "A" input list's.
QString EncoderModeText(int index);
QString AInputModeText(int index);

} // namespace tamo::app
