// SPDX-License-Identifier: GPL-3.0-or-later
// The console the real program runs in: whether standard output is a terminal, escape
// sequences switched on, and Ctrl-C turned into a flag that the loops look at. One file per
// system family.
#pragma once

#include "input_wait.h"

#include <cstdint>

namespace tamo::cli {

bool StdoutIsTerminal();

// Lets the terminal take the escape sequences that redraw in place (Windows consoles need
// asking). False when it will not.
bool EnableTerminalEscapes();

// After this, Ctrl-C sets the flag that Interrupted() reads instead of ending the program.
void CatchInterrupt();
bool Interrupted();

// Sleeps in one piece (a waiting station wakes only when it has something to do), and returns
// at once on Ctrl-C.
void SleepUnlessInterrupted(std::uint32_t ms);

// Waits until the board's read handle has news, ms pass, or Ctrl-C, whichever comes first;
// sleeps where the wait is nothing this system can wait on.
void WaitForInputUnlessInterrupted(const device::InputWait &wait, std::uint32_t ms);

// Called from the Ctrl-C handler: ends a sleep that a signal alone would not end.
void WakeSleeper();

} // namespace tamo::cli
