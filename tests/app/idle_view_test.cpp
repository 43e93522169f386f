// SPDX-License-Identifier: GPL-3.0-or-later
// While no board is open, a pass that finds none again leaves the empty view unpainted.
#include "window_fixture.h"

#include <QApplication>
#include <QEvent>

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

} // namespace tamo::test
