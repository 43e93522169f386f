// SPDX-License-Identifier: GPL-3.0-or-later
// `tamo` run in-process over virtual boards in virtual time: every Sleep moves the clock and
// lets the test plug, unplug, press or interrupt at that moment.
#pragma once

#include "environment.h"
#include "virtual_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tamo::test {

// Whether text holds part, showing the text when it does not.
inline ::testing::AssertionResult Contains(const std::string &text, const std::string &part)
{
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << part << "\" not in:\n" << text;
}

class VirtualClock : public cli::Clock {
public:
    std::uint64_t now = 0;
    // 2026-12-08T18:00:00Z at virtual time 0.
    std::int64_t wallAtZero = 1796752800000;
    std::function<void(std::uint64_t now)> onSleep;

    std::uint64_t SteadyMs() override { return now; }
    std::int64_t WallMs() override { return wallAtZero + static_cast<std::int64_t>(now); }
    void Sleep(std::uint32_t ms) override
    {
        now += ms;
        if (onSleep)
            onSleep(now);
    }
};

class CliTest : public ::testing::Test {
protected:
    VirtualClock clock;
    sim::VirtualHidPlatform platform{[this] {
        return clock.now;
    }};
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    bool interrupted = false;
    bool terminal = false;
    std::vector<device::InaccessibleBoard> closed;
    bool closedThrows = false; // looking for closed boards throws, as nothing in tamo should

    int Run(std::vector<std::string> args);
    // A board of the family that reports its buttons on change.
    int AddBoard(const std::u16string &serial);
    sim::BoardModel &Model(int board) { return *platform.board(board); }
    // Every feature report the board received, as hex; the list is emptied.
    std::vector<std::string> Received(int board);
    // Holds arguments of codes 2..7.
    void Hold(int board, std::array<std::uint8_t, 6> arguments);
};

// A file in a fresh temporary directory, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string &name);
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;
    const std::string &path() const { return path_; }
    void write(const std::string &text) const;
    std::string read() const;

private:
    std::string directory_;
    std::string path_;
};

} // namespace tamo::test
