// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <cerrno>
#include <ctime>
#include <poll.h>
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

void WaitForInputUnlessInterrupted(const device::InputWait &wait, std::uint32_t ms)
{
    if (wait.kind != device::InputWait::Kind::Descriptor || wait.handle < 0) {
        SleepUnlessInterrupted(ms);
        return;
    }
    if (Interrupted())
        return;
    // Readable with a report queued, hung up when the board goes; Ctrl-C ends it with EINTR.
    pollfd entry{static_cast<int>(wait.handle), POLLIN, 0};
    ::poll(&entry, 1, static_cast<int>(ms));
}

void WakeSleeper() {}

} // namespace tamo::cli
