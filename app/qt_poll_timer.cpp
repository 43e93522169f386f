// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_poll_timer.h"

#include <chrono>

namespace tamo::app {

std::uint64_t PollTimer::steadyUs() const
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

QtPollTimer::QtPollTimer(QObject *owner, std::function<void()> tick)
    : timer_(new QTimer(owner))
{
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, owner, std::move(tick));
}

void QtPollTimer::setEnabled(bool enabled)
{
    if (enabled && !timer_->isActive())
        timer_->start();
    else if (!enabled)
        timer_->stop();
}

} // namespace tamo::app
