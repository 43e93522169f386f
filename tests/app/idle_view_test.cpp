// SPDX-License-Identifier: GPL-3.0-or-later
// While no board is open, a pass that finds none again leaves the empty view unpainted, and
// the window names the boards it cannot open.
#include "access_notice.h"
#include "window_fixture.h"

#include <QApplication>
#include <QEvent>
#include <stdexcept>

namespace tamo::test {

namespace {
// Counts paint events delivered to any widget of the application.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            ++paints;
        return false;
    }
};
} // namespace

class IdleView : public WindowFixture {
protected:
    PaintCounter counter;
    void SetUp() override { qApp->installEventFilter(&counter); }
    void TearDown() override { qApp->removeEventFilter(&counter); }
    int paintsDuring(int ticks)
    {
        QApplication::processEvents();
        counter.paints = 0;
        for (int i = 0; i < ticks; ++i) {
            tick();
            QApplication::processEvents();
        }
        return counter.paints;
    }
};

TEST_F(IdleView, FullPassesThatFindNoBoardRepaintNothing)
{
    platform.addDevice(sim::ForeignMouse());
    start();
    // Forty ticks hold one safety pass; a change told forces a second.
    EXPECT_EQ(paintsDuring(40), 0);
    const int mouse = platform.addDevice(sim::ForeignMouse(0x045E, 0x0040));
    EXPECT_EQ(paintsDuring(1), 0);
    // Each pass enumerates twice: the scan, then the search.
    EXPECT_EQ(platform.countCalls("SetupDiGetClassDevsA"), 6) << "start-up and two passes";

    // The paint counter sees paints at all: a board arriving repaints the view.
    platform.unplug(mouse);
    platform.addDevice(sim::FamilyBoard(u"B1"));
    EXPECT_GT(paintsDuring(1), 0);
}

TEST(AccessNoticeText, OneLineABoardWithWhatTheSystemSaysEscaped)
{
    EXPECT_EQ(app::AccessNoticeText({}), QString());
    // ESC and C1 NEL in the serial number; a right-to-left override in the path.
    device::InaccessibleBoard first;
    first.path = "/dev/hidraw3";
    first.serialNumber = "S\x1b[2J\xc2\x85";
    first.reason = "open(/dev/hidraw3): Permission denied";
    first.fix = "install the rule";
    device::InaccessibleBoard second;
    second.path = "/dev/hidraw4\xe2\x80\xae";
    second.reason = "open(/dev/hidraw4): No such device";
    EXPECT_EQ(app::AccessNoticeText({first, second}).toStdString(),
              "A board is attached at /dev/hidraw3 (serial number S\\x1B[2J\\x85) but cannot be "
              "opened: open(/dev/hidraw3): Permission denied. Fix: install the rule\n"
              "A board is attached at /dev/hidraw4\\u202E but cannot be opened: "
              "open(/dev/hidraw4): No such device.");
}

class AccessNotice : public WindowFixture {};

TEST_F(AccessNotice, ToldOnChangeOnlyAndSilentWhenTheSourceThrows)
{
    const int board = platform.addDevice(sim::FamilyBoard(u"S"));
    platform.setOpenable(board, false);
    createWindow();
    bool throws = false;
    window->setInaccessibleBoardsSource([&] {
        if (throws)
            throw std::runtime_error("no sysfs");
        return platform.InaccessibleBoards();
    });
    QStringList told;
    QObject::connect(window.get(), &app::MainWindow::accessNoticeChanged,
                     [&](const QString &text) { told.push_back(text); });
    window->LoadMainWindow();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("(serial number S)"))) << told[0].toStdString();
    // A full pass that finds the same says nothing new.
    platform.addDevice(sim::ForeignMouse());
    tick();
    EXPECT_EQ(told.size(), 1);
    throws = true;
    platform.addDevice(sim::ForeignMouse(0x045E, 0x0040));
    tick();
    EXPECT_EQ(window->accessNotice(), QString());
    // The board opening keeps it empty, and untold.
    throws = false;
    platform.setOpenable(board, true);
    tick();
    EXPECT_TRUE(window->connection().DeviceFound);
    EXPECT_EQ(told.size(), 2);
}

} // namespace tamo::test
