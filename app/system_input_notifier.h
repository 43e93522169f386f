// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt notifier for what the system gives to wait on for input: a QSocketNotifier on a
// descriptor, a QWinEventNotifier on an event. One file per system family.
#pragma once

#include "input_wait.h"

#include <QObject>
#include <functional>
#include <memory>

namespace tamo::app {

// Null when this system has no notifier for that kind of wait.
std::unique_ptr<QObject> MakeSystemInputNotifier(const device::InputWait &wait,
                                                 std::function<void()> ready);

} // namespace tamo::app
