// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says of boards of the family that are attached but cannot be opened:
// discovery skips them as if absent, so without this the window would show nothing at all.
#pragma once

#include "inaccessible_boards.h"

#include <QString>
#include <vector>

namespace tamo::app {

// One sentence a board, each on its own line: its node, its serial number as SerNo will show
// it once the board opens (when the system knows it), the reason and the fix; empty for no
// board. Every text from the system has its control and format characters escaped (\xNN,
// \uNNNN), so that none can steer or break the line it is shown in.
QString AccessNoticeText(const std::vector<device::InaccessibleBoard> &boards);

} // namespace tamo::app
