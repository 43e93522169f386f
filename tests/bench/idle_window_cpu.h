// SPDX-License-Identifier: GPL-3.0-or-later
// The CPU time the whole process spends while the real window waits for a board: on its real
// poll timer, in its event loop, over the hidraw backend.
#pragma once

#include <chrono>

namespace tamo::bench {

enum class Waiting {
    // Every tick scans, searches and refreshes: the platform tells no device changes.
    Blind,
    // Ticks scan only when the platform tells a change, or for the safety pass.
    Notified,
};

// Runs the application's event loop, and so the window's timer, for duration.
void RunEventLoopFor(std::chrono::milliseconds duration);

// Milliseconds of CPU (user + system, all threads) per second of wall time, measured over
// seconds after a one-second start, over the hidraw backend. Needs a QApplication.
double IdleWindowCpuMsPerSecond(Waiting waiting, int seconds);

} // namespace tamo::bench
