// SPDX-License-Identifier: GPL-3.0-or-later
// A poll timer that only records its state; whoever drives the window ticks it (scenarios
// and tests run in virtual time).
#pragma once

#include "poll_timer.h"

#include <functional>

namespace tamo::app {

class ManualPollTimer : public PollTimer {
public:
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }
    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }
    // Virtual time, where a scenario keeps it; the steady clock otherwise.
    std::uint64_t steadyUs() const override { return clock ? clock() : PollTimer::steadyUs(); }
    std::function<std::uint64_t()> clock;

private:
    bool enabled_ = false;
    int interval_ = 0;
};

} // namespace tamo::app
