// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <unistd.h>

namespace tamo::cli {

bool StdoutIsTerminal()
{
    return ::isatty(STDOUT_FILENO) == 1;
}

bool EnableTerminalEscapes()
{
    return true;
}

} // namespace tamo::cli
