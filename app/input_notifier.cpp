// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_notifier.h"

#include "system_input_notifier.h"

#include <QMetaObject>

namespace tamo::app {

InputNotifier::InputNotifier(device::HidPlatform &platform, device::PlatformHandle readHandle,
                             std::function<void()> ready)
    : platform_(platform)
    , handle_(readHandle)
{
    const device::InputWait wait = platform_.WaitForInput(handle_);
    if (wait.kind == device::InputWait::Kind::Notify) {
        platform_.NotifyInput(handle_, std::move(ready));
        kind_ = wait.kind;
        return;
    }
    system_ = MakeSystemInputNotifier(wait, std::move(ready));
    if (system_)
        kind_ = wait.kind;
}

InputNotifier::~InputNotifier()
{
    if (kind_ == device::InputWait::Kind::Notify)
        platform_.NotifyInput(handle_, {});
    if (system_) {
        // Often ended from inside its own signal (a read that found the board gone): switched
        // off now, before the handle is closed, and deleted once that signal has returned.
        QMetaObject::invokeMethod(system_.get(), "setEnabled", Qt::DirectConnection,
                                  Q_ARG(bool, false));
        system_.release()->deleteLater();
    }
}

} // namespace tamo::app
