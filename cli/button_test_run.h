// SPDX-License-Identifier: GPL-3.0-or-later
// The guided button test on an open board, as `tamo test-buttons` and the station run it: the
// board's reports followed as they arrive until every input under test was seen without
// chatter, the time is up, the user stops it, or the board goes.
#pragma once

#include "board_access.h"
#include "button_test.h"

#include <optional>
#include <string>

namespace tamo::cli {

// "1-8,12,B17,B20-B24": inputs numbered 1 to 32, as bits (bit n - 1 for input n); empty with
// error set when the list is not one.
std::optional<config::ButtonState> ParseInputList(const std::string &text, std::string &error);

enum class ButtonTestProgress {
    None,    // nothing until the result
    Lines,   // one line per event: an input seen, an input that chattered
    InPlace, // a grid redrawn in place on a terminal
};

struct ButtonTestRunOptions {
    config::ButtonState inputs = 0xFFFFFFFFu;
    std::optional<std::uint64_t> timeoutMs;
    std::uint64_t chatterThresholdUs = config::DEFAULT_CHATTER_THRESHOLD_US;
    ButtonTestProgress progress = ButtonTestProgress::Lines;
    // Put before each progress line (the station names the board).
    std::string prefix;
};

struct ButtonTestOutcome {
    config::ButtonTest test;
    // Every input under test seen, none chattered.
    bool passed = false;
    // What ended it when it did not pass: "timed out", "interrupted", or the board gone.
    std::string ended;
    int status = EXIT_OK;
};

ButtonTestOutcome RunButtonTest(Environment &env, OpenBoard &board,
                                const ButtonTestRunOptions &options);

// "passed", or "failed: not seen B4, B6; chattered B7", as the station logs it.
std::string ButtonTestVerdict(const ButtonTestOutcome &outcome, config::ButtonState inputs);

} // namespace tamo::cli
