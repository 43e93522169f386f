// SPDX-License-Identifier: GPL-3.0-or-later
// Follows an open board's input reports as they arrive: waits on what the platform gives to wait
// on (a hidraw node, an overlapped read's event), or looks every millisecond where it gives
// nothing, reads each batch whole and stamps it with the steady clock as it is read.
#pragma once

#include "board_access.h"

#include <cstdint>
#include <vector>

namespace tamo::cli {

struct InputBatch {
    device::ReadOutcome outcome = device::ReadOutcome::NothingQueued;
    // Each report's buttons, oldest first; the system queued them together, so one time.
    std::vector<config::ButtonState> reports;
    std::uint64_t timeUs = 0;
};

class InputFollower {
public:
    InputFollower(Environment &env, OpenBoard &board);

    // Waits at most ms for news, then reads what came.
    InputBatch next(std::uint32_t ms);

private:
    Environment &env_;
    OpenBoard &board_;
    device::InputWait wait_;
    std::uint32_t readBytes_;
};

} // namespace tamo::cli
