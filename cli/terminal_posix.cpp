// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <cerrno>
#include <ctime>
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

void SleepUnlessInterrupted(std::uint32_t ms)
{
    // The Ctrl-C signal ends nanosleep with EINTR.
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1'000'000};
    while (!Interrupted() && ::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

void WakeSleeper() {}

} // namespace tamo::cli
