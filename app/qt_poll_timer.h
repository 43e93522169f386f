// SPDX-License-Identifier: GPL-3.0-or-later
// The poll timer on a real QTimer, ticking in the window's event loop.
#pragma once

#include "poll_timer.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace tamo::app {

class QtPollTimer : public PollTimer {
public:
    QtPollTimer(QObject *owner, std::function<void()> tick);

    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return timer_->isActive(); }
    void setInterval(int milliseconds) override { timer_->setInterval(milliseconds); }
    int interval() const override { return timer_->interval(); }

private:
    QTimer *timer_;
};

} // namespace tamo::app
