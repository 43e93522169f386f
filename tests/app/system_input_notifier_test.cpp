// SPDX-License-Identifier: GPL-3.0-or-later
// The window's wait on a descriptor: a report queued wakes it, a hang-up wakes it, and a wait
// switched off from inside its own call neither spins nor wakes again.
#include "system_input_notifier.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Runs the event loop until done() or ms have passed.
bool ProcessUntil(const std::function<bool()> &done, int ms = 1000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

TEST(SystemInputNotifier, ADescriptorWakesTheWindowForAReportAndForAHangUp)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    int calls = 0;
    std::unique_ptr<QObject> notifier = tamo::app::MakeSystemInputNotifier(
        {tamo::device::InputWait::Kind::Descriptor, ends[0]}, [&] {
            char report[8];
            if (::read(ends[0], report, sizeof report) <= 0)
                QMetaObject::invokeMethod(notifier.get(), "setEnabled", Q_ARG(bool, false));
            ++calls;
        });
    ASSERT_NE(notifier, nullptr);
    ProcessUntil([] { return false; }, 100);
    EXPECT_EQ(calls, 0);
    ASSERT_EQ(::write(ends[1], "report", 6), 6);
    EXPECT_TRUE(ProcessUntil([&] { return calls == 1; }));
    ::close(ends[1]);
    EXPECT_TRUE(ProcessUntil([&] { return calls == 2; }));
    // Switched off at the hang-up: no further wake-ups, however long the node stays hung up.
    ProcessUntil([] { return false; }, 100);
    EXPECT_EQ(calls, 2);
    notifier.reset();
    ::close(ends[0]);
    // Nothing else to wait on here.
    EXPECT_EQ(tamo::app::MakeSystemInputNotifier({tamo::device::InputWait::Kind::Event, 5}, [] {}),
              nullptr);
}

} // namespace
