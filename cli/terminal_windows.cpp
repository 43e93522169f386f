// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <windows.h>

namespace tamo::cli {

bool StdoutIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

bool EnableTerminalEscapes()
{
    // Windows 10 consoles take VT sequences once asked; older ones say no.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(out, &mode))
        return false;
    return SetConsoleMode(out, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

} // namespace tamo::cli
