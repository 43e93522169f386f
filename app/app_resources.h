// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tamo::app {

// The window's resources (icons, licence text, translations) live in a static library, whose
// registration the linker would drop unless something calls for it: every reader calls this first.
void LoadAppResources();

} // namespace tamo::app
