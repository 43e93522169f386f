// SPDX-License-Identifier: GPL-3.0-or-later
// Timed taps from a board program (its taps and bounce orders), read as the window's button
// test reads them: poll() on the read handle's descriptor, then everything queued in one read,
// each read stamped with CLOCK_MONOTONIC, the clock of the board's send times in the same
// system, and fed to the button test.
#pragma once

#include "board_process.h"
#include "button_test.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tamo::test {

struct ArrivedRead {
    std::uint64_t timeUs = 0;
    std::vector<config::ButtonState> reports;
};

struct TapRun {
    // Empty when the board was opened, every order answered ok and no read failed.
    std::string failure;
    std::vector<std::string> replies;
    // Every change of every order, as the board sent it (CLOCK_MONOTONIC microseconds).
    std::vector<std::uint64_t> sentUs;
    std::vector<ArrivedRead> reads;
    config::ButtonTest test;
};

// Opens the board with this serial number through discovery, waits until usbhid passes its
// input on, and sends the orders one after another, each 100 ms after the one before was
// answered,
// reading all the while; ends half a second after the last reply with nothing more read, or
// with readFor given, that long after the reading began (a streaming board never goes quiet).
TapRun ReadTaps(BoardProcess &boards, const std::string &serial,
                const std::vector<std::string> &orders,
                std::chrono::milliseconds readFor = std::chrono::milliseconds(0));

// The times of a "changes=N sent=US,US,..." reply; empty when it has none or is malformed.
std::vector<std::uint64_t> SentTimes(const std::string &reply);

// The read time of each report, oldest first, across the reads.
std::vector<std::uint64_t> ArrivalTimes(const std::vector<ArrivedRead> &reads);

} // namespace tamo::test
