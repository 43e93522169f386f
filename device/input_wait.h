// SPDX-License-Identifier: GPL-3.0-or-later
// What a front end waits on to learn that a read of an open input handle would return at once
// (a report is queued, or the device has gone), so that it reads each report as it arrives
// instead of looking on a timer.
#pragma once

#include <cstdint>

namespace tamo::device {

struct InputWait {
    enum class Kind {
        // Nothing to wait on: read on a timer.
        None,
        // A file descriptor that polls readable (hidraw).
        Descriptor,
        // A Windows event that is signalled (the overlapped read's).
        Event,
        // The backend calls back itself (virtual boards, in virtual time).
        Notify,
    };
    Kind kind = Kind::None;
    // The descriptor, or the event's handle value.
    std::intptr_t handle = -1;
};

} // namespace tamo::device
