// SPDX-License-Identifier: GPL-3.0-or-later
// The button test as a user and a screen reader meet it: the result on the clipboard, the
// lamps' findings, and the window drawn with it at 100 % and 200 %.
#include "board_window_fixture.h"
#include "lamp_shape.h"

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>

namespace tamo::test {

class ButtonTestView : public BoardWindow {
protected:
    int board = -1;
    void SetUp() override
    {
        auto definition = sim::FamilyBoard(u"TB-000342");
        definition.inputMode = sim::InputMode::OnChange;
        board = platform.addDevice(definition);
        start();
        tick();
        control<QPushButton>("BtnTest")->click();
    }
    // The board's buttons for ms milliseconds, delivered as the board sends them.
    void hold(std::uint32_t buttons, std::uint64_t ms)
    {
        platform.board(board)->setButtons(buttons);
        platform.deliverInputReports();
        nowMs += ms;
    }
    void tap(int button, std::uint64_t pressMs, std::uint64_t gapMs)
    {
        hold(1u << (button - 1), pressMs);
        hold(0, gapMs);
    }
};

TEST_F(ButtonTestView, CopiesTheResultAndTellsAScreenReaderWhatEachLampFound)
{
    pick("Enc1", "1:1");
    for (int button : {3, 5, 8, 17, 24})
        tap(button, 40, 60);
    // B12 bounces: 1 ms after its release it closes again.
    hold(1u << 11, 20);
    hold(0, 1);
    hold(1u << 11, 30);
    hold(0, 10);
    // The encoder on B1 + B2: three detents one way, two the other, 16 ms pulses.
    for (int button : {1, 1, 1, 2, 2})
        tap(button, 16, 30);
    hold(1u << 30, 5);
    // Every press is lit until the tick after the one that saw it.
    tick(2);

    control<QPushButton>("BtnTestCopy")->click();
    const std::string copied = QGuiApplication::clipboard()->text().toStdString();
    for (const char *line : {"Board TB-000342, Tamo micro 32\nButton test: 8 of 32 inputs seen, "
                             "1 chattered\n",
                             "Chatter: B12 1 time, shortest gap 1.0 ms",
                             "Encoder B1 + B2: 3 detents on B1, 2 on B2, shortest pulse 16.0 ms",
                             "\nB12: 2 presses, shortest 20.0 ms, shortest gap 1.0 ms\n"})
        EXPECT_NE(copied.find(line), std::string::npos) << line << " not in:\n" << copied;

    QAccessibleInterface *lamp12 = QAccessible::queryAccessibleInterface(window->lamp(11));
    EXPECT_EQ(lamp12->text(QAccessible::Description).toStdString(),
              "released, seen, chattered 1 time, shortest gap 1.0 ms");
    EXPECT_TRUE(lamp12->state().checked);
    QAccessibleInterface *lamp31 = QAccessible::queryAccessibleInterface(window->lamp(30));
    EXPECT_EQ(lamp31->text(QAccessible::Description).toStdString(), "pressed, not seen yet");
    EXPECT_FALSE(lamp31->state().checked);

    // What a user sees, at 100 % and 200 %.
    window->show();
    const QString dir = qEnvironmentVariable("TAMO_SCREENSHOT_DIR", QDir::tempPath());
    for (const auto &[scale, name] : {std::pair{1.0, "tamo-config-button-test.png"},
                                      std::pair{2.0, "tamo-config-button-test-200.png"}}) {
        QImage image((QSizeF(window->size()) * scale).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        QPainter painter(&image);
        window->render(&painter);
        painter.end();
        EXPECT_TRUE(image.save(dir + "/" + name));
    }
}

} // namespace tamo::test
