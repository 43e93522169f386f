// SPDX-License-Identifier: GPL-3.0-or-later
// Calls back on the window's thread each time the open board's read handle has news (a report
// queued, or the board gone), whatever the backend gives to wait on. Destroyed before the
// handle is closed, so a closed or dead node never wakes anybody.
#pragma once

#include "hid_platform.h"

#include <QObject>
#include <functional>
#include <memory>

namespace tamo::app {

class InputNotifier {
public:
    InputNotifier(device::HidPlatform &platform, device::PlatformHandle readHandle,
                  std::function<void()> ready);
    ~InputNotifier();
    InputNotifier(const InputNotifier &) = delete;
    InputNotifier &operator=(const InputNotifier &) = delete;

    // False when the backend gave nothing to wait on: the reports are then read on the tick.
    bool waiting() const { return kind_ != device::InputWait::Kind::None; }

private:
    device::HidPlatform &platform_;
    device::PlatformHandle handle_;
    device::InputWait::Kind kind_ = device::InputWait::Kind::None;
    std::unique_ptr<QObject> system_;
};

} // namespace tamo::app
