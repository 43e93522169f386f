// SPDX-License-Identifier: GPL-3.0-or-later
// The window's poll timer: 50 ms after every good read, 250 ms after a board is lost.
#pragma once

#include <cstdint>

namespace tamo::app {

inline constexpr int POLL_INTERVAL_MS = 50;
inline constexpr int RECONNECT_INTERVAL_MS = 250;
// With no board open and no device change told, a full scan still runs this often: it catches
// a notification that was lost, at a fortieth of the cost of scanning every 50 ms tick, and
// within the time a user waits after plugging a board in before wondering.
inline constexpr int SAFETY_PASS_MS = 2000;

class PollTimer {
public:
    virtual ~PollTimer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    // The steady clock the window stamps input reports with, in microseconds.
    virtual std::uint64_t steadyUs() const;
};

} // namespace tamo::app
