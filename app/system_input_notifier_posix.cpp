// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_input_notifier.h"

#include <QSocketNotifier>

namespace tamo::app {

std::unique_ptr<QObject> MakeSystemInputNotifier(const device::InputWait &wait,
                                                 std::function<void()> ready)
{
    if (wait.kind != device::InputWait::Kind::Descriptor || wait.handle < 0)
        return nullptr;
    // Readable with a report queued, and also once the node hangs up: the read then fails and
    // the window closes the board, which ends this notifier before the descriptor is closed.
    auto notifier =
        std::make_unique<QSocketNotifier>(static_cast<qintptr>(wait.handle), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [ready = std::move(ready)] { ready(); });
    return notifier;
}

} // namespace tamo::app
