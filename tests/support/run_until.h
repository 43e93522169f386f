// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a window's event loop in real time until a condition holds: for the tests that drive
// the window over real boards.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace tamo::test {

// False when the time was up first.
inline bool RunEventsUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace tamo::test
