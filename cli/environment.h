// SPDX-License-Identifier: GPL-3.0-or-later
// What `tamo` runs against: the HID platform, the three standard streams, a clock and the
// user's Ctrl-C. main() hands in the real ones; tests hand in virtual boards and virtual time.
#pragma once

#include "hid_platform.h"
#include "inaccessible_boards.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace tamo::cli {

// Exit status, for scripts.
inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FAILED = 1;       // a self-test failed, a setting did not hold
inline constexpr int EXIT_USAGE = 2;        // bad arguments or a bad file; nothing was sent
inline constexpr int EXIT_NO_BOARD = 3;     // no board (or not the one named) is attached
inline constexpr int EXIT_NOT_OPENABLE = 4; // a board is attached but cannot be opened
inline constexpr int EXIT_BOARD_IO = 5;     // the board stopped answering or went away

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic milliseconds, for intervals and rates.
    virtual std::uint64_t SteadyMs() = 0;
    // Milliseconds since 1970-01-01 UTC, for what a log records.
    virtual std::int64_t WallMs() = 0;
    // Waits; may return early when the user interrupts.
    virtual void Sleep(std::uint32_t ms) = 0;
    // Monotonic microseconds, for the times of input reports.
    virtual std::uint64_t SteadyUs() { return SteadyMs() * 1000; }
    // Waits until wait tells of input, or at most ms; may return early when the user
    // interrupts.
    virtual void WaitForInput(const device::InputWait &, std::uint32_t ms) { Sleep(ms); }
};

struct Environment {
    device::HidPlatform &platform;
    std::istream &in;
    std::ostream &out;
    std::ostream &err;
    Clock &clock;
    // True once the user asked to stop (Ctrl-C); loops look between steps.
    std::function<bool()> interrupted = [] {
        return false;
    };
    // Standard output is a terminal: redraw in place rather than print line after line.
    bool outIsTerminal = false;
    std::function<std::vector<device::InaccessibleBoard>()> findInaccessibleBoards = [] {
        return std::vector<device::InaccessibleBoard>{};
    };
};

// args without the program name. Returns the exit status.
int RunTamo(const std::vector<std::string> &args, Environment &env);

} // namespace tamo::cli
