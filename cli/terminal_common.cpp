// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <atomic>
#include <csignal>

namespace tamo::cli {

namespace {

// Lock-free, so the handler may set it.
std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int)
{
    interrupted.store(true);
    WakeSleeper();
}

} // namespace

void CatchInterrupt()
{
    // std::signal is what both C libraries offer; SIGINT is Ctrl-C on Windows consoles too.
    std::signal(SIGINT, OnInterrupt);
}

bool Interrupted()
{
    return interrupted.load();
}

} // namespace tamo::cli
