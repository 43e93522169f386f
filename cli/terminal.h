// SPDX-License-Identifier: GPL-3.0-or-later
// The console the real program runs in: whether standard output is a terminal, escape
// sequences switched on, and Ctrl-C turned into a flag that the loops look at. One file per
// system family.
#pragma once

namespace tamo::cli {

bool StdoutIsTerminal();

// Lets the terminal take the escape sequences that redraw in place (Windows consoles need
// asking). False when it will not.
bool EnableTerminalEscapes();

// After this, Ctrl-C sets the flag that Interrupted() reads instead of ending the program.
void CatchInterrupt();
bool Interrupted();

} // namespace tamo::cli
