// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_input_notifier.h"

#include <QWinEventNotifier>

namespace tamo::app {

std::unique_ptr<QObject> MakeSystemInputNotifier(const device::InputWait &wait,
                                                 std::function<void()> ready)
{
    if (wait.kind != device::InputWait::Kind::Event || wait.handle == 0 || wait.handle == -1)
        return nullptr;
    // The backend's pending read signals the event when a report lands or the board goes; the
    // read that follows arms it again, which resets the event.
    auto notifier = std::make_unique<QWinEventNotifier>(
        reinterpret_cast<Qt::HANDLE>(static_cast<std::uintptr_t>(wait.handle)));
    QObject::connect(notifier.get(), &QWinEventNotifier::activated, notifier.get(),
                     [ready = std::move(ready)] { ready(); });
    return notifier;
}

} // namespace tamo::app
