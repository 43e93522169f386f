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

namespace {

// Set from the Ctrl-C handler, which the C library runs on a thread of its own.
HANDLE InterruptEvent()
{
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

} // namespace

void SleepUnlessInterrupted(std::uint32_t ms)
{
    if (Interrupted())
        return;
    if (const HANDLE event = InterruptEvent())
        WaitForSingleObject(event, ms);
    else
        Sleep(ms);
}

void WaitForInputUnlessInterrupted(const device::InputWait &wait, std::uint32_t ms)
{
    const HANDLE interrupt = InterruptEvent();
    if (wait.kind != device::InputWait::Kind::Event || interrupt == nullptr) {
        SleepUnlessInterrupted(ms);
        return;
    }
    if (Interrupted())
        return;
    // The backend's pending read signals its event when a report lands or the board goes.
    const HANDLE events[] = {reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(wait.handle)),
                             interrupt};
    WaitForMultipleObjects(2, events, FALSE, ms);
}

void WakeSleeper()
{
    if (const HANDLE event = InterruptEvent())
        SetEvent(event);
}

} // namespace tamo::cli
