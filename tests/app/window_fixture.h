// SPDX-License-Identifier: GPL-3.0-or-later
// A window over virtual boards, with its poll ticked by hand.
#pragma once

#include "control_access.h"
#include "main_window.h"
#include "manual_poll_timer.h"
#include "virtual_platform.h"

#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace tamo::test {

class WindowFixture : public ::testing::Test {
protected:
    std::uint64_t nowMs = 0;
    sim::VirtualHidPlatform platform{[this] {
        return nowMs;
    }};
    app::ManualPollTimer *timer = nullptr;
    std::unique_ptr<app::MainWindow> window;

    void createWindow()
    {
        auto manual = std::make_unique<app::ManualPollTimer>();
        manual->clock = [this] {
            return nowMs * 1000;
        };
        timer = manual.get();
        window = std::make_unique<app::MainWindow>(platform, std::move(manual));
    }
    void start()
    {
        createWindow();
        window->LoadMainWindow();
    }
    // One timer tick, after the interval has passed.
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            nowMs += timer->interval();
            if (timer->isEnabled())
                window->PollInputReport();
        }
    }
    template<typename T = QWidget>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox *list(const char *name) const { return control<QComboBox>(name); }
    std::string text(const char *name) const { return app::ControlText(control(name)); }
    // Picks the item with this text as a user would.
    void pick(const char *listName, const char *item)
    {
        ASSERT_TRUE(app::PickListItem(control(listName), QString::fromLatin1(item)))
            << listName << " " << item;
    }
};

} // namespace tamo::test
